#include "cli/cli_shell.h"

#include "common/code_page.h"

#include <cstdio>

IShell::Answer CCliShell::MessageBox(const std::string& text, const std::string&, Buttons buttons, Icon) {
    std::fprintf(stderr, "%s\n", Cp1252ToUtf8(text).c_str());
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}
