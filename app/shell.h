#pragma once

#include <string>
#include <vector>

class CBidderFields;

// What the file workflow needs from the window system. The Qt main window implements
// it; tests and the command line tool script it. Texts are Windows-1252.
class IShell {
public:
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Icon { None, Information, Question, Warning, Error };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~IShell() = default;

    virtual Answer MessageBox(const std::string& text, const std::string& caption, Buttons buttons,
                              Icon icon) = 0;
    virtual void SetWindowTitle(const std::string& title) = 0;
    // The open dialog with a filter list; false when cancelled. filterIndex is 0-based.
    virtual bool OpenFileDialog(const std::string& filters, std::string& path, int& filterIndex) = 0;
    // The save dialog with the bidder and currency fields (already opened); false when cancelled.
    virtual bool SaveFileDialog(const std::string& filters, const std::string& proposedName,
                                const std::string& defaultExtension, CBidderFields& fields,
                                std::string& path) = 0;
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};
