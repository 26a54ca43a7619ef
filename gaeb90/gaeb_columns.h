#pragma once

#include <string>
#include <string_view>

// Field access on a GAEB 90 line by fixed, 1-based, inclusive column ranges. A range
// that reaches past the end of the line yields what is there (never throws).
namespace gaeb90 {

// Columns first..last as they stand.
std::string Cols(std::string_view line, int first, int last);
// Columns first..last without trailing white space.
std::string ColsTrim(std::string_view line, int first, int last);
// The same as views into `line`.
std::string_view ColsView(std::string_view line, int first, int last);
std::string_view ColsTrimView(std::string_view line, int first, int last);
// The character in column `col`, or '\0' beyond the end of the line.
char ColChar(std::string_view line, int col);
// Unsigned digit field with implied decimals: atof of the columns times `scale`
// (0.001 for quantities, 0.01 for prices); a blank field gives 0.
double ColsNumber(std::string_view line, int first, int last, double scale);

} // namespace gaeb90
