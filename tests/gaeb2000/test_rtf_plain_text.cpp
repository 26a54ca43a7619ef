#include "gaeb2000/rtf_plain_text.h"

#include "gaeb2000/gaeb_tag_tree.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(RtfPlainText, BreaksCharactersEscapesGroupsAndBrokenInput) {
    const std::pair<const char*, const char*> cases[] = {
        // Breaks, characters and escapes.
        {"{\\rtf1 abc\\par}", "abc"},
        {"{\\rtf1 eins\\par zwei\\line drei\\par\\par}", "eins\r\nzwei\r\ndrei\r\n"},
        {"{\\rtf1\\ansi Ger\\'fcst \\'C4rger}", "Ger\xfcst \xc4rger"},
        {"{\\rtf1\\uc1 \\u8364?5}", "\x80"
                                    "5"},
        {"{\\rtf1\\uc2 a\\u-3913??b\\u8239\\'3f\\'3fc}", "a?b?c"},
        {"{\\rtf1 \\u8364\\'80x}", "\x80x"},
        {"{\\rtf1 a\\tab b\\~c\\-d\\_e\\\\f\\{g\\}h}", "a\tb\xa0"
                                                       "cd-e\\f{g}h"},
        {"{\\rtf1 \\ldblquote x\\rdblquote  \\endash}", "\x93x\x94 \x96"},
        {"{\\rtf1\\fs20 x\\b0y\\b z}", "xyz"},
        {"{\\rtf1 a\r\nb\r\n\\par c}", "ab\r\nc"},
        {"{\\rtf1 a\\\r\nb}", "a\r\nb"},
        // Groups and the destinations that are skipped.
        {"{\\rtf1 a{\\b b{\\i c}d}e}", "abcde"},
        {"{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Symbol;}}{\\colortbl;\\red0\\green0\\blue0;}"
         "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}Text}",
         "Text"},
        {"{\\rtf1{\\*\\generator Msftedit;}{\\*\\bkmkstart TA01}A{\\*\\unbekannt {tief} x}B}", "AB"},
        {"{\\rtf1 a{\\header Kopf}{\\footer Fu\\'df}{\\pict\\pngblip 89504e47}b}", "ab"},
        {"{\\rtf1 a{\\pict\\bin3 }}}}b}", "ab"},
        {"{\\rtf1 a{\\v verborgen}b}", "ab"},
        {"{\\rtf1{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody{\\pntxta .}}Punkt}", "1.\tPunkt"},
        {"{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt Link}}}", "Link"},
        {"{\\rtf1 a}  danach", "a"},
        // Unbalanced or cut input gives what can be read.
        {"{\\rtf1 abc", "abc"},
        {"{\\rtf1 a}}}b", "a"},
        {"{\\rtf1 ab\\", "ab"},
        {"{\\rtf1 ab\\'4", "ab4"},
        {"{\\rtf1 x\\bin99999 abc", "x"},
        {"{\\rtf1 x\\u99999999999999999 y}", "x?"},
        {"", ""},
    };
    for (const auto& [rtf, plain] : cases)
        EXPECT_EQ(RtfToPlainText(rtf), plain) << rtf;
}

// Random input is the fuzz harness's part; here nesting deeper than any stack.
TEST(RtfPlainText, DeepInputNeverCrashes) {
    std::string deep(500000, '{');
    deep += "x";
    EXPECT_EQ(RtfToPlainText(deep), "x");
}
