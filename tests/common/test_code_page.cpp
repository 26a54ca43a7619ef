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

TEST(CodePage, EuroSignAndMissingCharacters) {
    EXPECT_EQ(Cp1252ToUtf8("12 \x80"), "12 \xe2\x82\xac");
    EXPECT_EQ(Utf8ToCp1252("12 \xe2\x82\xac"), "12 \x80");
    EXPECT_EQ(Utf16ToCp1252(u"12 \u20ac"), "12 \x80");
    EXPECT_EQ(Cp1252ToCp850("12 \x80"), "12 ?"); // code page 850 has none
    EXPECT_EQ(UnicodeToCp850(0x20AC), -1);
    EXPECT_EQ(UnicodeToCp1252(0x80), -1); // U+0080 is not the euro sign
    EXPECT_EQ(UnicodeToCp1252(0x100), -1);
    // Box drawing and the dotless i are missing in Windows-1252; the f with hook is not.
    EXPECT_EQ(Cp850ToCp1252("\x9f\xff\xf0\xd5\xc4"), "\x83\xa0\xad??");
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

TEST(CodePage, InvalidUtf8AndUtf16BecomeQuestionMarks) {
    const std::pair<const char*, const char*> cases[] = {
        {"\x80", "?"},
        {"a\xc3", "a?"},              // truncated at the end
        {"\xc3(", "?("},              // missing continuation
        {"\xc0\xaf", "??"},           // overlong
        {"\xe0\x80\x80", "???"},      // overlong
        {"\xed\xa0\x80", "???"},      // surrogate
        {"\xf4\x90\x80\x80", "????"}, // above U+10FFFF
        {"\xe2\x82x", "?x"},          // broken
        {"\xf0\x9f\x98\x80!", "?!"},  // valid, but not in Windows-1252
        {"\xe2\x82\xac\xe2", "\x80?"},
    };
    for (const auto& [utf8, cp1252] : cases)
        EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
    // A view that cuts a sequence short is not read beyond its end.
    EXPECT_EQ(Utf8ToCp1252(std::string_view("\xe2\x82\xac").substr(0, 2)), "?");

    EXPECT_EQ(Utf16ToCp1252(u"M\u00fcller \u0081"), "M\xfcller \x81");
    EXPECT_EQ(Utf16ToCp1252(std::u16string{u'a', 0xD800}), "a?");
    EXPECT_EQ(Utf16ToCp1252(std::u16string{0xDC00, u'b'}), "?b");
    EXPECT_EQ(Utf16ToCp1252(std::u16string{0xD83D, 0xDE00, u'!'}), "?!");
}

TEST(CodePage, NearestEquivalentsOfCharactersWindows1252Lacks) {
    const std::pair<std::string, std::string> cases[] = {
        {"2\xe2\x80\xaf"
         "cm",
         "2 cm"},                                                     // narrow no-break space
        {"d \xe2\x89\xa4 2 m, h \xe2\x89\xa5 1", "d <= 2 m, h >= 1"}, // less and greater or equal
        {"\xe2\x88\x92"
         "5 \xe2\x80\x90 6",
         "-5 - 6"}, // minus sign, hyphen
        {"\xe2\x80\x9c"
         "a\xe2\x80\x9d \xe2\x80\x93 \xe2\x80\x9f"
         "b\xe2\x80\x9b",
         "\x93"
         "a\x94 \x96 \"b'"}, // kept where it exists, else plain
        {"\xe2\x8c\x80"
         "20 \xef\xbb\xbf\xe2\x80\x8b!",
         "\xd8"
         "20 !"},                                             // diameter; BOM and zero width dropped
        {"M\xc3\xbcller \xe2\x82\xac", "M\xfcller \x80"},     // Windows-1252 itself
        {"\xf0\x9f\x98\x80 \xe4\xb8\xad \xc0\xaf", "? ? ??"}, // no equivalent, invalid
    };
    for (const auto& [utf8, cp1252] : cases)
        EXPECT_EQ(Utf8ToCp1252Nearest(utf8), cp1252) << utf8;
    EXPECT_EQ(NearestCp1252(0x2264), std::string("<="));
    EXPECT_EQ(NearestCp1252(0x4E2D), nullptr);
}

} // namespace
