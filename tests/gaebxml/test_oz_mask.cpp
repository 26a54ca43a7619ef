#include "gaebxml/oz_mask.h"

#include <gtest/gtest.h>

namespace {

TEST(OzMask, PartsRightAlignedWithPointsWhereTheNextPartIsFull) {
    const struct {
        std::vector<int> levels;
        int item;
        std::vector<std::string> parts;
        const char* rno;
        const char* index;
        const char* oz;
    } cases[] = {
        {{2}, 4, {"1"}, "10", "", " 1  10"},             // as a GAEB 90 file writes it
        {{2, 2}, 4, {"1", "12"}, "10", "", " 1.12  10"}, // the second level is full
        {{3, 3}, 4, {"001", "001"}, "0010", "", "001.001.0010"},
        {{3, 3}, 4, {"999", "999"}, "9999", "y", "999.999.9999.y"},
        {{1, 1}, 2, {"1", "1"}, "10", "", "1.1.10"},
        {{}, 0, {"A", "B"}, "7", "", "A.B.7"},  // no breakdown
        {{2}, 4, {}, "10", "", "  10"},         // an item outside any category
        {{1}, 2, {"1", "2"}, "3", "", "1.2 3"}, // deeper than the breakdown
    };
    for (const auto& c : cases) {
        COzMask mask;
        mask.SetLengths(c.levels, c.item);
        EXPECT_EQ(mask.Item(c.parts, c.rno, c.index), c.oz) << c.oz;
    }
}

} // namespace
