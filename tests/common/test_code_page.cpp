#include "common/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Letter {
    const char* utf8;
    char cp1252;
    char cp850;
};

// The German letters with their bytes in both code pages.
const Letter kGermanLetters[] = {
    {"\xc3\xa4", '\xe4', '\x84'}, {"\xc3\xb6", '\xf6', '\x94'}, {"\xc3\xbc", '\xfc', '\x81'},
    {"\xc3\x84", '\xc4', '\x8e'}, {"\xc3\x96", '\xd6', '\x99'}, {"\xc3\x9c", '\xdc', '\x9a'},
    {"\xc3\x9f", '\xdf', '\xe1'},
};

TEST(CodePage, GermanLettersInEveryDirection) {
    for (const Letter& l : kGermanLetters) {
        const std::string cp1252(1, l.cp1252);
        const std::string cp850(1, l.cp850);
        EXPECT_EQ(Cp1252ToCp850(cp1252), cp850) << l.utf8;
        EXPECT_EQ(Cp850ToCp1252(cp850), cp1252) << l.utf8;
        EXPECT_EQ(Cp1252ToUtf8(cp1252), l.utf8);
        EXPECT_EQ(Utf8ToCp1252(l.utf8), cp1252) << l.utf8;
    }
}

TEST(CodePage, StreetNameRoundTrips) {
    const std::string cp1252 = "M\xfcller Stra\xdf"
                               "e";
    EXPECT_EQ(Cp1252ToCp850(cp1252), "M\x81ller Stra\xe1"
                                     "e");
    EXPECT_EQ(Cp850ToCp1252(Cp1252ToCp850(cp1252)), cp1252);
    EXPECT_EQ(Cp1252ToUtf8(cp1252), "M\xc3\xbcller Stra\xc3\x9f"
                                    "e");
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(cp1252)), cp1252);
}

TEST(CodePage, EuroSign) {
    EXPECT_EQ(Cp1252ToUtf8("12 \x80"), "12 \xe2\x82\xac");
    EXPECT_EQ(Utf8ToCp1252("12 \xe2\x82\xac"), "12 \x80");
    EXPECT_EQ(Cp1252ToCp850("12 \x80"), "12 ?");
    EXPECT_EQ(UnicodeToCp850(0x20AC), -1);
    EXPECT_EQ(Utf16ToCp1252(u"12 \u20ac"), "12 \x80");
}

TEST(CodePage, Cp850Specials) {
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(Cp850ToUnicode(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
    EXPECT_EQ(Cp850ToUnicode(0xD5), U'\u0131');
    EXPECT_EQ(Cp850ToCp1252("\xd5"), "?");      // dotless i
    EXPECT_EQ(Cp850ToCp1252("\xc4\xb3"), "??"); // box drawing
    EXPECT_EQ(Cp850ToCp1252("\x9f"), "\x83");   // f with hook exists in both
    EXPECT_EQ(Cp850ToCp1252("\xff\xf0"), "\xa0\xad");
}

TEST(CodePage, AllCp850BytesRoundTripThroughCp1252) {
    int mapped = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string cp850(1, static_cast<char>(b));
        const std::string cp1252 = Cp850ToCp1252(cp850);
        ASSERT_EQ(cp1252.size(), 1u);
        if (cp1252 == "?" && b != '?') continue;
        ++mapped;
        EXPECT_EQ(Cp1252ToCp850(cp1252), cp850) << b;
        EXPECT_EQ(UnicodeToCp850(Cp850ToUnicode(static_cast<unsigned char>(b))), b);
    }
    // ASCII, the 96 Latin-1 characters of the upper half and the f with hook.
    EXPECT_EQ(mapped, 128 + 96 + 1);
}

TEST(CodePage, AllCp1252BytesRoundTripThroughUnicode) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
        EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(static_cast<unsigned char>(b))), b);
    }
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUnicode(0x81), U'\u0081');
    EXPECT_EQ(Cp1252ToUnicode(0x9D), U'\u009d');
    EXPECT_EQ(UnicodeToCp1252(0x80), -1);
    EXPECT_EQ(UnicodeToCp1252(0x100), -1);
}

struct Utf8Case {
    const char* utf8;
    const char* cp1252;
};

TEST(CodePage, InvalidUtf8BecomesQuestionMarks) {
    const Utf8Case cases[] = {
        {"\x80", "?"},
        {"a\xc3", "a?"},              // truncated at the end
        {"\xc3(", "?("},              // missing continuation
        {"\xc0\xaf", "??"},           // overlong
        {"\xe0\x80\x80", "???"},      // overlong
        {"\xed\xa0\x80", "???"},      // surrogate
        {"\xf4\x90\x80\x80", "????"}, // above U+10FFFF
        {"\xe2\x82", "?"},            // truncated
        {"\xe2\x82x", "?x"},          // broken
        {"\xf0\x9f\x98\x80!", "?!"},  // valid, but not in Windows-1252
        {"\xff\xfe", "??"},
        {"\xe2\x82\xac\xe2", "\x80?"},
    };
    for (const Utf8Case& c : cases)
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;

    // A view that cuts a sequence short is not read beyond its end.
    const std::string euro = "\xe2\x82\xac";
    EXPECT_EQ(Utf8ToCp1252(std::string_view(euro).substr(0, 2)), "?");
}

TEST(CodePage, Utf16) {
    EXPECT_EQ(Utf16ToCp1252(u"M\u00fcller \u0081"), "M\xfcller \x81");
    EXPECT_EQ(Utf16ToCp1252(std::u16string{u'a', 0xD800}), "a?");
    EXPECT_EQ(Utf16ToCp1252(std::u16string{0xDC00, u'b'}), "?b");
    EXPECT_EQ(Utf16ToCp1252(std::u16string{0xD800, u'x'}), "?x");
    EXPECT_EQ(Utf16ToCp1252(std::u16string{0xD83D, 0xDE00, u'!'}), "?!");
    EXPECT_EQ(Utf16ToCp1252(u"\u0080\u0131"), "??");
}

} // namespace
