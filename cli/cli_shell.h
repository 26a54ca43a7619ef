#pragma once

#include "app/shell.h"

#include <string>

// The shell of the command line tool: messages go to standard error in UTF-8; questions
// are answered with Yes; there are no file dialogs.
class CCliShell : public IShell {
public:
    Answer MessageBox(const std::string& text, const std::string& caption, Buttons buttons,
                      Icon icon) override;
    void SetWindowTitle(const std::string&) override {}
    bool OpenFileDialog(const std::string&, std::string&, int&) override { return false; }
    bool SaveFileDialog(const std::string&, const std::string&, const std::string&, CBidderFields&,
                        std::string&) override {
        return false;
    }
};
