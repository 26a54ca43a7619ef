#include "gaeb90/gaeb_columns.h"

#include "common/number_format.h"
#include "common/text_util.h"

namespace gaeb90 {

std::string_view ColsView(std::string_view line, int first, int last) {
    if (first < 1 || last < first || static_cast<size_t>(first - 1) >= line.size()) return {};
    return line.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
}

std::string_view ColsTrimView(std::string_view line, int first, int last) {
    return TrimRightView(ColsView(line, first, last));
}

std::string Cols(std::string_view line, int first, int last) {
    return std::string(ColsView(line, first, last));
}

std::string ColsTrim(std::string_view line, int first, int last) {
    return std::string(ColsTrimView(line, first, last));
}

char ColChar(std::string_view line, int col) {
    return col >= 1 && static_cast<size_t>(col) <= line.size() ? line[static_cast<size_t>(col - 1)] : '\0';
}

double ColsNumber(std::string_view line, int first, int last, double scale) {
    return CNumberFormat::StringToDouble(Cols(line, first, last)) * scale;
}

} // namespace gaeb90
