#include "common/text_util.h"

#include <climits>

std::string TrimRight(std::string_view text) {
    return std::string(TrimRightView(text));
}

std::string_view TrimRightView(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && IsSpace(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string TrimLeft(std::string_view text) {
    size_t begin = 0;
    while (begin < text.size() && IsSpace(text[begin]))
        ++begin;
    return std::string(text.substr(begin));
}

std::string Trim(std::string_view text) {
    return TrimLeft(TrimRight(text));
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ToUpperAscii(a) == ToUpperAscii(b);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) return text;
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::string SafeSubstr(std::string_view text, size_t begin, size_t count) {
    if (begin >= text.size()) return std::string();
    return std::string(text.substr(begin, count));
}

std::string PadRight(std::string text, size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

int ParseInt(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

int FindLine(const std::vector<std::string>& lines, std::string_view what) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(what) != std::string::npos) return static_cast<int>(i);
    return -1;
}

std::string GetToken(std::string_view text, std::string_view sep, int n) {
    if (sep.empty() || n < 0) return std::string();
    std::string_view rest = text;
    for (int i = 0;; ++i) {
        const size_t found = rest.find(sep);
        if (found == std::string_view::npos) return std::string();
        rest = rest.substr(found + sep.size());
        if (i == n) return std::string(rest.substr(0, rest.find(sep)));
    }
}
