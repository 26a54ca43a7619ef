#include "model/info_blocks.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

} // namespace

TEST(InfoBlocks, LvRecordAndStoring) {
    CAngebotList list;
    const int contract = AddRec(list, "L", 1, 0, 1, "C");
    AddRec(list, "B", 2, 1, 2, "C");
    const int lv = AddRec(list, "L", 3, 0, 1);
    const int title = AddRec(list, "T", 4, 3, 2);
    const int pos = AddPos(list, 5, 4, 3, 1, 1);
    list.LinkDisplayChain();
    EXPECT_EQ(CInfoBlocks::LvRecordOf(list, pos), lv);
    EXPECT_EQ(CInfoBlocks::LvRecordOf(list, title), lv);
    EXPECT_EQ(CInfoBlocks::LvRecordOf(list, contract), lv);
    EXPECT_EQ(CInfoBlocks::LvRecordOf(list, 1), lv);
    EXPECT_EQ(CInfoBlocks::LvRecordOf(list, -1), -1);

    list.SetText(lv, Fld::InfoText, "#INFORMATION ZU BIETER/AUFTRAGNEHMER: \r\nalt");
    CInfoBlocks blocks(list);
    blocks.LoadFromSelection(pos);
    blocks.SetBlock(InfoKey::Bidder, "Bau GmbH");
    blocks.StoreToRecord(-1);
    EXPECT_EQ(list.GetText(lv, Fld::InfoText), "#INFORMATION ZU BIETER/AUFTRAGNEHMER: \r\nBau GmbH");

    // Top-level records are contract block and LV (level 1); the object's lines stay.
    blocks.SetBlockInAllTopLevel(InfoKey::Currency, "EUR");
    EXPECT_EQ(list.GetText(contract, Fld::InfoText), std::string(InfoKey::Currency) + "\r\nEUR");
    EXPECT_EQ(list.GetText(lv, Fld::InfoText), "#INFORMATION ZU BIETER/AUFTRAGNEHMER: \r\nBau GmbH\r\n" +
                                                   std::string(InfoKey::Currency) + "\r\nEUR");
    EXPECT_EQ(list.GetText(title, Fld::InfoText), "");
    EXPECT_EQ(blocks.Lines().size(), 2u);
    std::string value;
    CInfoBlocks::GetBlockOfFirstRecord(list, InfoKey::Currency, value);
    EXPECT_EQ(value, "EUR");

    CAngebotList empty;
    CInfoBlocks none(empty);
    none.LoadFromSelection(0);
    none.StoreToRecord(-1); // no LV: nothing stored, nothing crashes
    EXPECT_TRUE(none.Lines().empty());
}
