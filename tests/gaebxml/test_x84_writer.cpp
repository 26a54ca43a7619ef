#include "common/safe_file.h"
#include "gaebxml/gaeb_xml_import.h"
#include "gaebxml/x84_writer.h"
#include "gaebxml/xml_names.h"
#include "gaebxml/xml_test_support.h"
#include "model/calculation.h"
#include "model/info_blocks.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace {

// The small LV opened from a folder of its own, priced as a bidder would.
struct PricedLv : ::testing::Test {
    fs::path dir = TestFolder("orvak_x84_writer");
    fs::path x83 = dir / "lv_small.X83";
    CAngebotList list;
    CGaebXmlImport import;

    void SetUp() override {
        fs::copy_file(FixturePath("lv_small.X83"), x83);
        ASSERT_TRUE(import.Open(x83.string(), list).Ok()) << import.LastError().Describe();
        const struct {
            const char* oz;
            double price;
        } prices[] = {{"1 1  10", 12.345}, {"1 1  20", 800},   {"1 1  30", 9.5},
                      {"1 2  10", 10},     {"1 2  20", 15},    {"1 2  30", 60},
                      {"1 2  40.A", 85},   {"2 1  10", 310.4}, {"2 1  20", 25}};
        for (const auto& p : prices)
            Set(p.oz, Fld::UnitPrice, p.price);
        Set("1 1  30", Fld::Quantity, 42.0);
        Set("1 2  50", Fld::Quantity, 3.0);
        list.SetText(At("2 1  10"), Fld::BidderTexts, "'Fabrikat M\xfcller'\r\n'T-100'\r\n");
        CInfoBlocks blocks(list);
        blocks.ParseLines(list.GetText(0, Fld::InfoText));
        blocks.SetBlock(InfoKey::Bidder, "Bau GmbH & Co. KG");
        blocks.StoreToRecord(0);
        SetVatForAll(list, 0, 19.0);
    }

    int At(const std::string& oz) { return RecordByOz(list, oz); }
    void Set(const std::string& oz, Fld field, double value) {
        const int r = At(oz);
        list.SetDouble(r, field, value);
        RecalcPosition(list, r);
    }

    std::string Build() {
        CX84Writer writer(list, *import.Document());
        writer.SetStampTime("2026-04-01", "10:15:00");
        writer.vatRate = 19.0;
        std::string text;
        EXPECT_TRUE(writer.Build(text).Ok());
        return text;
    }
};

// The golden file holds every price, the totals (net, VAT, gross) and the DA84 namespace.
TEST_F(PricedLv, MatchesGoldenFile) {
    EXPECT_EQ(Build(), ReadText(FixturePath("lv_small_expected.X84")));
}

TEST_F(PricedLv, ReopenedWithTheBidBesideShowsEveryPrice) {
    CX84Writer writer(list, *import.Document());
    writer.vatRate = 19.0;
    ASSERT_TRUE(writer.Write((dir / "lv_small.x84").string()).Ok());

    CAngebotList reopened;
    CGaebXmlImport again;
    ASSERT_TRUE(again.Open(x83.string(), reopened).Ok()) << again.LastError().Describe();
    EXPECT_EQ(again.BidPath(), (dir / "lv_small.x84").string());
    ASSERT_EQ(reopened.Count(), list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        for (Fld field : {Fld::Quantity, Fld::UnitPrice, Fld::TotalPrice, Fld::TotalGross, Fld::VatPct})
            EXPECT_DOUBLE_EQ(reopened.GetDouble(i, field), list.GetDouble(i, field))
                << list.GetText(i, Fld::OZ) << " field " << FieldNumber(field);
        EXPECT_EQ(reopened.GetText(i, Fld::BidderTexts), list.GetText(i, Fld::BidderTexts));
    }
    CInfoBlocks blocks(reopened);
    blocks.ParseLines(reopened.GetText(0, Fld::InfoText));
    std::string bidder;
    blocks.GetBlock(InfoKey::Bidder, bidder);
    EXPECT_EQ(bidder, "Bau GmbH & Co. KG");

    // Opening the X84 itself finds its X83 and gives the same.
    CAngebotList viaBid;
    CGaebXmlImport third;
    ASSERT_TRUE(third.Open((dir / "lv_small.x84").string(), viaBid).Ok());
    EXPECT_EQ(viaBid.Count(), list.Count());
    EXPECT_DOUBLE_EQ(viaBid.GetDouble(0, Fld::TotalPrice), list.GetDouble(0, Fld::TotalPrice));
}

} // namespace
