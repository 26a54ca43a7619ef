#pragma once

#include <string>
#include <string_view>
#include <vector>

// Small text helpers on 8-bit texts. White space is blank, tab, CR, LF, VT and FF.
// Inline: it is asked for every character of every trimmed field.
inline bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
std::string TrimRight(std::string_view text);
// TrimRight without a copy: a view into `text`.
std::string_view TrimRightView(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string Trim(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
// Replaces every occurrence of `from` (not empty) by `to`.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);
// Characters [begin, begin+count) of the text, clipped to its end (never throws).
std::string SafeSubstr(std::string_view text, size_t begin, size_t count = std::string_view::npos);
// The text padded with blanks on the right to at least `width` characters.
std::string PadRight(std::string text, size_t width);

// atoi semantics: leading white space, an optional sign, digits up to the first
// non-digit; no digits give 0. Clamped to the int range.
int ParseInt(std::string_view text);

// Index of the first line that contains `what`, -1 if none.
int FindLine(const std::vector<std::string>& lines, std::string_view what);
// The n-th (0-based) piece that follows a separator; the text before the first
// separator is never a piece. "" when there is none.
std::string GetToken(std::string_view text, std::string_view sep, int n);
