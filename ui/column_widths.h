#pragma once

#include <cstdint>
#include <vector>

// The stored column widths of the position list ("HDSettings"): one signed 32-bit number
// per column in column order, least significant byte first.
std::vector<uint8_t> EncodeColumnWidths(const std::vector<int>& widths);

// The widths to apply to a grid of `columnCount` columns: one entry per stored width for
// the first min(stored, columnCount) columns; surplus widths and a trailing partial number
// are ignored. Stored values are untrusted: a width below 1 gives -1 (keep the column's
// width), one above kMaxColumnWidth is cut to it.
std::vector<int> DecodeColumnWidths(const std::vector<uint8_t>& bytes, int columnCount);

constexpr int kMaxColumnWidth = 4000;
