#pragma once

#include <string>
#include <vector>

// `orvak-cli pdf IN OUT.pdf [--bidder NAME] [--date TEXT] [--currency CODE] [--no-prices]
// [--no-longtext]`: opens IN as the GUI does and prints the bid with the print layout into an
// A4 PDF file, as the Print command would. args are the words after "pdf" (UTF-8). Runs
// without a display: a missing QGuiApplication is made with the offscreen platform unless
// QT_QPA_PLATFORM says otherwise. Returns the exit code: 0 on success, 1 after printing the
// message to standard error.
int RunPdfCommand(const std::vector<std::string>& args);

// The command lives in a module of its own (orvak-cli-pdf.so), so that the other commands
// never load Qt; orvak-cli finds it by this file name and calls this entry point with the
// words after "pdf".
inline constexpr const char* kPdfModuleFile = "orvak-cli-pdf.so";
inline constexpr const char* kPdfEntryName = "orvak_cli_pdf";
using PdfCommandEntry = int (*)(int argc, const char* const* argv);
extern "C" int orvak_cli_pdf(int argc, const char* const* argv);
