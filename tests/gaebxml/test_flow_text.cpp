#include "gaebxml/flow_text.h"

#include <gtest/gtest.h>

namespace {

std::string Flow(const std::string& xml) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single));
    return FlowText(doc.first_child());
}

TEST(FlowText, ParagraphsBreaksSpansTablesAndImages) {
    const struct {
        const char* xml;
        const char* text;
    } cases[] = {
        {"<t><p><span>A</span><span>B</span></p><p><span>C</span></p></t>", "AB\nC"},
        {"<t><span>A</span><br/><span>B</span></t>", "A\nB"},
        // An empty paragraph is an empty line; empty lines at the ends are dropped.
        {"<t><p/><p><span>A</span></p><p><span/></p><p><span>B</span></p><p/></t>", "A\n\nB"},
        {"<t><table><tr><td><span>a</span></td><td>b</td></tr><tr><td>c</td></tr></table></t>", "a\tb\nc"},
        {"<t><p><image Name=\"x.jpg\">AAAA</image><span>Bild</span></p></t>", "Bild"},
        // Line breaks of the file inside a text are one blank; blanks in a span stay.
        {"<t><span>RC-1  entsorgen\n      nach AVV</span></t>", "RC-1  entsorgen nach AVV"},
        {"<t>\n   </t>", ""},
        // A no-break space at the end of a line goes like a blank.
        {"<t><p><span>Ende\xc2\xa0</span></p></t>", "Ende"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Flow(c.xml), c.text) << c.xml;
}

TEST(FlowText, DeepNestingIsWalkedWithoutRecursion) {
    std::string xml;
    for (int i = 0; i < 200000; ++i)
        xml += "<span>";
    xml += "tief";
    for (int i = 0; i < 200000; ++i)
        xml += "</span>";
    EXPECT_EQ(Flow("<t>" + xml + "</t>"), "tief");
}

} // namespace
