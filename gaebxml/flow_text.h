#pragma once

#include <pugixml.hpp>

#include <cstddef>
#include <string>
#include <string_view>

// The plain text of the formatted texts of a GAEB DA XML file (UTF-8, lines joined by "\n"):
// paragraphs ("p", "div", "li") and "br" end lines, "span" and other inline elements run on,
// each table row becomes a line with its cells separated by a tab, and images are left out.
// White space that contains a line break of the file counts as one blank; lines lose their
// trailing blanks, and empty lines at the start and at the end are dropped. The walk is
// iterative, so any nesting depth is safe; the text is cut at kMaxChars characters.
class CFlowText {
public:
    static constexpr size_t kMaxChars = 4u << 20;

    // Appends the content (not the element itself) of `node`.
    void Append(const pugi::xml_node& node);
    // Appends the node itself: an element with its content, or a text.
    void AppendNode(const pugi::xml_node& node);
    // Appends running text; "\n" inside it ends a line.
    void AppendRaw(std::string_view text);
    // Ends the current line (an empty line when nothing was appended to it).
    void Break();
    // Ends the current line only when something was appended to it.
    void EnsureLineStart();
    // The text so far, in the form described above.
    std::string Text() const;

private:
    bool Enter(const pugi::xml_node& node);
    void Leave(const pugi::xml_node& node);
    void AppendPcdata(std::string_view text);
    void Add(std::string_view text);

    std::string m_text; // the finished lines, each ended by "\n"
    std::string m_line;
    size_t m_size = 0;
};

// FlowText of the content of one element.
std::string FlowText(const pugi::xml_node& node);
// The non-empty lines of a flow text, trimmed and joined by one blank: a short text.
std::string SingleLine(std::string_view flowText);
// A flow text as a record text: Windows-1252 with nearest equivalents, CR LF line breaks.
std::string RecordText(std::string_view flowText);
