#pragma once

#include <string>
#include <string_view>

// Parsing, rounding and formatting of money amounts, quantities and percentages:
// German grouping on screen and in print (1.234.567,89), plain form in exchange
// files (1234567.89). Holds only the two separator characters.
class CNumberFormat {
public:
    // The user's separators as the application found them (the Qt application takes
    // them from the user's locale). Empty texts mean "not available". Defaults: "," and ".".
    static void SetUserSeparators(std::string decimal, std::string thousands);

    // Takes the user's separators: the first character of the decimal setting becomes the
    // decimal separator; the first character of the thousands setting becomes the thousands
    // separator only when it differs from the new decimal separator. Should the thousands
    // separator kept from before equal the new decimal separator, the other of ',' and '.'
    // becomes the thousands separator.
    void LoadSeparators();

    // Removes thousands separators, turns decimal separators into '.', converts like strtod
    // in the C locale (leading numeric part, 0 for no digits). Independent of setlocale().
    double ParseNumber(std::string_view text);

    // Ignores the separators: every ',' becomes '.'; a text with both ',' and '.' sets
    // *mixedSeparators (when given) to true. "1.234,56" therefore reads as 1.234.
    static double ParseLoose(std::string_view text, bool* mixedSeparators = nullptr);

    // floor(x * 10^n + 0.5000000001) / 10^n; 10^n = 1 for n <= 0.
    static double RoundTo(double x, int n);

    // Text of x cut (not rounded) after n decimals, with grouping; returns 1 when x < 0.
    // The digits are those of the shortest text that reads back as x; NaN and infinities give "0".
    int FormatNumber(double x, int n, std::string& text);
    // FormatNumber without grouping and with '.' as decimal point.
    int FormatPlain(double x, int n, std::string& text);

    // C-locale strtod semantics on a text: leading blanks, sign, digits, point, exponent;
    // stops at the first character that does not fit; no digits give 0.
    static double StringToDouble(std::string_view text);

    char m_decimal = ',';
    char m_thousands = '.';

private:
    // Text of |x| cut after n decimals with the given decimal separator, no grouping, no sign;
    // "0" (with n zero decimals) for 0, NaN and infinities.
    static std::string FormatDigits(double x, int n, char decimal);
};
