#pragma once

#include <string>
#include <vector>

// `orvak-cli pdf`: the PDF export needs Qt, the other commands do not, so it lives in a module
// (orvak-cli-pdf.so) that is loaded only for this command. The module is looked for beside
// the program (the build folder) and in the program's library folder when installed
// (ORVAK_PDF_MODULE_DIR, relative to the program's folder). args are the words after "pdf".
// Returns the exit code; a module that is missing or cannot be loaded is reported in German
// on standard error with status 1.
int RunPdfModule(const std::vector<std::string>& args);
