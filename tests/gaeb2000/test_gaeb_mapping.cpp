#include "gaeb2000/gaeb_mapper.h"

#include "common/number_format.h"
#include "common/safe_file.h"
#include "gaeb90/gaeb_converter.h"
#include "model/info_blocks.h"
#include "model/info_values.h"
#include "p83_test_support.h"

#include <gtest/gtest.h>

using namespace p83test;

namespace {} // namespace

TEST(GaebMapping, MapsEveryElementOfTheFixture) {
    Doc doc;
    ASSERT_TRUE(doc.Open(DataPath("kita.P83")));
    EXPECT_FALSE(doc.mixed);
    EXPECT_EQ(doc.tree.OzMask(), "1122PPPPI");

    // The LV record with its information blocks.
    EXPECT_EQ(doc.Text(0, Fld::LongText), "Neubau einer Kindertagesst\xe4tte\r\nmit Au\xdf"
                                          "enanlagen");
    const std::pair<const char*, const char*> values[] = {
        {"LVDatum", "01.03.26"},        {"AbgabeDatum", "15.04.26"},  {"Abgabezeit", "10:30"},
        {"ZuschlagsFrist", "30.06.26"}, {"03", "Gemeinde Sonnenweg"}, {"DVNrAG", "DV-0815 "}};
    for (const auto& [key, value] : values)
        EXPECT_EQ(GetInfoValue(doc.list, 0, key), value) << key;

    // Areas hang below the records of their enclosing nodes; positions take the node index as id.
    const int area = doc.ByOz("01.01", "T");
    EXPECT_EQ(doc.list.GetInt(area, Fld::Level), 2);
    EXPECT_EQ(doc.Num(area, Fld::ParentId), doc.Num(doc.ByOz("01", "T"), Fld::RecordId));
    for (const CGaebTagNode* n = doc.tree.FirstRoot(); n; n = doc.tree.Next(n))
        if (n->HasName("Position")) {
            EXPECT_EQ(doc.Num(n->RecordIndex(), Fld::RecordId), n->Index());
        }

    const int dig = doc.ByOz("01.01.0010");
    EXPECT_EQ(doc.Num(dig, Fld::Quantity), 1250.0);
    EXPECT_EQ(doc.Text(dig, Fld::LongText),
              "Baugrube ausheben, Boden der Klasse 3-5,\r\nTiefe bis 2,50 m.\r\n einger\xfc"
              "ckte Zeile");
    // "ZuschlPosition": 5 % of 1000.
    EXPECT_EQ(doc.Text(doc.ByOz("01.01.0030"), Fld::Unit), "%");
    EXPECT_EQ(doc.Num(doc.ByOz("01.01.0030"), Fld::TotalPrice), 50.0);
    // Supplements of the client and the bidder.
    const int alt = doc.ByOz("01.02.0020");
    EXPECT_EQ(doc.Texts(alt, {Fld::SupplementIndex, Fld::BidderTexts}),
              "01B102B103A1|'Fabrikat'\r\n'Typ'\r\n|");
    EXPECT_NE(doc.Text(alt, Fld::LongText).find("Fabrikat '...', Typ '...'."), std::string::npos);
    EXPECT_EQ(doc.Text(doc.ByOz("01.02.0030"), Fld::Flags)[3], 'X');
    // Standard text number and the sub-description that follows.
    const int stl = doc.ByOz("01.02.0040");
    EXPECT_EQ(doc.Text(stl, Fld::LongText),
              "Stl-Nr 00 201/012 34 56 78 90\r\nVerdichtungsnachweis f\xfchren.");
    EXPECT_EQ(doc.Text(stl + 1, Fld::Kind) + doc.Text(stl + 1, Fld::SubKind), "BL");
    EXPECT_EQ(doc.Num(stl + 1, Fld::Quantity), 3.0);
    EXPECT_EQ(doc.Text(doc.OfKind("B").at(2), Fld::ShortText), "Ausf\xfchrungsbeschreibung 0003");

    // Supplement status, omission and the reference that replaces "&OZNR&".
    const int concrete = doc.ByOz("02.00.0010");
    EXPECT_EQ(doc.Text(concrete, Fld::Flags), "  A  R     3        ");
    EXPECT_EQ(doc.Text(concrete, Fld::LongText),
              "Beton C25/30 f\xfcr Bodenplatte,\r\nAusf\xfchrung gem\xe4\xdf "
              "Beschreibung 3.");
    // Without its own "Beschreibung" a position takes the next one.
    EXPECT_EQ(doc.Texts(doc.ByOz("02.00.0020"), {Fld::RepeatRef, Fld::ShortText}),
              "01.01.0010  |Schalung Bodenplatte|");
}

