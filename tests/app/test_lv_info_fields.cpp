#include "app/lv_info_fields.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

namespace {

struct LvInfoData {
    CAngebotList list;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    int lv = -1, pos = -1;

    void Build(const std::string& lvLine, double vat) {
        lv = AddRec(list, "L", 1, 0, 1);
        list.SetText(lv, Fld::InfoText,
                     std::string(InfoKey::Lv) + " \r\n" + lvLine + "\r\n" + InfoKey::Client +
                         " \r\nStadt\r\nAmt 3");
        pos = AddPos(list, 2, 1, 2, 1, 100);
        list.SetDouble(pos, Fld::VatPct, vat);
        list.LinkDisplayChain();
    }
};

struct LvInfoFixture : LvInfoData, ::testing::Test {};

} // namespace

TEST_F(LvInfoFixture, ChangesGoToSettingsAndOnOkToTheBlocks) {
    Build("LV", 0);
    CLvInfoFields f(list, settings);
    f.Open(pos);
    EXPECT_EQ(f.Currency(), "EUR");
    f.SetBidder("Bau GmbH");
    f.SetCurrency("CHF");
    // A rate outside 0..100 is refused: neither the setting nor the button takes it.
    EXPECT_FALSE(f.SetVatText("150"));
    EXPECT_FALSE(f.ApplyVatToAll());
    EXPECT_TRUE(f.SetVatText("7"));
    std::string text;
    int32_t number = 0;
    EXPECT_TRUE(settings.Bidder(text) && text == "Bau GmbH");
    EXPECT_TRUE(settings.Vat(number) && number == 7);
    EXPECT_EQ(list.GetText(lv, Fld::InfoText).find("Bau GmbH"), std::string::npos); // not before OK
    ASSERT_TRUE(f.ApplyVatToAll());
    EXPECT_EQ(list.GetDouble(pos, Fld::VatPct), 7.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(lv, Fld::TotalGross), 107.0);
    f.Store();
    CInfoBlocks blocks(list);
    blocks.LoadFromSelection(pos);
    EXPECT_TRUE(blocks.GetBlock(InfoKey::Bidder, text) && text == "Bau GmbH");
    EXPECT_TRUE(blocks.GetBlock(InfoKey::Currency, text) && text == "CHF");
}
