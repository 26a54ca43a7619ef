#include "app/bid_check.h"
#include "model/calculation.h"
#include "model/display_tree.h"
#include "model/info_blocks.h"
#include "support/record_builder.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kMenge = ColumnNumber(PosCol::Quantity);
constexpr int kSonstiges = ColumnNumber(PosCol::OtherShare);
constexpr int kEp = ColumnNumber(PosCol::UnitPrice);

// One LV with a title of positions that each lack something (or not), and sum lines.
struct SmallBid {
    CAngebotList list;
    int lv, priced, noPrice, split, surcharge, bidderQty, supplements, omitted, contract, alternative,
        eventual, remark;
    double id = 1;

    int Pos(const std::string& oz, const std::string& text, double quantity, double ep,
            const std::string& flags = "", const std::string& posType = "N") {
        const int r = AddPos(list, ++id, 2, 3, quantity, ep, flags, posType);
        list.SetText(r, Fld::OZ, oz);
        list.SetText(r, Fld::ShortText, text);
        return r;
    }

    SmallBid() {
        lv = AddRec(list, "L", 1, 0, 1);
        list.SetText(lv, Fld::ShortText, "Neubau Kita");
        AddRec(list, "T", ++id, 1, 2);
        list.SetText(1, Fld::OZ, "01");
        priced = Pos("01.0010", "Mauerwerk", 12.0, 48.5);
        noPrice = Pos("01.0020", "Beton C25/30", 3.0, 0.0);
        split = Pos("01.0030", "Schalung", 20.0, 0.0, "X");
        surcharge = Pos("01.0040", "Zuschlag", 0.0, 0.0, " Z");
        bidderQty = Pos("01.0050", "Stundenlohn", 0.0, 55.0, "   X");
        supplements = Pos("01.0060", "Fenster", 4.0, 300.0, "        X");
        list.SetText(supplements, Fld::SupplementIndex, "01A102B103B1");
        list.SetText(supplements, Fld::BidderTexts, "'Fabrikat Holm'\r\n''\r\n");
        omitted = Pos("01.0070", "entf\xe4llt", 1.0, 0.0, "     R");
        contract = Pos("01.0080", "Vertragstext", 1.0, 0.0, "", "C");
        alternative = Pos("01.0090", "Alternativ Putz", 5.0, 0.0, "", "A");
        eventual = Pos("01.0100", "Eventuell Abbruch", 5.0, 0.0, "", "E");
        remark = AddRec(list, "B", ++id, 2, 3);
        AddRec(list, "S", ++id, 2, 3);
        AddRec(list, "S", ++id, 1, 2);
        list.LinkDisplayChain();
        list.BuildAllLabels();
        CalcAll(list);
    }

    void SetBlock(const char* key, const std::string& value) {
        CInfoBlocks blocks(list);
        blocks.ParseLines(list.GetText(lv, Fld::InfoText));
        blocks.SetBlock(key, value);
        blocks.StoreToRecord(lv);
    }
};

struct Found {
    CheckItem item;
    int record;
    int column;
    bool operator==(const Found&) const = default;
};

std::vector<Found> Summary(const std::vector<SBidFinding>& findings) {
    std::vector<Found> out;
    for (const SBidFinding& f : findings)
        out.push_back({f.item, f.record, f.column});
    return out;
}

void PrintTo(const Found& f, std::ostream* os) {
    *os << "{item " << static_cast<int>(f.item) << ", record " << f.record << ", column " << f.column << "}";
}

} // namespace

TEST(BidCheck, EachFindingOnASmallBid) {
    SmallBid bid;
    CBidCheck check;
    check.Run(bid.list);
    // The whole bid first (no bidder, no currency, no VAT), then the rows in tree order; the
    // omitted position and the contract text give nothing, though unpriced.
    EXPECT_EQ(Summary(check.Gaps()), (std::vector<Found>{
                                         {CheckItem::Bidder, -1, -1},
                                         {CheckItem::Currency, -1, -1},
                                         {CheckItem::NoVatRate, -1, -1},
                                         {CheckItem::UnitPrice, bid.noPrice, kEp},
                                         {CheckItem::UnitPrice, bid.split, kSonstiges},
                                         {CheckItem::SurchargePercent, bid.surcharge, kMenge},
                                         {CheckItem::BidderQuantity, bid.bidderQty, kMenge},
                                         {CheckItem::BidderText, bid.supplements, -1},
                                     }));
    // Alternatives and eventual positions without a price are hints, listed apart.
    EXPECT_EQ(Summary(check.Hints()), (std::vector<Found>{{CheckItem::UnitPrice, bid.alternative, kEp},
                                                          {CheckItem::UnitPrice, bid.eventual, kEp}}));
    EXPECT_FALSE(check.Complete());

    // Each finding names its row and what is missing, in German.
    const SBidFinding& price = check.Gaps()[3];
    EXPECT_EQ(price.oz, "01.0020");
    EXPECT_EQ(price.Line(), "01.0020  Einheitspreis fehlt (Beton C25/30)");
    const SBidFinding& text = check.Gaps()[7];
    EXPECT_EQ(text.Line(), "01.0060  Texterg\xe4nzung 03 des Bieters fehlt (Fenster)");
    EXPECT_EQ(text.supplement, 1); // the second supplement of the bidder in the memo pane's list
    EXPECT_EQ(check.Gaps()[0].Line(), "Kein Bieter angegeben");
    EXPECT_EQ(check.Gaps()[1].Line(), "Keine W\xe4hrung angegeben");
    EXPECT_EQ(check.Hints()[0].Text(), "Alternativposition ohne Einheitspreis (Alternativ Putz)");
    EXPECT_EQ(check.Hints()[1].Text(), "Eventualposition ohne Einheitspreis (Eventuell Abbruch)");
    EXPECT_TRUE(check.Hints()[0].hint);
    EXPECT_EQ(check.FirstRowGap(), &check.Gaps()[3]);
}

