#include "qt_test_support.h"

#include "app/print_settings_fields.h"
#include "app/qt/orvak_print_dlg.h"
#include "app/qt/preview_view.h"
#include "app/qt/print_commands.h"
#include "app/qt/print_settings_dlg.h"
#include "app/qt/print_settings_pane.h"
#include "app/qt/qt_text.h"
#include "app/qt/tree_list_view.h"
#include "print/qt/bid_pdf_export.h"
#include "support/cli_runner.h"
#include "support/record_builder.h"
#include "support/test_support.h"
#include "ui/qt/date_edit.h"
#include <QAction>
#include <QCheckBox>

#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

// Runs `act` on the next modal dialog of type T as soon as it is shown (within 10 s).
template <class T> void WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog && ++*tries < 1000) return;
        timer->stop();
        timer->deleteLater();
        if (dialog) act(dialog);
    });
    timer->start(10);
}

int PdfPages(const fs::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(file.readAll()).count(page));
}

// The pages orvak-cli pdf writes for a file and options.
int CliPages(const fs::path& input, const std::vector<std::string>& options) {
    const fs::path out = testsupport::TestDir() / "cli.pdf";
    std::vector<std::string> args = {"pdf", input.string(), out.string()};
    args.insert(args.end(), options.begin(), options.end());
    const testsupport::CliResult result = testsupport::RunCli(args);
    EXPECT_EQ(result.code, 0) << result.err;
    return PdfPages(out);
}

// Types a text as key presses (also letters beyond ASCII, which QTest::keyClicks refuses).
void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &release);
    }
}

// The preview's printer as the PDF export sets up its pages.
void UsePdfPageSetup(QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(kPdfResolution);
    printer.setPageLayout(PdfPageLayout());
}

struct PrintWindowFixture : ::testing::Test {
    void SetUp() override { TestApp(); }

    // A copy of a fixture or sample file in the test's own folder, opened in the frame.
    fs::path OpenCopy(CScriptedFrame& frame, const fs::path& source) {
        const fs::path copy = testsupport::TestDir() / source.filename();
        fs::copy_file(source, copy, fs::copy_options::overwrite_existing);
        frame.OpenFromOutside(QString::fromStdString(copy.string()));
        EXPECT_TRUE(frame.messages.empty());
        return copy;
    }

    CMemorySettingsStore store;
};

} // namespace

TEST_F(PrintWindowFixture, PrintDialogCarriesThePaneAndPrintsToAPdfFile) {
    CScriptedFrame frame(&store);
    OpenCopy(frame, testsupport::FixturePath("gaeb90/lv_basic.D83"));
    QPrinter& printer = frame.PrintCommands().Printer();
    UsePdfPageSetup(printer);
    const fs::path out = testsupport::TestDir() / "gedruckt.pdf";
    printer.setOutputFileName(QString::fromStdString(out.string()));

    bool checked = false;
    WhenModal<COrvakPrintDlg>([&](COrvakPrintDlg* dialog) {
        CPrintSettingsPane* pane = dialog->Pane();
        EXPECT_TRUE(pane->isVisible()); // the options part is open with the pane in front
        pane->PricesBox()->setChecked(false);
        pane->BidderField()->selectAll();
        TypeText(pane->BidderField(), QStringLiteral("Müller Bau"));
        // OK is refused while the date is invalid.
        QStringList shown;
        pane->showMessage = [&](const QString& text) { shown << text; };
        pane->DateField()->SetText("30.02.2024");
        dialog->accept();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(shown.size(), 1);
        pane->DateField()->SetText("06.12.2024");
        checked = true;
        dialog->accept();
    });
    frame.Action(Command::Print)->trigger();
    ASSERT_TRUE(checked);
    const CBidPrintLayout& layout = frame.PrintCommands().Layout();
    EXPECT_FALSE(layout.PrintPrices());
    EXPECT_EQ(layout.BidderText(), FromQt(QStringLiteral("Müller Bau")));
    EXPECT_EQ(layout.DateText(), "06.12.2024");
    // The typed bidder changed the bid; the pane's session is one step of the history.
    EXPECT_TRUE(frame.Document().IsModified());
    EXPECT_EQ(frame.Document().History().Count(), 1u);
    EXPECT_TRUE(frame.messages.empty());
    // The same pages as the PDF export of the same settings.
    ASSERT_TRUE(fs::exists(out));
    EXPECT_EQ(PdfPages(out), CliPages(testsupport::FixturePath("gaeb90/lv_basic.D83"), {"--no-prices"}));

    // Cancel prints nothing.
    fs::remove(out);
    WhenModal<COrvakPrintDlg>([](COrvakPrintDlg* dialog) { dialog->reject(); });
    frame.Action(Command::Print)->trigger();
    EXPECT_FALSE(fs::exists(out));

    // Printing that cannot start (here a file in a folder that went) says so.
    const fs::path gone = testsupport::TestDir() / "weg" / "gedruckt.pdf";
    printer.setOutputFileName(QString::fromStdString(gone.string()));
    WhenModal<COrvakPrintDlg>([](COrvakPrintDlg* dialog) { dialog->accept(); });
    frame.Action(Command::Print)->trigger();
    ASSERT_EQ(frame.messages.size(), 1u);
    EXPECT_NE(frame.messages[0].find(gone.string() + " konnte nicht geschrieben werden"), std::string::npos)
        << frame.messages[0];
}

