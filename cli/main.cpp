#include "app/bid_check.h"
#include "app/bid_document.h"
#include "app/bidder_fields.h"
#include "app/record_dump.h"
#include "cli/cli_session.h"
#include "cli/pdf_module.h"
#include "cli/set_entries.h"
#include "common/code_page.h"
#include "common/heap_tuning.h"
#include "common/number_format.h"
#include "common/text_util.h"
#include "model/calculation.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void Usage() {
    std::fprintf(stderr, "Aufruf:\n"
                         "  orvak-cli dump DATEI\n"
                         "  orvak-cli check DATEI\n"
                         "  orvak-cli convert EINGABE AUSGABE [--bidder NAME] [--currency CODE] [--vat SATZ]"
                         " [--set OZ,SPALTE=WERT]...\n"
                         "  orvak-cli pdf EINGABE AUSGABE.pdf [--bidder NAME] [--date TEXT] [--currency CODE]"
                         " [--no-prices] [--no-longtext]\n");
}

int Dump(const std::vector<std::string>& words) {
    if (words.size() != 1) {
        Usage();
        return 1;
    }
    CCliSession session;
    if (!session.Open(words[0])) return 1;
    bool written = true;
    DumpRecords(session.List(), [&](std::string_view piece) {
        written = written && std::fwrite(piece.data(), 1, piece.size(), stdout) == piece.size();
    });
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}

// The completeness check: one line per finding (OZ, tab, text; hints marked), exit status 0
// when nothing is missing (hints alone leave it at 0), 2 when something is.
int Check(const std::vector<std::string>& words) {
    if (words.size() != 1) {
        Usage();
        return 1;
    }
    CCliSession session;
    if (!session.Open(words[0])) return 1;
    CBidCheck check;
    check.Run(session.List());
    std::string out;
    for (const auto* findings : {&check.Gaps(), &check.Hints()})
        for (const SBidFinding& f : *findings)
            out += DumpText(f.oz) + '\t' + (f.hint ? "Hinweis: " : "") + DumpText(f.Text()) + '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0) return 1;
    return check.Complete() ? 0 : 2;
}

int Convert(const std::vector<std::string>& words) {
    CCliArgs args;
    if (!ParseCliArgs(words, {"--bidder", "--currency", "--vat"}, {}, args, {"--set"}) ||
        args.positional.size() != 2) {
        Usage();
        return 1;
    }
    const std::string& in = args.positional[0];
    const std::string& out = args.positional[1];
    CCliSession session;
    if (!session.Open(in)) return 1;
    CAngebotList& list = session.List();
    CBidderFields& fields = session.Fields(args.Value("--bidder"), args.Value("--currency"));
    if (const auto vatText = args.Value("--vat")) {
        CNumberFormat format;
        const double vat = format.ParseNumber(*vatText);
        if (!IsValidVatRate(vat)) {
            std::fprintf(stderr, "Der Mehrwertsteuersatz %s liegt nicht zwischen 0 und 100.\n",
                         Cp1252ToUtf8(*vatText).c_str());
            return 1;
        }
        // Handed to every position of each LV, as the information dialog's button does.
        for (int i = 0; i < list.Count(); ++i)
            if (list.GetChar(i, Fld::Kind) == Kind::Lv &&
                list.GetChar(i, Fld::PosType) != PosType::ContractText)
                SetVatForAll(list, i, vat);
        session.Settings().SetVat(static_cast<int32_t>(vat));
    }
    // Each entry as typed into the grid; a refused one stops the command before anything is written.
    if (!ApplySetOptions(list, args.repeated["--set"])) return 1;
    CBidDocument& document = session.Document();
    const OpenType writer = EndsWithNoCase(out, ".ovf") ? OpenType::Project : document.GetOpenType();
    return document.SaveTo(out, writer, &fields) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    TuneHeap(argv);
    if (argc < 2) {
        Usage();
        return 1;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "dump") return Dump(args);
    if (command == "check") return Check(args);
    if (command == "convert") return Convert(args);
    if (command == "pdf") return RunPdfModule(args);
    std::fprintf(stderr, "Unbekannter Befehl: %s\n", command.c_str());
    Usage();
    return 1;
}
