#include "common/text_util.h"

#include <gtest/gtest.h>

namespace {

TEST(TextUtil, TrimAndCompare) {
    EXPECT_EQ(Trim(" \t\r\nab c\v\f "), "ab c");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(ToUpperAscii("abc\xe4z"), "ABC\xe4Z");
    EXPECT_TRUE(EqualsNoCase("Datei.D83", "DATEI.d83"));
    EXPECT_TRUE(EndsWithNoCase("angebot.OVF", ".ovf"));
    EXPECT_FALSE(EndsWithNoCase("ovf", ".ovf"));
}

TEST(TextUtil, ReplaceAndSubstrStayInBounds) {
    EXPECT_EQ(ReplaceAll("a,b,,c", ",", ";;"), "a;;b;;;;c");
    EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(SafeSubstr("abcdef", 2, 3), "cde");
    EXPECT_EQ(SafeSubstr("abc", 2, 100), "c");
    EXPECT_EQ(SafeSubstr("abc", 10, 1), "");
}

} // namespace
