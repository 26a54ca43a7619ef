#include "gaebxml/markup_totals.h"
#include "gaebxml/xml_test_support.h"
#include "model/calculation.h"
#include "model/info_blocks.h"

#include <gtest/gtest.h>

namespace {

struct SmallLv : ::testing::Test {
    MappedXml lv{ReadText(FixturePath("lv_small.X83"))};
    CAngebotList& list = lv.list;

    int At(const std::string& oz) {
        const int r = RecordByOz(list, oz);
        EXPECT_NE(r, -1) << oz;
        return r;
    }
    std::string Text(const std::string& oz, Fld field) { return list.GetText(At(oz), field); }
};

TEST_F(SmallLv, LvRecordWithInformationBlocks) {
    ASSERT_GT(list.Count(), 0);
    EXPECT_EQ(list.GetText(0, Fld::Kind), "L");
    EXPECT_EQ(list.GetInt(0, Fld::Level), 0);
    EXPECT_EQ(list.GetText(0, Fld::ShortText), "Rohbau Kita");
    EXPECT_EQ(list.GetText(0, Fld::LongText), "Neubau Kita Am Weiher");
    CInfoBlocks blocks(list);
    blocks.ParseLines(list.GetText(0, Fld::InfoText));
    std::string value;
    ASSERT_TRUE(blocks.GetBlock(InfoKey::Lv, value));
    EXPECT_EQ(value, std::string("Rohbau Kita") + std::string(29, ' ') + "10.02.2605.03.2610:3029.05.26  ");
    blocks.GetBlock(InfoKey::Project, value);
    EXPECT_EQ(value, "Neubau Kita Am Weiher");
    blocks.GetBlock(InfoKey::Client, value);
    EXPECT_EQ(value, "Gemeinde Seeberg\r\nBauamt\r\nMarktplatz 1\r\n12345 Seeberg");
    blocks.GetBlock(InfoKey::Currency, value);
    EXPECT_EQ(value, "EUR   Euro");
    EXPECT_FALSE(blocks.GetBlock(InfoKey::Bidder, value));
    // The award's text heads the LV.
    EXPECT_EQ(list.GetText(1, Fld::Kind), "B");
    EXPECT_EQ(list.GetText(1, Fld::ShortText), "Vorbemerkungen zur Ausschreibung");
    EXPECT_EQ(list.GetText(1, Fld::LongText), "Die Preise sind Festpreise.");
    EXPECT_EQ(list.GetInt(1, Fld::Level), 1);
}

TEST_F(SmallLv, CategoriesItemsAndTheirTexts) {
    EXPECT_EQ(Text("1 1", Fld::Kind), "T");
    EXPECT_EQ(Text("1 1", Fld::ShortText), "Aushub");
    EXPECT_EQ(list.GetInt(At("1 1"), Fld::Level), 2);
    const int item = At("1 1  10");
    EXPECT_EQ(list.GetText(item, Fld::Kind), "P");
    EXPECT_EQ(list.GetText(item, Fld::SubKind), "N");
    EXPECT_EQ(list.GetInt(item, Fld::Level), 3);
    EXPECT_EQ(list.GetDouble(item, Fld::ParentId), list.GetDouble(At("1 1"), Fld::RecordId));
    EXPECT_DOUBLE_EQ(list.GetDouble(item, Fld::Quantity), 120.5);
    EXPECT_EQ(list.GetText(item, Fld::Unit), "m3");
    EXPECT_EQ(list.GetText(item, Fld::ShortText), "Baugrube ausheben");
    // Paragraphs and br as lines, a table row as a line, the image left out, "≤" and "–"
    // in Windows-1252.
    EXPECT_EQ(list.GetText(item, Fld::LongText),
              "Baugrube ausheben, Tiefe <= 2,5 m,\r\nBoden lagern.\r\n\r\nKlasse\t3\x96"
              "5\r\nAbstand 10 cm");
    EXPECT_EQ(list.GetText(item, Fld::Flags).size(), CGaebXmlMapper::kFlagsLength);
    // The remark before it.
    const int remark = item - 1;
    EXPECT_EQ(list.GetText(remark, Fld::Kind), "B");
    EXPECT_EQ(list.GetText(remark, Fld::ShortText), "Hinweis Boden");
    EXPECT_EQ(list.GetText(remark, Fld::LongText), "Boden nach DIN 18300.");
}

TEST_F(SmallLv, TotalsRules) {
    for (const char* oz : {"1 2  10", "1 2  20", "1 2  30", "1 2  40.A"})
        list.SetDouble(At(oz), Fld::UnitPrice, 10.0);
    list.SetDouble(At("1 2  50"), Fld::Quantity, 5.0);
    for (int i = 0; i < list.Count(); ++i)
        if (list.GetChar(i, Fld::Kind) == Kind::Position) RecalcPosition(list, i);
    UpdateMarkupTotals(list, lv.document);
    list.LinkDisplayChain();
    list.InsertGroupSums();
    CalcAll(list);
    EXPECT_DOUBLE_EQ(list.GetDouble(At("1 2  10"), Fld::TotalPrice), 500.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(At("1 2  20"), Fld::TotalPrice), 0.0);    // alternative
    EXPECT_DOUBLE_EQ(list.GetDouble(At("1 2  30"), Fld::TotalPrice), 0.0);    // eventual without total
    EXPECT_DOUBLE_EQ(list.GetDouble(At("1 2  40.A"), Fld::TotalPrice), 40.0); // eventual with total
    EXPECT_DOUBLE_EQ(list.GetDouble(At("1 2  50"), Fld::UnitPrice), 540.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(At("1 2  50"), Fld::TotalPrice), 27.0); // 5 % of 540
    EXPECT_DOUBLE_EQ(list.GetDouble(At("1 2"), Fld::TotalPrice), 567.0);
}

TEST(GaebXmlMapper, NothingIsDropped) {
    // An unknown element still becomes a position; categories nested beyond the model's
    // levels keep their content.
    std::string nested;
    const int depth = CGaebXmlMapper::kMaxLevels + 5;
    for (int i = 0; i < depth; ++i)
        nested += "<BoQCtgy RNoPart=\"1\"><BoQBody>";
    nested += "<Itemlist>" + XmlItem("D", "1", "Tief") + "</Itemlist>";
    for (int i = 0; i < depth; ++i)
        nested += "</BoQBody></BoQCtgy>";
    MappedXml lv(GaebXml(
        "<Itemlist><FutureItem ID=\"F1\" RNoPart=\"20\"><Qty>3</Qty></FutureItem></Itemlist>" + nested));
    ASSERT_EQ(lv.list.Count(), 2 + depth + 1);
    EXPECT_EQ(lv.list.GetText(1, Fld::Kind), "P");
    EXPECT_EQ(lv.list.GetText(1, Fld::ShortText), "Unbekanntes Element FutureItem");
    EXPECT_DOUBLE_EQ(lv.list.GetDouble(1, Fld::Quantity), 3.0);
    const int deepest = lv.list.Count() - 1;
    EXPECT_EQ(lv.list.GetText(deepest, Fld::ShortText), "Tief");
    EXPECT_LE(lv.list.GetInt(deepest, Fld::Level), CGaebXmlMapper::kMaxLevels + 1);
}

} // namespace
