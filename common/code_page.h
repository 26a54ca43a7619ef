#pragma once

#include <string>
#include <string_view>

// Conversions between code page 850 (GAEB 90 files on disk), Windows-1252 (texts in
// memory, project and GAEB 2000 files) and Unicode (UTF-8 for the command line tool and
// Qt, UTF-16 in one form of the project file). A character the target code page lacks
// becomes '?'.

// Unicode code point of a code page 850 byte; 0x00 to 0x7F map to themselves.
char32_t Cp850ToUnicode(unsigned char c);
// Code page 850 byte of a code point, or -1 when the code page lacks it.
int UnicodeToCp850(char32_t cp);

// Unicode code point of a Windows-1252 byte (the five unassigned bytes map to U+0081 etc.).
char32_t Cp1252ToUnicode(unsigned char c);
// Windows-1252 byte of a code point, or -1 when the code page lacks it.
int UnicodeToCp1252(char32_t cp);

std::string Cp850ToCp1252(std::string_view text);
// The same on a text in place (a reader's line buffer).
void Cp850ToCp1252InPlace(std::string& text);
std::string Cp1252ToCp850(std::string_view text);
std::string Cp1252ToUtf8(std::string_view text);
// The same appended to `out`.
void AppendCp1252AsUtf8(std::string& out, std::string_view text);
// Invalid or truncated UTF-8 sequences become '?' (one per maximal invalid part).
std::string Utf8ToCp1252(std::string_view text);
// Lone surrogates become '?'; so does a surrogate pair (no such character in Windows-1252).
std::string Utf16ToCp1252(std::u16string_view text);

// Utf8ToCp1252 for texts from outside (GAEB DA XML): a character that Windows-1252 lacks
// becomes its nearest equivalent where one exists (special blanks become a blank, "≤" "<=",
// the minus sign and other dashes "-", further quotes ' or "), zero-width characters and
// the byte order mark are dropped, anything else becomes '?'.
std::string Utf8ToCp1252Nearest(std::string_view text);
// The replacement of one code point that Windows-1252 lacks: its nearest equivalent, ""
// for a character to drop, or nullptr when there is none.
const char* NearestCp1252(char32_t cp);