TEST(BidCheck, FilledBidIsCompleteAndHintsAloneLeaveItComplete) {
    SmallBid bid;
    CAngebotList& list = bid.list;
    bid.SetBlock(InfoKey::Bidder, "Bau GmbH");
    bid.SetBlock(InfoKey::Currency, "EUR");
    SetVatForAll(list, bid.lv, 19.0);
    list.SetDouble(bid.noPrice, Fld::UnitPrice, 120.0);
    list.SetDouble(bid.split, Fld::OtherShare, 2.0);
    list.SetDouble(bid.split, Fld::UnitPrice, 2.0);
    list.SetDouble(bid.surcharge, Fld::Quantity, 5.0);
    list.SetDouble(bid.bidderQty, Fld::Quantity, -2.0); // a negative entry is an entry
    list.SetText(bid.supplements, Fld::BidderTexts, "'Fabrikat Holm'\r\n'Typ 4'\r\n");
    CBidCheck check;
    check.Run(list);
    EXPECT_TRUE(check.Complete());
    EXPECT_EQ(check.FirstRowGap(), nullptr);
    EXPECT_EQ(check.Hints().size(), 2u);

    // Several VAT rates are reported as a hint, naming the rate the files carry.
    list.SetDouble(bid.priced, Fld::VatPct, 7.0);
    RecalcPosition(list, bid.priced);
    check.Run(list);
    EXPECT_TRUE(check.Complete());
    ASSERT_EQ(check.Hints().size(), 3u);
    EXPECT_EQ(check.Hints()[0].item, CheckItem::MixedVatRates);
    EXPECT_EQ(check.Hints()[0].record, -1);
    EXPECT_EQ(check.Hints()[0].what, "Die Positionen haben verschiedene Mehrwertsteuers\xe4tze (7 %, 19 %); "
                                     "die GAEB-Datei nennt den Satz mit dem gr\xf6\xdf"
                                     "ten Nettoanteil, 19 %");
}

namespace {

// The grid of the small bid, counting the rows whose record the search asked for.
class CCountingGrid : public CMemoryGrid {
public:
    int GetItemRecord(Row row) const override {
        ++reads;
        return CMemoryGrid::GetItemRecord(row);
    }
    mutable int reads = 0;
};

struct OpenEntries : ::testing::Test {
    SmallBid bid;
    CCountingGrid grid;
    void SetUp() override {
        SetupPositionColumns(grid);
        FillList(grid, bid.list, "", "");
    }
    int Next(int fromRecord) {
        const IGrid::Row from = fromRecord == -1 ? IGrid::kNoRow : grid.FindItemByRecord(fromRecord);
        grid.reads = 0;
        return grid.GetItemRecord(FindNextOpenEntry(grid, bid.list, from));
    }
};

} // namespace

TEST_F(OpenEntries, F3WalksTheGapsInTreeOrderAndWraps) {
    // From the top (no row selected) the first gap; then one by one; hints (alternative,
    // eventual) and rows without a gap are passed over; after the last gap the first again.
    EXPECT_EQ(Next(-1), bid.noPrice);
    std::vector<int> walk;
    int r = bid.noPrice;
    for (int step = 0; step < 7; ++step)
        walk.push_back(r = Next(r));
    EXPECT_EQ(walk, (std::vector<int>{bid.split, bid.surcharge, bid.bidderQty, bid.supplements, bid.noPrice,
                                      bid.split, bid.surcharge}));
    EXPECT_EQ(Next(bid.eventual), bid.noPrice);
    EXPECT_EQ(Next(bid.lv), bid.noPrice);
}
