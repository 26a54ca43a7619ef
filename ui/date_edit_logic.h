#pragma once

#include <string>
#include <string_view>

// What became of a typed character in the date field.
enum class DateInput {
    Accepted, // the character was written
    Dropped,  // silently left out (a digit outside the limits of its position, a read-only field)
    Beep      // refused; the field tells the user with the system beep
};

// Typing rules of the date field "dd.mm.yyyy" without a window: a fixed mask whose input
// positions are overwritten, whose dots the caret steps over, and whose digits are limited
// per position (day tens 0-3, month tens 0-1, ...). The widget feeds it characters and keys
// and mirrors text, caret and selection back.
class CDateEditLogic {
public:
    static constexpr std::string_view kMask = "00.00.0000";
    static constexpr std::string_view kTemplate = "__.__.____"; // '_' marks an input position
    static constexpr std::string_view kEmptyText = "  .  .    ";

    // Takes a text from the host; an empty text becomes the empty date "  .  .    ".
    // Leaves the modified flag alone; the caret goes to the start.
    void SetText(std::string_view text);
    const std::string& Text() const { return m_text; }

    int Caret() const { return m_caret; }
    int SelectionStart() const { return m_selStart; }
    int SelectionEnd() const { return m_selEnd; }
    bool HasSelection() const { return m_selStart < m_selEnd; }
    // Caret and selection as the user left them with the mouse or the arrow keys; clamped.
    void SetCaret(int caret) { SetSelection(caret, caret, caret); }
    void SetSelection(int start, int end, int caret);

    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // A printable character typed by the user.
    DateInput TypeChar(char c);
    // The Backspace and Delete keys: the whole text selected empties the field, a partial
    // selection blanks its input positions, else one position next to the caret is blanked.
    void Backspace();
    void Delete();
    // A text from the clipboard: a whole date "d.m.yy" or "dd.mm.yyyy" replaces the text,
    // digits alone are typed at the caret. False (beep) for anything else.
    bool Paste(std::string_view text);

    // Checks the date when the field is left or its dialog confirmed. The all-blank field is
    // the valid empty date (its text becomes the empty text). A valid date is rewritten as
    // "dd.mm.yyyy" with a two-digit year expanded (up to 60: 20xx, else 19xx). False, and the
    // text unchanged, for a text shorter than 7 characters, an impossible day or month and a
    // day and month without a year; the caller then beeps and keeps the focus in the field.
    bool ValidateDate();

private:
    bool IsLiteral(int pos) const;
    bool DigitAllowed(int pos, char digit) const;
    // Writes c over the character at the caret (or appends it) and moves the caret on.
    void Overwrite(char c);
    void StepOverLiteral();
    void BlankSelection();
    void Collapse(int caret) { m_caret = m_selStart = m_selEnd = caret; }
    bool WholeTextSelected() const;

    std::string m_text = std::string(kEmptyText);
    int m_caret = 0;
    int m_selStart = 0;
    int m_selEnd = 0;
    bool m_readOnly = false;
    bool m_modified = false;
};
