// Ordinal numbers shared by the GAEB readers.

#include "model/gaeb_text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(GaebFormatOZ, InsertsPointsAfterEachLevelOfTheKey) {
    EXPECT_EQ(FormatOZ("01020030", "1122PPPPI"), "01.02.0030  ");
    EXPECT_EQ(FormatOZ("010200301", "1122PPPPI"), "01.02.00301 ") << "no point before the index";
    // Keys without index, with unused places "0": no stray points.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"01020030", "1122PPPP0", "01.02.0030  "},
        {"10000010", "1PPPPPP00", "1.0000010  "},
        {" 1  10", "11PPPPI00", " 1  10    "},
        {"", "1234567890123456", "          "}};
    for (const auto& [raw, key, expected] : cases) {
        EXPECT_EQ(FormatOZ(raw, key), expected) << raw << " " << key;
    }
}

} // namespace
