#include "gaebxml/flow_text.h"

#include "common/code_page.h"
#include "gaebxml/xml_names.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Removes blanks, tabs and no-break spaces (UTF-8) from the end of a line.
void TrimTrailingBlanks(std::string& line) {
    for (;;) {
        if (!line.empty() && IsBlank(line.back()))
            line.pop_back();
        else if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\xc2\xa0") == 0)
            line.resize(line.size() - 2);
        else
            return;
    }
}

bool IsParagraph(std::string_view name) {
    return name == "p" || name == "div" || name == "li" || name == "h1" || name == "h2" || name == "h3" ||
           name == "h4" || name == "h5" || name == "h6";
}

bool IsCell(std::string_view name) {
    return name == "td" || name == "th";
}

} // namespace

void CFlowText::Append(const pugi::xml_node& node) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        AppendNode(child);
}

void CFlowText::AppendNode(const pugi::xml_node& start) {
    pugi::xml_node node = start;
    for (;;) {
        if (Enter(node) && node.first_child()) {
            node = node.first_child();
            continue;
        }
        // Leave the node and every ancestor whose content is done, up to the start.
        for (;;) {
            Leave(node);
            if (node == start) return;
            if (pugi::xml_node next = node.next_sibling()) {
                node = next;
                break;
            }
            node = node.parent();
        }
    }
}

bool CFlowText::Enter(const pugi::xml_node& node) {
    switch (node.type()) {
    case pugi::node_pcdata:
    case pugi::node_cdata:
        AppendPcdata(node.value());
        return false;
    case pugi::node_element:
        break;
    default:
        return false;
    }
    const std::string_view name = LocalName(node);
    if (name == "br") {
        Break();
        return false;
    }
    if (name == "image" || name == "img") return false;
    if (IsParagraph(name) || name == "tr" || name == "table") {
        EnsureLineStart();
    } else if (IsCell(name)) {
        for (pugi::xml_node before = node.previous_sibling(); before; before = before.previous_sibling()) {
            if (before.type() == pugi::node_element && IsCell(LocalName(before))) {
                Add("\t");
                break;
            }
        }
    }
    return true;
}

void CFlowText::Leave(const pugi::xml_node& node) {
    if (node.type() != pugi::node_element) return;
    const std::string_view name = LocalName(node);
    if (IsParagraph(name) || name == "tr")
        Break();
    else if (name == "table")
        EnsureLineStart();
}

void CFlowText::AppendPcdata(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        // A run of white space that holds a line break of the file is one blank, and none
        // at the start of a line.
        size_t end = i;
        bool lineBreak = false;
        while (end < text.size() && IsWhite(text[end])) {
            lineBreak = lineBreak || text[end] == '\n' || text[end] == '\r';
            ++end;
        }
        if (end > i) {
            if (!lineBreak)
                Add(text.substr(i, end - i));
            else if (!m_line.empty() && !IsBlank(m_line.back()))
                Add(" ");
            i = end;
            continue;
        }
        while (end < text.size() && !IsWhite(text[end]))
            ++end;
        Add(text.substr(i, end - i));
        i = end;
    }
}

void CFlowText::AppendRaw(std::string_view text) {
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string_view::npos; start = nl + 1) {
        Add(text.substr(start, nl - start));
        Break();
    }
    Add(text.substr(start));
}

void CFlowText::Add(std::string_view text) {
    if (m_size >= kMaxChars) return;
    const size_t room = kMaxChars - m_size;
    const std::string_view taken = text.substr(0, room);
    m_line.append(taken);
    m_size += taken.size();
}

void CFlowText::Break() {
    TrimTrailingBlanks(m_line);
    if (m_size >= kMaxChars && m_line.empty()) return;
    // Empty lines at the start are dropped, those at the end when the text is taken.
    if (!m_text.empty() || !m_line.empty()) {
        m_text += m_line;
        m_text += '\n';
    }
    m_line.clear();
    ++m_size;
}

void CFlowText::EnsureLineStart() {
    if (!m_line.empty()) Break();
}

std::string CFlowText::Text() const {
    std::string text = m_text;
    std::string last = m_line;
    TrimTrailingBlanks(last);
    text += last;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

std::string FlowText(const pugi::xml_node& node) {
    CFlowText flow;
    flow.Append(node);
    return flow.Text();
}

std::string SingleLine(std::string_view flowText) {
    std::string out;
    size_t start = 0;
    while (start <= flowText.size()) {
        size_t end = flowText.find('\n', start);
        if (end == std::string_view::npos) end = flowText.size();
        std::string line(flowText.substr(start, end - start));
        TrimTrailingBlanks(line);
        size_t first = 0;
        while (first < line.size() && IsBlank(line[first]))
            ++first;
        if (first < line.size()) {
            if (!out.empty()) out += ' ';
            out.append(line, first, std::string::npos);
        }
        start = end + 1;
    }
    return out;
}

std::string RecordText(std::string_view flowText) {
    const std::string text = Utf8ToCp1252Nearest(flowText);
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
        out.append(text, start, nl - start);
        out += "\r\n";
    }
    out.append(text, start, std::string::npos);
    return out;
}
