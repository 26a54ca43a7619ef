#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/xml_names.h"
#include "gaebxml/xml_test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(GaebXmlDocument, MalformedFilesFailWithLineAndReason) {
    const std::string good = GaebXml(XmlItem("I1", "10", "Text"));
    const struct {
        std::string text;
        int line;
        const char* reason;
    } cases[] = {
        {good.substr(0, good.size() / 2), 0, "nicht geschlossen (die Datei endet vorzeitig)"},
        {"<?xml version=\"1.0\"?>\n<GAEB>\n<Award>\n</Awrd>\n</GAEB>", 4, "falsch geschlossen"},
        {"<GAEB>\n<Award>\n<DP>84</DP>\n<BoQ a=\"x", 4,
         "Attribut eines XML-Elements (die Datei endet vorzeitig)"},
        {"<GAEB>\n<Award a=1/>\n</GAEB>", 2, "Attribut"},
        {"", 1, "kein XML-Element"},
        {"<?xml version=\"1.0\"?>\n\n<Angebot/>", 3,
         "hei\xdft \x84"
         "Angebot\x93 statt \x84GAEB\x93"},
        {"<?xml version=\"1.0\" encoding=\"EBCDIC\"?><GAEB/>", 1,
         "Zeichenkodierung \x84"
         "ebcdic\x93"},
    };
    for (const auto& c : cases) {
        CGaebXmlDocument document;
        const CIoResult result = document.Parse(c.text);
        EXPECT_FALSE(result.Ok()) << c.text;
        EXPECT_NE(result.Reason().find(c.reason), std::string::npos) << result.Reason();
        if (c.line > 0) {
            EXPECT_EQ(result.Line(), c.line) << result.Reason();
        }
        EXPECT_FALSE(document.Root());
    }
    // The truncated file names its last line.
    CGaebXmlDocument document;
    const std::string half = good.substr(0, good.size() / 2);
    EXPECT_EQ(document.Parse(half).Line(), 1 + static_cast<int>(std::count(half.begin(), half.end(), '\n')));
}

TEST(GaebXmlDocument, EntitiesAreNeverExpanded) {
    // A declaration of entities is refused outright.
    CGaebXmlDocument declared;
    const CIoResult refused =
        declared.Parse("<?xml version=\"1.0\"?>\n<!DOCTYPE GAEB [\n<!ENTITY x \"xxxxxxxx\">\n"
                       "<!ENTITY y \"&x;&x;&x;&x;&x;&x;\">\n]>\n<GAEB><Award><DP>&y;</DP></Award></GAEB>");
    EXPECT_FALSE(refused.Ok());
    EXPECT_EQ(refused.Line(), 2);
    EXPECT_NE(refused.Reason().find("Entit\xe4ten"), std::string::npos);

    // A plain document type is ignored; an undeclared entity stays as it is written.
    CGaebXmlDocument plain;
    ASSERT_TRUE(plain
                    .Parse("<!DOCTYPE GAEB SYSTEM \"http://example.invalid/gaeb.dtd\">\n"
                           "<GAEB><Award><DP>&ext;&#56;4 &amp;</DP></Award></GAEB>")
                    .Ok());
    EXPECT_EQ(plain.Phase(), "&ext;84 &");
}

} // namespace
