#include "model/info_blocks.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Parse(const std::string& text) {
    CAngebotList list;
    CInfoBlocks blocks(list);
    blocks.ParseLines(text);
    return blocks.Lines();
}

using Lines = std::vector<std::string>;

} // namespace

TEST(InfoBlocks, ParseLinesCountsBreaks) {
    EXPECT_EQ(Parse("A\r\n\r\nB"), (Lines{"A", "", "B"}));
    EXPECT_EQ(Parse("A\n\nB"), (Lines{"A", "B"}));
    EXPECT_EQ(Parse("A\r\nB"), (Lines{"A", "B"}));
    EXPECT_EQ(Parse("A\r\n"), (Lines{"A"}));
    EXPECT_EQ(Parse(""), Lines{});
    EXPECT_EQ(Parse("\r\n\r\n\r\n"), (Lines{"", "", ""}));
}

TEST(InfoBlocks, GetBlockJoinsValueLinesUpToNextKey) {
    CAngebotList list;
    CInfoBlocks blocks(list);
    blocks.ParseLines(
        "#INFORMATION ZU PROJEKT: \r\nNeubau\r\nSchule\r\n#INFORMATION ZU AUFTRAGGEBER: \r\nStadt");
    std::string value;
    EXPECT_EQ(blocks.GetBlock(InfoKey::Project, value), 1);
    EXPECT_EQ(value, "Neubau\r\nSchule");
    EXPECT_EQ(blocks.GetBlock(InfoKey::Client, value), 1);
    EXPECT_EQ(value, "Stadt");
    EXPECT_EQ(blocks.GetBlock(InfoKey::Bidder, value), 0);
    EXPECT_EQ(value, "");
}

TEST(InfoBlocks, SetBlockAppendsInsertsAndReplaces) {
    CAngebotList list;
    CInfoBlocks blocks(list);
    blocks.SetBlock("#A:", "eins");
    EXPECT_EQ(blocks.Lines(), (Lines{"#A:", "eins"}));
    blocks.SetBlock("#A:", "zwei\r\ndrei");
    EXPECT_EQ(blocks.Lines(), (Lines{"#A:", "zwei  drei"}));
    blocks.ParseLines("#A:\r\n#B:\r\nalt\r\nweiter");
    blocks.SetBlock("#A:", "neu");
    blocks.SetBlock("#B:", std::string(90, 'x'));
    EXPECT_EQ(blocks.Lines(), (Lines{"#A:", "neu", "#B:", std::string(80, 'x'), "weiter"}));
    blocks.ParseLines("#A:");
    blocks.SetBlock("#A:", "v");
    EXPECT_EQ(blocks.Lines(), (Lines{"#A:", "v"}));
}

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
