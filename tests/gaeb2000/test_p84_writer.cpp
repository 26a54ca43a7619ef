#include "gaeb2000/p84_writer.h"

#include "common/number_format.h"
#include "common/safe_file.h"
#include "model/info_blocks.h"
#include "model/info_values.h"
#include "p83_test_support.h"

#include <gmock/gmock.h>

using namespace p83test;
using ::testing::HasSubstr;

namespace {

std::string OutPath(const char* name = "out.P84") {
    return (TempDir() / name).string();
}

// Writes the document's bid with a fixed stamp and returns the file's bytes.
std::string Write(Doc& doc, const char* name = "out.P84") {
    const std::string path = OutPath(name);
    CP84Writer writer(doc.list, doc.tree);
    writer.SetStampTime("24.12.2026", "18:05");
    const CIoResult written = writer.WriteTagFile(path);
    EXPECT_TRUE(written) << written.Reason();
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes));
    return bytes;
}

std::string Crlf(const std::string& text) {
    return ReplaceAll(text, "\n", "\r\n");
}

void SetInfoBlock(Doc& doc, const char* key, const std::string& value) {
    CInfoBlocks blocks(doc.list);
    blocks.ParseLines(doc.Text(0, Fld::InfoText));
    blocks.SetBlock(key, value);
    blocks.StoreToRecord(0);
}

} // namespace

TEST(P84Writer, WritesIndentedLinesAndTheCountsAfterTheLastEnd) {
    const std::pair<const char*, const char*> cases[] = {
        {"#begin[GAEB]\n[Version]1.2[end]\n#end[GAEB]\n",
         "#begin[GAEB]\n [Version]1.2[end]\n#end[GAEB]1|1\n"},
        {"#begin[GAEB]\n #begin[A]\n  #begin[B]\n   [Zwei]eins\n   zwei[end]\n   [Umbruch]eins\n   [end]\n"
         "   #begin[STLBBau]\n   [Leistung]x[end]\n   #end[STLBBau]\n  #end[B]\n  #begin[Leer]\n  "
         "#end[Leer]\n"
         "  [Nach]y[end]\n #end[A]\n#end[GAEB]\n",
         "#begin[GAEB]\n #begin[A]\n  #begin[B]\n   [Zwei]eins\n   zwei[end]\n   [Umbruch]eins[end]\n"
         "   #begin[STLBBau]\n    [Leistung]x[end]\n   #end[STLBBau]\n  #end[B]\n  #begin[Leer]\n  "
         "#end[Leer]\n"
         "  [Nach]y[end]\n #end[A]\n#end[GAEB]4|4\n"}};
    for (const auto& [in, out] : cases) {
        Doc doc;
        ASSERT_TRUE(doc.OpenText(in));
        EXPECT_EQ(Write(doc), Crlf(out));
    }
}

TEST(P84Writer, PriceItemsAndAreaSumsAcrossTwoSaves) {
    Doc doc;
    ASSERT_TRUE(
        doc.OpenText(PositionFile("     [OZ]1[end]\n     [EPAufgl]J[end]\n     #begin[Beschreibung]\n"
                                  "      [Kurztext]K[end]\n     #end[Beschreibung]\n    #end[Position]\n"
                                  "    #begin[Position]\n     [OZ]2[end]\n     [Menge]3[end]\n")));
    const std::vector<int> positions = doc.OfKind("P");
    ASSERT_EQ(positions.size(), 2u);
    const int split = positions[0], plain = positions[1];
    doc.Price(split, {{Fld::Quantity, 12.5},
                      {Fld::WageShare, 10.0},
                      {Fld::OtherShare, 5.5},
                      {Fld::UnitPrice, 15.5},
                      {Fld::SurchargePct, 5.0}});
    doc.Price(plain, {{Fld::UnitPrice, 2.0}});
    CalcAll(doc.list);

    const int32_t nodes = doc.tree.Count();
    const std::string first = Write(doc);
    // The items a position lacks are written, not added to the tree in memory.
    EXPECT_EQ(doc.tree.Count(), nodes);
    EXPECT_NE(first.find(Crlf(
                  "    [Summe]199.75[end]\n    #begin[Position]\n     [OZ]1[end]\n"
                  "     [EPAufgl]J[end]\n     [Menge]12.500[end]\n     [EP]15.50[end]\n"
                  "     [EPAnteil1]10.00[end]\n     [EPAnteil2]5.50[end]\n     [NachlassProz]-5.00[end]\n"
                  "     [GB]193.75[end]\n     #begin[Beschreibung]\n")),
              std::string::npos)
        << first;
    EXPECT_NE(first.find(Crlf("     [Menge]3.000[end]\n     [EP]2.00[end]\n     [NachlassProz]0.00[end]\n"
                              "     [GB]6.00[end]\n    #end[Position]\n")),
              std::string::npos)
        << first;

    // A second save updates the items it added before and adds none.
    doc.Price(plain, {{Fld::UnitPrice, 4.0}});
    CalcAll(doc.list);
    std::string expected = first;
    for (const auto& [from, to] : {std::pair{"[Summe]199.75", "[Summe]205.75"},
                                   std::pair{"[EP]2.00", "[EP]4.00"}, std::pair{"[GB]6.00", "[GB]12.00"}})
        expected = ReplaceAll(expected, from, to);
    EXPECT_EQ(Write(doc), expected);
}

