#include "ui/column_widths.h"

#include <algorithm>

std::vector<uint8_t> EncodeColumnWidths(const std::vector<int>& widths) {
    std::vector<uint8_t> bytes;
    bytes.reserve(widths.size() * 4);
    for (const int width : widths) {
        const uint32_t w = static_cast<uint32_t>(width);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>((w >> shift) & 0xffu));
    }
    return bytes;
}

std::vector<int> DecodeColumnWidths(const std::vector<uint8_t>& bytes, int columnCount) {
    std::vector<int> widths;
    const size_t count = std::min(bytes.size() / 4, static_cast<size_t>(std::max(columnCount, 0)));
    for (size_t i = 0; i < count; ++i) {
        uint32_t w = 0;
        for (size_t b = 0; b < 4; ++b)
            w |= static_cast<uint32_t>(bytes[i * 4 + b]) << (8 * b);
        const int32_t width = static_cast<int32_t>(w);
        widths.push_back(width < 1 ? -1 : std::min<int32_t>(width, kMaxColumnWidth));
    }
    return widths;
}
