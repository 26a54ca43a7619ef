#include "app/print_settings_fields.h"
#include "print/bid_print_layout.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PrintFieldsFixture : ::testing::Test {
    CAngebotList list;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    int lv = -1, pos = -1;

    void SetUp() override {
        // A contract-regulation block in front of the LV, then the LV with one position.
        AddRec(list, "L", 1, 0, 1, "C");
        lv = AddRec(list, "L", 2, 0, 1);
        pos = AddPos(list, 3, 2, 2, 1, 100);
        list.LinkDisplayChain();
    }
    void SetInfo(const std::string& text) { list.SetText(lv, Fld::InfoText, text); }
    std::string Block(const char* key) {
        CInfoBlocks blocks(list);
        blocks.LoadFromSelection(pos);
        std::string value;
        blocks.GetBlock(key, value);
        return value;
    }
};

} // namespace

TEST_F(PrintFieldsFixture, TypedBidderStaysAfterCancelButNotInTheLayout) {
    CBidPrintLayout layout;
    layout.SetBidderText("Vorher GmbH");
    layout.SetPrintPrices(false);
    {
        CPrintSettingsFields f(list, settings);
        f.Open(pos, "24.06.2025");
        f.SetBidder("Neu GmbH");
        f.SetCurrency("CHF");
        f.SetPrintPrices(true);
        EXPECT_TRUE(f.RecordsChanged());
    } // cancelled: no StoreSettings
    std::string value;
    ASSERT_TRUE(settings.Bidder(value));
    EXPECT_EQ(value, "Neu GmbH");
    ASSERT_TRUE(settings.Currency(value));
    EXPECT_EQ(value, "CHF");
    CInfoBlocks top(list);
    top.ParseLines(list.GetText(lv, Fld::InfoText));
    ASSERT_TRUE(top.GetBlock(InfoKey::Bidder, value)); // the LV is a top-level record
    EXPECT_EQ(value, "Neu GmbH");
    EXPECT_EQ(layout.BidderText(), "Vorher GmbH"); // the printed footer keeps the previous bidder
    EXPECT_FALSE(layout.PrintPrices());

    // Typing back what was shown is no change of the bid.
    CPrintSettingsFields g(list, settings);
    g.Open(pos, "24.06.2025");
    g.SetBidder("Anders");
    g.SetBidder("Neu GmbH");
    EXPECT_FALSE(g.RecordsChanged());
}
