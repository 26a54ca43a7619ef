#include "gaeb90/gaeb_columns.h"

#include "common/number_format.h"
#include "common/text_util.h"

#include <climits>

namespace gaeb90 {

std::string Cols(std::string_view line, int first, int last) {
    if (first < 1 || last < first) return std::string();
    return SafeSubstr(line, static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
}

std::string ColsTrim(std::string_view line, int first, int last) {
    return TrimRight(Cols(line, first, last));
}

char ColChar(std::string_view line, int col) {
    return col >= 1 && static_cast<size_t>(col) <= line.size() ? line[static_cast<size_t>(col - 1)] : '\0';
}

double ColsNumber(std::string_view line, int first, int last, double scale) {
    return CNumberFormat::StringToDouble(Cols(line, first, last)) * scale;
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

} // namespace gaeb90
