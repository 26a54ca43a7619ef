#include "common/number_format.h"
#include "model/calculation.h"
#include "support/record_builder.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"

#include <gtest/gtest.h>

namespace {

using Row = IGrid::Row;

// LV (1) > Titel (2) > priced positions (3: shares, 4: plain), remark (5), sums (6, 7);
// a title (8) whose parent id names a record further down (9); record 10 is not in the chain.
struct PositionListFixture : ::testing::Test {
    CAngebotList list;
    CMemoryGrid grid;
    int lv = -1, title = -1, split = -1, plain = -1, remark = -1, sum = -1, lvSum = -1, early = -1, late = -1,
        lost = -1;

    void SetUp() override {
        CNumberFormat::SetUserSeparators(",", ".");
        lv = AddRec(list, "L", 1, 0, 1);
        list.SetText(lv, Fld::Label, "Leistungsverzeichnis");
        list.SetText(lv, Fld::ShortText, "Rohbau   ");
        list.SetText(lv, Fld::LongText, "Neubau einer Kita\r\nBauabschnitt 1");
        title = AddRec(list, "T", 2, 1, 2);
        list.SetText(title, Fld::Label, "  Titel");
        list.SetText(title, Fld::OZ, "01.  ");
        split = AddPos(list, 3, 2, 3, 1234.5, 2.5, "X");
        list.SetText(split, Fld::Label, "   Pos.");
        list.SetText(split, Fld::Unit, "m2  ");
        list.SetDouble(split, Fld::OtherShare, 1.0);
        list.SetDouble(split, Fld::WageShare, 1.5);
        list.SetDouble(split, Fld::VatPct, 19.0);
        RecalcPosition(list, split);
        plain = AddPos(list, 4, 2, 3, 2.0, 10.005);
        RecalcPosition(list, plain);
        remark = AddRec(list, "B", 5, 2, 3);
        sum = AddRec(list, "S", 6, 2, 3);
        list.SetText(sum, Fld::Label, "  Summe/Ende");
        lvSum = AddRec(list, "S", 7, 1, 2);
        early = AddRec(list, "T", 8, 9, 1);
        late = AddRec(list, "P", 9, 0, 1);
        lost = AddRec(list, "P", 10, 0, 1);
        list.LinkDisplayChain();
        list.Record(late)->m_next = -1; // the last record can no longer be reached
        SetupPositionColumns(grid);
    }

    std::string Cell(int record, PosCol column) {
        return grid.GetItemText(grid.FindItemByRecord(record), ColumnNumber(column));
    }
};

} // namespace

TEST_F(PositionListFixture, FillsTheTreeInDisplayOrder) {
    FillList(grid, list, "", "");
    // Every reachable record has one row; the record outside the chain has none.
    EXPECT_EQ(grid.RowCount(), 9);
    EXPECT_EQ(grid.FindItemByRecord(lost), IGrid::kNoRow);

    const Row lvRow = grid.FirstRow();
    EXPECT_EQ(grid.GetItemRecord(lvRow), lv);
    const Row titleRow = grid.FirstChild(lvRow);
    EXPECT_EQ(grid.GetItemRecord(titleRow), title);
    EXPECT_EQ(grid.GetItemRecord(grid.NextSibling(titleRow)), lvSum);
    // The children of the title in chain order.
    std::vector<int> children;
    for (Row r = grid.FirstChild(titleRow); r != IGrid::kNoRow; r = grid.NextSibling(r))
        children.push_back(grid.GetItemRecord(r));
    EXPECT_EQ(children, (std::vector<int>{split, plain, remark, sum}));
    // A parent further down the chain does not count: the title goes to the top level.
    EXPECT_EQ(grid.Parent(grid.FindItemByRecord(early)), IGrid::kNoRow);
    EXPECT_EQ(grid.NextSibling(lvRow), grid.FindItemByRecord(early));

    // All rows expanded, the first row selected.
    for (Row r = 0; r < grid.RowCount(); ++r)
        EXPECT_EQ(grid.IsExpanded(r), grid.FirstChild(r) != IGrid::kNoRow) << r;
    EXPECT_EQ(grid.SelectedRow(), lvRow);
}

TEST_F(PositionListFixture, RefreshShowsNewTotalsAndSeparators) {
    FillList(grid, list, "", "");
    CalcAll(list);
    RefreshNumbers(grid, list);
    // After the calculation the sums show, and sum lines their derived percentages.
    EXPECT_EQ(Cell(title, PosCol::TotalPrice), "3.106,26");
    EXPECT_EQ(Cell(sum, PosCol::VatPct), "18,88");
    EXPECT_EQ(Cell(lvSum, PosCol::TotalPrice), "3.106,26");
    EXPECT_EQ(Cell(split, PosCol::Unit), "m2"); // texts that are not numbers stay

    CNumberFormat::SetUserSeparators(".", ",");
    RefreshNumbers(grid, list);
    EXPECT_EQ(Cell(split, PosCol::Quantity), "1,234.500");
    EXPECT_EQ(Cell(early, PosCol::TotalPrice), "0.00");
    CNumberFormat::SetUserSeparators(",", ".");
    RefreshNumbers(grid, list);

    // From a row on: that row, its siblings and their children only.
    list.SetDouble(split, Fld::Quantity, 2.0);
    list.SetDouble(lv, Fld::TotalPrice, 1.0);
    RefreshNumbers(grid, list, grid.FindItemByRecord(split));
    EXPECT_EQ(Cell(split, PosCol::Quantity), "2,000");
    EXPECT_EQ(Cell(lv, PosCol::TotalPrice), "3.106,26");
}
