#pragma once

#include <string>
#include <string_view>

// Plain text of RTF long texts. Input and output are Windows-1252 bytes.

// True when the text starts with "{\rtf" after optional white space.
bool IsRtf(std::string_view text);

// The visible text of an RTF text: paragraph and line breaks as CR LF, tabs as TAB,
// escapes and Unicode characters as Windows-1252 bytes ('?' where the code page lacks
// the character), and the destinations that hold no visible text (font and colour tables,
// style sheet, document info, pictures, objects, headers and footers, "\*" groups, ...)
// left out. A break at the very end of the text gives no empty last line. Reading stops
// where the outermost group closes; any input is safe.
std::string RtfToPlainText(std::string_view rtf);

// In place: removes leading white space; an RTF text is then replaced by its plain text,
// any other text stays as it is.
void PlainText(std::string& text);
