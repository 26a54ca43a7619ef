#include "ui/column_widths.h"

#include <gtest/gtest.h>

TEST(ColumnWidths, RoundTripAndStoredLengths) {
    const std::vector<int> widths = {150, 100, 180, 50};
    const std::vector<uint8_t> bytes = EncodeColumnWidths(widths);
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(bytes[0], 150);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(DecodeColumnWidths(bytes, 4), widths);
    // Fewer stored widths than columns: only the first columns.
    EXPECT_EQ(DecodeColumnWidths(bytes, 13), widths);
    // More stored widths than columns: the surplus is ignored.
    EXPECT_EQ(DecodeColumnWidths(bytes, 2), (std::vector<int>{150, 100}));
    // A trailing partial number is ignored.
    std::vector<uint8_t> odd = bytes;
    odd.push_back(7);
    EXPECT_EQ(DecodeColumnWidths(odd, 13), widths);
    EXPECT_TRUE(DecodeColumnWidths({}, 13).empty());
    EXPECT_TRUE(DecodeColumnWidths(bytes, 0).empty());
}

TEST(ColumnWidths, UntrustedValuesAreIgnoredOrCut) {
    const std::vector<uint8_t> bytes = EncodeColumnWidths({-5, 0, 1, 1000000, kMaxColumnWidth});
    EXPECT_EQ(DecodeColumnWidths(bytes, 13), (std::vector<int>{-1, -1, 1, kMaxColumnWidth, kMaxColumnWidth}));
}
