#pragma once

#include "common/number_format.h"

#include <optional>
#include <string>
#include <string_view>

// Typing rules of the numeric field without a window. The text is always a grouped decimal
// number with a fixed number of decimals ("1.234,50"); digits typed in the integer part are
// inserted and the text re-grouped, digits typed in the fraction overwrite, Backspace and
// Delete keep the number of decimals. While the field has the focus a magnitude below 1 is
// shown without its leading zero (",50"), so that typed digits become the integer part.
//
// The value is the number the field stands for. SetValue keeps the number given, even when the
// text shows it rounded, so that a field that is left without typing still holds exactly that
// number and is not modified. Every change made by typing or pasting sets the value to the
// text's value and sets the modified flag; operations that change nothing leave both alone.
//
// The separators are taken from CNumberFormat's user separators at construction, when the
// field gains the focus and when the settings change.
class CFloatEditLogic {
public:
    // Values whose magnitude reaches this cannot be typed or pasted.
    static constexpr double kLimit = 1e12;
    static constexpr int kMaxDecimals = 15;

    CFloatEditLogic();

    // The number and its text; the caret goes to the start. The modified flag stays.
    void SetValue(double value);
    double GetValue() const { return m_value; }
    // Number of decimals (0..15), then the text re-formatted.
    void SetDecimals(int decimals);
    int Decimals() const { return m_decimals; }
    // Thousands separators shown or not (on by default).
    void SetGrouping(bool on);
    bool Grouping() const { return m_grouping; }

    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    bool HasFocus() const { return m_hasFocus; }

    // A text put into the field from outside (not typed). It is taken over as the value when
    // the field gains or loses the focus, before it is typed into and when the separators or
    // the decimals change; the field counts as modified then if its value differs.
    void SetTextFromOutside(std::string_view text);
    const std::string& Text() const { return m_text; }
    // The text read as a number: thousands separators removed, the decimal separator as point.
    double TextValue() const { return TextValueOf(m_text); }
    // The text's value in plain form ("-1234.50"), as it goes to the clipboard in our own format.
    std::string PlainNumber() const;
    // The text as it goes to the clipboard as plain text: with the leading "0" of ",50".
    std::string ClipboardText() const;

    char DecimalSeparator() const { return m_separators.m_decimal; }
    char ThousandsSeparator() const { return m_separators.m_thousands; }

    int Caret() const { return m_caret; }
    int SelectionStart() const { return m_selStart; }
    int SelectionEnd() const { return m_selEnd; }
    bool HasSelection() const { return m_selStart < m_selEnd; }
    // Caret and selection as the user left them with the mouse or the arrow keys; clamped.
    void SetCaret(int caret) { SetSelection(caret, caret, caret); }
    void SetSelection(int start, int end, int caret);

    // A printable character: digits, the decimal separator, '-' (toggles the sign) and '+'
    // (removes it) act; every other character is ignored without a sound.
    void TypeChar(char c);
    void Backspace();
    void Delete();

    void FocusGained();
    void FocusLost();
    // The user's separators may have changed: reloaded, and the text re-formatted.
    void SettingsChanged();

    // A text from the clipboard replaces the whole text when it reads as a number of magnitude
    // below kLimit (rounded to the decimals). Paste takes the user's text forms ("1.234,50",
    // "1234,50", "1234.50", "1 234,50 €"); PastePlain takes the plain form of PlainNumber.
    // False, and nothing changed, for a read-only field or text that is no such number.
    bool Paste(std::string_view text);
    bool PastePlain(std::string_view text);

    // The number a pasted text stands for with the given user separators, or nothing. The one
    // of '.' and ',' that comes last is the decimal separator when both occur; a single one is
    // the decimal separator unless it is the user's thousands separator between 1-3 and
    // exactly 3 digits; a repeated one groups. Groups of three digits may also be separated by
    // blanks or apostrophes. A leading or trailing "€" or "EUR" is ignored.
    static std::optional<double> ParsePastedNumber(std::string_view text, char decimal, char thousands);

private:
    enum class Cause { Digit, Decimal, Minus, Plus, Backspace, Delete };

    // Where the caret stands, so that it can be put in front of the same remaining characters
    // after the text was re-grouped or re-formatted: in the integer part the number of integer
    // digits behind it, in the fraction its distance from the decimal separator.
    struct CaretAnchor {
        bool inFraction = false;
        int count = 0;
    };

    double TextValueOf(const std::string& text) const;
    std::string FieldFormat(double value) const;
    std::string Group(const std::string& digits) const;
    // The integer part without separators and leading zeros, grouped again.
    std::string Regroup(const std::string& text) const;
    size_t DecimalPos(const std::string& text) const;
    bool InIntegerPart(const std::string& text, int caret) const;
    CaretAnchor AnchorOf(const std::string& text, int caret) const;
    int PlaceAnchor(const std::string& text, CaretAnchor anchor) const;

    void RemoveSelection(Cause cause, std::string& text, int& caret) const;
    void TypeDigit(char digit, std::string& text, int& caret) const;
    void TypeDecimal(std::string& text, int& caret) const;
    // Takes text and caret; a changed text sets the value and the modified flag.
    void Commit(const std::string& text, int caret);
    // Re-formats the text from the value; the caret goes to the start.
    void Render();
    void AdoptOutsideText();
    void ReloadSeparators();
    bool PasteValue(double value);

    CNumberFormat m_separators;
    std::string m_text;
    double m_value = 0.0;
    int m_decimals = 2;
    int m_caret = 0;
    int m_selStart = 0;
    int m_selEnd = 0;
    bool m_grouping = true;
    bool m_hasFocus = false;
    bool m_modified = false;
    bool m_readOnly = false;
    bool m_outsideText = false; // the text was set from outside and not yet taken over
};