TEST_F(PrintWindowFixture, PreviewReplacesThePanesWithTheCliPages) {
    CScriptedFrame frame(&store);
    frame.show();
    const fs::path input = OpenCopy(frame, testsupport::FixturePath("gaeb90/lv_basic.D83"));
    UsePdfPageSetup(frame.PrintCommands().Printer());

    WhenModal<CPrintSettingsDlg>([&](CPrintSettingsDlg* dialog) {
        dialog->Pane()->LongTextBox()->setChecked(false);
        dialog->NextButton()->click();
    });
    frame.Action(Command::Preview)->trigger();
    ASSERT_TRUE(frame.IsPreviewShown());
    CPreviewView* preview = frame.PreviewView();
    EXPECT_TRUE(preview->isVisible());
    EXPECT_FALSE(frame.Splitter()->isVisible());
    EXPECT_FALSE(frame.Action(Command::Help)->isEnabled());
    const int pages = CliPages(input, {"--no-longtext"});
    ASSERT_GT(pages, 0);
    EXPECT_EQ(preview->PageCount(), pages);
    EXPECT_EQ(preview->PageLabel()->text(), QStringLiteral("Seite 1 von %1").arg(pages));

    // Closing brings the panes back.
    preview->CloseAction()->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame.IsPreviewShown());
    EXPECT_TRUE(frame.Splitter()->isVisible());
    EXPECT_TRUE(frame.Action(Command::Help)->isEnabled());

    // Closed with the close box: the preview keeps the settings of the last "Weiter".
    WhenModal<CPrintSettingsDlg>([&](CPrintSettingsDlg* dialog) {
        dialog->Pane()->DateField()->SetText("01.01.2030");
        dialog->close();
    });
    frame.Action(Command::Preview)->trigger();
    ASSERT_TRUE(frame.IsPreviewShown());
    EXPECT_EQ(frame.PreviewView()->PageCount(), pages);
    EXPECT_NE(frame.PrintCommands().Layout().DateText(), "01.01.2030");

    // "Drucken..." in the preview closes it and opens the print dialog.
    bool printDialog = false;
    WhenModal<COrvakPrintDlg>([&](COrvakPrintDlg* dialog) {
        printDialog = true;
        dialog->reject();
    });
    frame.PreviewView()->PrintAction()->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(printDialog);
    EXPECT_FALSE(frame.IsPreviewShown());
}

