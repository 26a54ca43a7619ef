#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/xml_names.h"
#include "gaebxml/xml_test_support.h"

#include <gtest/gtest.h>

namespace {

// An ASCII text as UTF-16 little endian with byte order mark.
std::string Utf16(const std::string& ascii) {
    std::string bytes = "\xff\xfe";
    for (char c : ascii) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

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

TEST(GaebXmlDocument, EncodingsAndPrefixes) {
    const struct {
        std::string bytes;
        const char* phase;
        const char* ns;
    } cases[] = {
        {"\xef\xbb\xbf<GAEB xmlns=\"u\"><Award><DP>83 \xc3\xa4</DP></Award></GAEB>", "83 \xc3\xa4", "u"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><GAEB><Award><DP>83 \xe4</DP></Award></GAEB>",
         "83 \xc3\xa4", ""},
        {"<?xml version='1.0' encoding='windows-1252'?><g:GAEB "
         "xmlns:g=\"v\"><g:Award><g:DP>\x80</g:DP></g:Award>"
         "</g:GAEB>",
         "\xe2\x82\xac", "v"},
        {Utf16("<GAEB><Award><DP>84</DP></Award></GAEB>"), "84", ""},
    };
    for (const auto& c : cases) {
        CGaebXmlDocument document;
        ASSERT_TRUE(document.Parse(c.bytes).Ok()) << c.phase;
        EXPECT_EQ(document.Phase(), c.phase);
        EXPECT_EQ(document.NamespaceUri(), c.ns);
    }
}

TEST(GaebXmlDocument, RecognisesGaebXmlByItsFirstElement) {
    const struct {
        std::string head;
        bool gaeb;
    } cases[] = {
        {"<?xml version=\"1.0\"?>\n<!-- comment <x> -->\n<GAEB xmlns=\"u\">", true},
        {"\xef\xbb\xbf<g:GAEB xmlns:g=\"u\">", true},
        {"<!DOCTYPE GAEB [<!ENTITY a \"b\">]>\n<GAEB>", true},
        {Utf16("<GAEB>"), true},
        {"<GAEBX/>", false},
        {"#begin[GAEB]\r\n", false},
        {"00 GAEB", false},
        {"<?xml version=\"1.0\"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CGaebXmlDocument::LooksLikeGaebXml(c.head), c.gaeb) << c.head;
}

TEST(GaebXmlDocument, MissingFileAndDeviceFail) {
    CGaebXmlDocument document;
    EXPECT_EQ(document.Load((TestFolder("orvak_xml_document") / "none.X83").string()).Reason(),
              "Datei nicht vorhanden");
    // A device never ends: it is refused before it is read.
    EXPECT_EQ(document.Load("/dev/zero").Reason(), "Keine gew\xf6hnliche Datei (Ger\xe4t oder Pipe)");
}

} // namespace
