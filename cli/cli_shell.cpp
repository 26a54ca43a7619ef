#include "cli/cli_shell.h"

#include "common/code_page.h"

#include <cstdio>
#include <string>

IShell::Answer CCliShell::MessageBox(const std::string& text, const std::string&, Buttons buttons, Icon) {
    // Paragraphs of a message box become lines of their own.
    std::string lines = text;
    std::erase(lines, '\r');
    std::fprintf(stderr, "%s\n", Cp1252ToUtf8(lines).c_str());
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}
