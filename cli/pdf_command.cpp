#include "cli/pdf_command.h"

#include "app/bid_document.h"
#include "app/bidder_fields.h"
#include "app/messages.h"
#include "app/settings_store.h"
#include "cli/cli_session.h"
#include "common/code_page.h"
#include "model/calculation.h"
#include "print/bid_print_layout.h"
#include "print/qt/bid_pdf_export.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

void PdfUsage() {
    std::fprintf(stderr, "Aufruf:\n"
                         "  orvak-cli pdf EINGABE AUSGABE.pdf [--bidder NAME] [--date TEXT] [--currency CODE]"
                         " [--no-prices] [--no-longtext]\n");
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

int RunPdfCommand(const std::vector<std::string>& words) {
    CCliArgs args;
    if (!ParseCliArgs(words, {"--bidder", "--date", "--currency"}, {"--no-prices", "--no-longtext"}, args) ||
        args.positional.size() != 2) {
        PdfUsage();
        return 1;
    }
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    g_previousHandler = qInstallMessageHandler(QuietMessageHandler);
    const std::unique_ptr<QGuiApplication> application = EnsureGuiApplication();

    CCliSession session;
    if (!session.Open(in)) return 1;
    CAngebotList& list = session.List();

    // As the Print command: all totals recalculated, then the print dialog's settings with
    // the first row selected; the options stand for what the user types into the dialog.
    CalcAll(list);
    const CBidderFields& fields = session.Fields(args.Value("--bidder"), args.Value("--currency"));

    CBidPrintLayout layout;
    layout.SetPrintLongTexts(!args.Has("--no-longtext"));
    layout.SetPrintPrices(!args.Has("--no-prices"));
    if (const auto date = args.Value("--date")) layout.SetDateText(*date);
    layout.SetBidderText(fields.Bidder());
    layout.SetCurrency(fields.Currency());
    layout.SetDocumentPath(Utf8ToCp1252(in));

    const CIoResult result = ExportBidPdf(list, layout, QString::fromStdString(out));
    if (!result) {
        session.Shell().MessageBox(Msg::Format(Msg::CannotSave, Utf8ToCp1252(out)) + " " + result.Describe(),
                                   ApplicationTitle(), IShell::Buttons::Ok, IShell::Icon::Warning);
        return 1;
    }
    return 0;
}

extern "C" __attribute__((visibility("default"))) int orvak_cli_pdf(int argc, const char* const* argv) {
    return RunPdfCommand(std::vector<std::string>(argv, argv + argc));
}