TEST(GaebMapping, BookmarksAndSupplements) {
    std::string t = "{\\bkmkstart  TA01}vor {\\bkmkstart Feld1}innen{\\bkmkend Feld1} nach{\\bkmkend TA01}.";
    CGaebMapper::ConvertBookmarks(t);
    EXPECT_EQ(t, "[TA01vor [innen] nach].");

    CAngebotList list;
    CGaebTagTree tree;
    CGaebMapper mapper(list, tree);
    const int r = list.AddRecord();
    list.SetText(r, Fld::SupplementIndex, " ");
    std::string bidder = "Typ &#91;TB01&#91;Fab\tri\r\nkat&#93;&#93; fertig";
    mapper.ResolveSupplements(bidder, r);
    EXPECT_EQ(bidder + "|" + list.GetText(r, Fld::SupplementIndex) + "|" + list.GetText(r, Fld::BidderTexts),
              "Typ '...' fertig|01B1|'Fabrikat'\r\n");

    std::string client = "Typ [TA02[Fabrikat]] fertig [TB";
    mapper.ResolveSupplements(client, r);
    EXPECT_EQ(client + "|" + list.GetText(r, Fld::SupplementIndex) + "|" + list.GetText(r, Fld::BidderTexts),
              "Typ 'Fabrikat' fertig [TB|01B102A1|");
}

TEST(GaebMapping, EverySampleMapsAndAgreesWithItsGaeb90Twin) {
    const std::vector<fs::path> files = SampleFiles(), twins = SampleFiles("gaeb90", ".d83");
    ORVAK_REQUIRE_SAMPLES(files);
    // Ordinal numbers compared by their non-zero digits: the GAEB 90 files pad the numbers
    // with blanks where the GAEB 2000 files write zeros.
    auto digits = [](const std::string& oz) {
        std::string d;
        for (char c : oz)
            if (c >= '1' && c <= '9') d += c;
        return d;
    };
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        Doc doc;
        ASSERT_TRUE(doc.Open(file.string()));
        int positions = 0;
        for (const CGaebTagNode* n = doc.tree.FirstRoot(); n; n = doc.tree.Next(n)) {
            if (!n->IsBlock() || !n->HasName("Position")) continue;
            ++positions;
            const int r = n->RecordIndex();
            ASSERT_GE(r, 0);
            const CGaebTagNode* quantity = doc.tree.FindItem("Menge", n);
            const CGaebTagNode* unit = doc.tree.FindItem("ME", n);
            EXPECT_EQ(doc.Num(r, Fld::Quantity),
                      quantity ? CNumberFormat::ParseLoose(quantity->Value()) : 0.0);
            EXPECT_EQ(doc.Text(r, Fld::Unit), unit ? unit->Value() : "");
            EXPECT_FALSE(Trim(doc.Text(r, Fld::ShortText)).empty() &&
                         Trim(doc.Text(r, Fld::LongText)).empty());
        }
        const std::vector<int> mapped = doc.OfKind("P");
        EXPECT_GT(positions, 0);
        EXPECT_EQ(mapped.size(), static_cast<size_t>(positions));

        // The same LV as GAEB 90 file gives the same positions.
        const auto twin =
            std::find_if(twins.begin(), twins.end(), [&](auto& t) { return t.stem() == file.stem(); });
        if (twin == twins.end()) continue;
        CAngebotList gaeb90;
        ASSERT_TRUE(CGaebConverter(gaeb90).ReadD83(twin->string()));
        std::vector<int> other;
        for (int i = 0; i < gaeb90.Count(); ++i)
            if (gaeb90.GetText(i, Fld::Kind) == "P") other.push_back(i);
        ASSERT_EQ(mapped.size(), other.size());
        for (size_t k = 0; k < mapped.size(); ++k) {
            const int a = mapped[k], b = other[k];
            EXPECT_EQ(digits(doc.Text(a, Fld::OZ)) + "|" + Trim(doc.Text(a, Fld::Unit)) + "|" +
                          Trim(doc.Text(a, Fld::ShortText)),
                      digits(gaeb90.GetText(b, Fld::OZ)) + "|" + Trim(gaeb90.GetText(b, Fld::Unit)) + "|" +
                          Trim(gaeb90.GetText(b, Fld::ShortText)));
            EXPECT_NEAR(doc.Num(a, Fld::Quantity), gaeb90.GetDouble(b, Fld::Quantity), 1e-9) << k;
        }
    }
}