TEST(P84Writer, PricedBidReadsBackWithEveryValue) {
    Doc doc;
    ASSERT_TRUE(doc.Open(DataPath("kita.P83")));
    // Price it as a bidder would: unit prices, shares, surcharges, a bidder quantity,
    // the surcharge position and the bidder's supplement texts.
    double price = 10.25;
    for (int r : doc.OfKind("P")) {
        const std::string flags = doc.Text(r, Fld::Flags);
        if (flags[1] == 'Z')
            doc.Price(r, {{Fld::UnitPrice, 1234.5}, {Fld::Quantity, 7.5}});
        else if (flags[0] == 'X')
            doc.Price(r, {{Fld::WageShare, 30.4}, {Fld::OtherShare, 12.35}, {Fld::UnitPrice, 42.75}});
        else
            doc.Price(r, {{Fld::UnitPrice, price += 3.5}});
        if (flags[3] == 'X') doc.Price(r, {{Fld::Quantity, 17.25}});
    }
    doc.Price(doc.ByOz("01.01.0010"), {{Fld::SurchargePct, 5.0}});
    doc.Price(doc.ByOz("02.00.0030"), {{Fld::SurchargePct, -2.5}});
    doc.list.SetText(doc.ByOz("01.02.0020"), Fld::BidderTexts,
                     "'Kieswerk S\xfc"
                     "d'\r\n'K 32'\r\n");
    SetInfoBlock(doc, InfoKey::Bidder, "Bau GmbH");
    SetInfoBlock(doc, InfoKey::Currency, "EUR");
    CalcAll(doc.list);

    const std::string out = Write(doc);
    Doc back;
    ASSERT_TRUE(back.Open(OutPath()));
    EXPECT_FALSE(back.mixed);
    ExpectSameRecords(doc.list, back.list);
    EXPECT_EQ(GetInfoValue(back.list, 0, "04") + "/" + GetInfoValue(back.list, 0, "03"),
              "Bau GmbH/Gemeinde Sonnenweg");

    // A second save of the read-back bid (with the save dialog's blocks) writes the same file.
    SetInfoBlock(back, InfoKey::Bidder, "Bau GmbH");
    SetInfoBlock(back, InfoKey::Currency, "EUR");
    EXPECT_EQ(Write(back, "again.P84"), out);
}

TEST(P84Writer, BidderTextsAreEscapedAndReadBack) {
    // "[end]" inside a text must not end the value; RTF texts escape backslash and braces.
    struct Case {
        const char* file;
        const char* texts;
        std::vector<const char*> written;
        bool same; // every record reads back as it was (a "]" inside a text does not yet)
    };
    const Case cases[] = {
        {"kita.P83", "'A [end] B'\r\n", {"&#91;TB01&#91;A &#91;end] B&#93;&#93;"}, false},
        {"rtf_caps.P83",
         "'A [end] B'\r\n",
         {"{\\bkmkstart Feld01}A \\'5bend\\'5d B{\\bkmkend Feld01}"},
         false},
        {"rtf_caps.P83",
         "'Solar\\Werk'\r\n'Q.Peak {DUO}'\r\n",
         {"{\\bkmkstart Feld01}Solar\\\\Werk{\\bkmkend Feld01}",
          "{\\bkmkstart Feld03}Q.Peak \\{DUO\\}{\\bkmkend Feld03}"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts);
        Doc doc;
        ASSERT_TRUE(doc.Open(DataPath(c.file)));
        for (int r : doc.OfKind("P"))
            if (!doc.Text(r, Fld::BidderTexts).empty()) doc.list.SetText(r, Fld::BidderTexts, c.texts);
        const std::string out = Write(doc);
        for (const char* part : c.written)
            EXPECT_NE(out.find(part), std::string::npos) << part;
        Doc back;
        ASSERT_TRUE(back.Open(OutPath()));
        if (c.same)
            ExpectSameRecords(doc.list, back.list);
        else
            EXPECT_EQ(back.list.Count(), doc.list.Count());
    }
}
