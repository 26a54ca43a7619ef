#include "cli/pdf_command.h"

#include "app/bid_document.h"
#include "app/bidder_fields.h"
#include "app/messages.h"
#include "app/settings_store.h"
#include "cli/cli_shell.h"
#include "common/code_page.h"
#include "model/calculation.h"
#include "model/display_tree.h"
#include "print/bid_print_layout.h"
#include "print/qt/bid_pdf_export.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

struct PdfOptions {
    std::string in, out;
    std::optional<std::string> bidder, date, currency;
    bool prices = true;
    bool longTexts = true;
};

void PdfUsage() {
    std::fprintf(stderr, "Aufruf:\n"
                         "  orvak-cli pdf EINGABE AUSGABE.pdf [--bidder NAME] [--date TEXT] [--currency CODE]"
                         " [--no-prices] [--no-longtext]\n");
}

bool ParsePdf(const std::vector<std::string>& args, PdfOptions& options) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--bidder" && hasValue) {
            options.bidder = Utf8ToCp1252(args[++i]);
        } else if (a == "--date" && hasValue) {
            options.date = Utf8ToCp1252(args[++i]);
        } else if (a == "--currency" && hasValue) {
            options.currency = Utf8ToCp1252(args[++i]);
        } else if (a == "--no-prices") {
            options.prices = false;
        } else if (a == "--no-longtext") {
            options.longTexts = false;
        } else if (a.rfind("--", 0) == 0) {
            std::fprintf(stderr, "Unbekannte oder unvollst\xc3\xa4ndige Option: %s\n", a.c_str());
            return false;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) return false;
    options.in = positional[0];
    options.out = positional[1];
    return true;
}

// Standard error carries the tool's own messages only; Qt's notes (such as a missing runtime
// folder on a machine without a desktop session) are dropped, its errors still shown.
QtMessageHandler g_previousHandler = nullptr;

void QuietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && g_previousHandler)
        g_previousHandler(type, context, message);
}

// The fonts and the PDF writer need a QGuiApplication; without a display it runs offscreen.
std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
    if (QGuiApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvak-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int RunPdfCommand(const std::vector<std::string>& args) {
    PdfOptions options;
    if (!ParsePdf(args, options)) {
        PdfUsage();
        return 1;
    }
    g_previousHandler = qInstallMessageHandler(QuietMessageHandler);
    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();

    CCliShell shell;
    CMemorySettingsStore store;
    CAppSettings settings(store);
    CBidDocument document(shell, settings);
    if (!document.OpenFile(options.in, CBidDocument::TypeForPath(options.in))) return 1;
    CAngebotList& list = document.List();

    // As the Print command: all totals recalculated, then the print dialog's settings with
    // the first row selected; the options stand for what the user types into the dialog.
    CalcAll(list);
    const int firstRow = list.FirstInChain();
    CBidderFields fields(list, settings);
    fields.Open(firstRow);
    if (options.bidder) fields.SetBidder(*options.bidder);
    if (options.currency) fields.SetCurrency(*options.currency);

    CBidPrintLayout layout;
    layout.SetPrintLongTexts(options.longTexts);
    layout.SetPrintPrices(options.prices);
    if (options.date) layout.SetDateText(*options.date);
    layout.SetBidderText(fields.Bidder());
    layout.SetCurrency(fields.Currency());
    layout.SetDocumentPath(Utf8ToCp1252(options.in));

    const int vatRate = FindVatRate(list, CDisplayTree(list), firstRow);
    if (!ExportBidPdf(list, layout, vatRate, QString::fromStdString(options.out))) {
        shell.MessageBox(Msg::Format(Msg::CannotSave, Utf8ToCp1252(options.out)), ApplicationTitle(),
                         IShell::Buttons::Ok, IShell::Icon::Warning);
        return 1;
    }
    return 0;
}
