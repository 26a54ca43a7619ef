#include "app/bid_document.h"
#include "app/bidder_fields.h"
#include "app/record_dump.h"
#include "cli/cli_shell.h"
#include "cli/pdf_command.h"
#include "common/code_page.h"
#include "common/number_format.h"
#include "common/text_util.h"
#include "model/calculation.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

void Usage() {
    std::fprintf(stderr,
                 "Aufruf:\n"
                 "  orvak-cli dump DATEI\n"
                 "  orvak-cli convert EINGABE AUSGABE [--bidder NAME] [--currency CODE] [--vat SATZ]\n"
                 "  orvak-cli pdf EINGABE AUSGABE.pdf [--bidder NAME] [--date TEXT] [--currency CODE]"
                 " [--no-prices] [--no-longtext]\n");
}

int Dump(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        Usage();
        return 1;
    }
    CCliShell shell;
    CMemorySettingsStore store;
    CAppSettings settings(store);
    CBidDocument document(shell, settings);
    if (!document.OpenFile(args[0], CBidDocument::TypeForPath(args[0]))) return 1;
    const std::string text = DumpRecords(document.List());
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

struct ConvertOptions {
    std::string in, out;
    std::optional<std::string> bidder, currency;
    std::optional<double> vat;
};

bool ParseConvert(const std::vector<std::string>& args, ConvertOptions& options) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--bidder" && hasValue) {
            options.bidder = Utf8ToCp1252(args[++i]);
        } else if (a == "--currency" && hasValue) {
            options.currency = Utf8ToCp1252(args[++i]);
        } else if (a == "--vat" && hasValue) {
            CNumberFormat format;
            options.vat = format.ParseNumber(args[++i]);
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

int Convert(const std::vector<std::string>& args) {
    ConvertOptions options;
    if (!ParseConvert(args, options)) {
        Usage();
        return 1;
    }
    CCliShell shell;
    CMemorySettingsStore store;
    CAppSettings settings(store);
    CBidDocument document(shell, settings);
    if (!document.OpenFile(options.in, CBidDocument::TypeForPath(options.in))) return 1;
    CAngebotList& list = document.List();

    // Bidder and currency as the save dialog takes and stores them, with the first row selected.
    const int firstRow = list.FirstInChain();
    CBidderFields fields(list, settings);
    fields.Open(firstRow);
    if (options.bidder) fields.SetBidder(*options.bidder);
    if (options.currency) fields.SetCurrency(*options.currency);
    if (options.vat) {
        // Handed to every position of each LV, as the information dialog's button does.
        for (int i = 0; i < list.Count(); ++i)
            if (list.GetChar(i, Fld::Kind) == Kind::Lv &&
                list.GetChar(i, Fld::PosType) != PosType::ContractText)
                SetVatForAll(list, i, *options.vat);
        settings.SetVat(static_cast<int32_t>(*options.vat));
    }

    const int writer = EndsWithNoCase(options.out, ".ovf") ? CBidDocument::Project : document.OpenTypeValue();
    return document.SaveTo(options.out, writer, &fields) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        Usage();
        return 1;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "dump") return Dump(args);
    if (command == "convert") return Convert(args);
    if (command == "pdf") return RunPdfCommand(args);
    std::fprintf(stderr, "Unbekannter Befehl: %s\n", command.c_str());
    Usage();
    return 1;
}
