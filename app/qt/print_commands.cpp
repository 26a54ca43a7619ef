#include "app/qt/print_commands.h"

#include "app/bid_document.h"
#include "app/messages.h"
#include "app/print_settings_fields.h"
#include "app/qt/orvak_print_dlg.h"
#include "app/qt/print_settings_dlg.h"
#include "app/qt/qt_text.h"
#include "print/print_page_loop.h"
#include "print/qt/bid_pdf_export.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QPrinter>
#include <QStatusBar>

namespace {

QString Local(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString AskPdfPathWithDialog(QWidget* parent, const QString& proposed) {
    QFileDialog dialog(parent, QStringLiteral("Als PDF exportieren"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("PDF-Dateien (*.pdf *.PDF)")});
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const QFileInfo info(proposed);
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

} // namespace

CPrintCommands::CPrintCommands(CBidDocument& document, QMainWindow& window)
    : m_document(document), m_window(window) {
    askPdfPath = [this](const QString& proposed) { return AskPdfPathWithDialog(&m_window, proposed); };
}

CPrintCommands::~CPrintCommands() = default;

QPrinter& CPrintCommands::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (m_printer->outputFormat() == QPrinter::PdfFormat) {
            // No printer on the system: the pages of the PDF export.
            m_printer->setResolution(kPdfResolution);
            m_printer->setPageLayout(PdfPageLayout());
        }
    }
    return *m_printer;
}

void CPrintCommands::PrepareLayout() {
    m_document.RecalculateForPrint();
    m_layout.SetDocumentPath(FromQt(Local(m_document.Path())));
}

std::unique_ptr<CPrintSettingsFields> CPrintCommands::OpenFields(int selectedRecord) {
    auto fields = std::make_unique<CPrintSettingsFields>(m_document.List(), m_document.Settings());
    m_session = CChangeSet();
    fields->recordChanges = [this](const std::function<void()>& change) {
        const CRecordChanges recording(m_document.List(), m_session);
        change();
    };
    fields->Open(selectedRecord, CBidPrintLayout::Today());
    return fields;
}

void CPrintCommands::TakeChanges(const CPrintSettingsFields& fields) {
    if (fields.RecordsChanged() && !m_document.PushStep(CBidDocument::kBidderStepName, std::move(m_session)))
        m_document.SetModified(true);
    m_session = CChangeSet();
}

bool CPrintCommands::HasPages() {
    CPrintPageLoop loop(m_layout);
    loop.Prepare(m_document.List());
    if (loop.ContinuePrinting()) return true;
    ShowMessage("Das Angebot enth\xe4lt keine Zeilen, es gibt nichts zu drucken.");
    return false;
}

void CPrintCommands::ShowMessage(const std::string& text) {
    m_document.Shell().MessageBox(text, ApplicationTitle(), IShell::Buttons::Ok, IShell::Icon::Warning);
}

QString CPrintCommands::DocumentFile(const char* extension) const {
    const QFileInfo info(Local(m_document.Path()));
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QLatin1Char('.') +
           QString::fromLatin1(extension);
}

void CPrintCommands::PaintPages(QPrinter* printer) {
    CPrintPageLoop loop(m_layout);
    loop.Prepare(m_document.List());
    PrintBidPages(*printer, loop);
}

bool CPrintCommands::Print(int selectedRecord) {
    PrepareLayout();
    if (!HasPages()) return false;
    QPrinter& printer = Printer();
    printer.setDocName(QFileInfo(Local(m_document.Path())).completeBaseName());
    if (printer.outputFormat() == QPrinter::PdfFormat &&
        (printer.outputFileName().isEmpty() || printer.outputFileName() == m_proposedPdf)) {
        // Printing into a file: the name of the open file beside it (or in the home folder when
        // that folder cannot be written), unless the user chose a name of their own.
        QFileInfo proposed(DocumentFile("pdf"));
        if (!QFileInfo(proposed.absolutePath()).isWritable())
            proposed.setFile(QDir::home(), proposed.fileName());
        m_proposedPdf = proposed.absoluteFilePath();
        printer.setOutputFileName(m_proposedPdf);
    }

    const std::unique_ptr<CPrintSettingsFields> fields = OpenFields(selectedRecord);
    bool accepted = false;
    {
        COrvakPrintDlg dialog(&printer, *fields, m_layout, &m_window);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    TakeChanges(*fields);
    if (!accepted) return false;

    int from = 1;
    int to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = std::max(1, printer.fromPage());
        to = printer.toPage();
    }
    CPrintPageLoop loop(m_layout);
    loop.Prepare(m_document.List());
    if (from > 1) {
        const int pages = CountBidPages(m_document.List(), m_layout, printer);
        if (from > pages) {
            ShowMessage("Es wurde nichts gedruckt: das Angebot hat " + std::to_string(pages) +
                        (pages == 1 ? " Seite" : " Seiten") + ", der Druckbereich beginnt mit Seite " +
                        std::to_string(from) + ".");
            return false;
        }
    }
    m_window.statusBar()->showMessage(QStringLiteral("Das Angebot wird gedruckt..."));
    int printed = 0;
    const bool ok = PrintBidPages(printer, loop, from, to, &printed);
    m_window.statusBar()->showMessage(QStringLiteral("Bereit"));
    if (!ok) {
        if (printer.outputFormat() == QPrinter::PdfFormat)
            ShowMessage("Die PDF-Datei " + FromQt(printer.outputFileName()) +
                        " konnte nicht geschrieben werden. Pr\xfc"
                        "fen Sie, ob der Ordner vorhanden ist und Sie dort schreiben d\xfcrfen.");
        else
            ShowMessage("Der Druck auf \x84" + FromQt(printer.printerName()) +
                        "\x93 konnte nicht gestartet werden. Pr\xfc"
                        "fen Sie, ob der Drucker eingeschaltet und bereit ist.");
        return false;
    }
    return true;
}

bool CPrintCommands::PreparePreview(int selectedRecord) {
    PrepareLayout();
    if (!HasPages()) return false;
    const std::unique_ptr<CPrintSettingsFields> fields = OpenFields(selectedRecord);
    {
        CPrintSettingsDlg dialog(CPrintSettingsDlg::Kind::Preview, *fields, m_layout, &m_window);
        dialog.exec(); // the preview starts whatever closed the dialog
    }
    TakeChanges(*fields);
    return true;
}

bool CPrintCommands::ExportPdf(int selectedRecord) {
    PrepareLayout();
    if (!HasPages()) return false;
    const std::unique_ptr<CPrintSettingsFields> fields = OpenFields(selectedRecord);
    bool accepted = false;
    {
        CPrintSettingsDlg dialog(CPrintSettingsDlg::Kind::Export, *fields, m_layout, &m_window);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    TakeChanges(*fields);
    if (!accepted) return false;

    const QString path = askPdfPath ? askPdfPath(DocumentFile("pdf")) : QString();
    if (path.isEmpty()) return false;
    m_document.Shell().BeginWaitCursor();
    int pages = 0;
    const CIoResult result = ExportBidPdf(m_document.List(), m_layout, path, &pages);
    m_document.Shell().EndWaitCursor();
    if (!result) {
        ShowMessage(Msg::Format(Msg::CannotSave, FromQt(path)) + "\r\n\r\n" + result.Describe());
        return false;
    }
    m_window.statusBar()->showMessage(
        QStringLiteral("%1 mit %2 %3 geschrieben")
            .arg(QFileInfo(path).fileName())
            .arg(pages)
            .arg(pages == 1 ? QStringLiteral("Seite") : QStringLiteral("Seiten")));
    return true;
}
