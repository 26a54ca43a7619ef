#include "common/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CodePage, GermanLettersInEveryDirection) {
    const struct {
        std::string utf8, cp1252, cp850;
    } cases[] = {
        {"\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x84\xc3\x96\xc3\x9c\xc3\x9f", "\xe4\xf6\xfc\xc4\xd6\xdc\xdf",
         "\x84\x94\x81\x8e\x99\x9a\xe1"}, // the seven German letters
        {"M\xc3\xbcller Stra\xc3\x9f"
         "e",
         "M\xfcller Stra\xdf"
         "e",
         "M\x81ller Stra\xe1"
         "e"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToCp850(c.cp1252), c.cp850) << c.utf8;
        EXPECT_EQ(Cp850ToCp1252(c.cp850), c.cp1252) << c.utf8;
        EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
    }
}

TEST(CodePage, AllBytesRoundTrip) {
    int mapped = 0;
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string cp850(1, static_cast<char>(b));
        const std::string cp1252 = Cp850ToCp1252(cp850);
        all += cp850;
        EXPECT_TRUE(b >= 0x80 || Cp850ToUnicode(static_cast<unsigned char>(b)) == static_cast<char32_t>(b));
        if (cp1252 == "?" && b != '?') continue;
        ++mapped;
        EXPECT_EQ(Cp1252ToCp850(cp1252), cp850) << b;
        EXPECT_EQ(UnicodeToCp850(Cp850ToUnicode(static_cast<unsigned char>(b))), b);
    }
    // ASCII, the 96 Latin-1 characters of the upper half and the f with hook.
    EXPECT_EQ(mapped, 128 + 96 + 1);
    // Every Windows-1252 byte, the five unassigned ones (U+0081 etc.) too.
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

} // namespace
