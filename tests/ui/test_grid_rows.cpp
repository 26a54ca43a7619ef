#include "ui/memory_grid.h"

#include <gtest/gtest.h>

namespace {

using Row = IGrid::Row;
constexpr Row kNone = IGrid::kNoRow;

// root0 (a, b (c)), root1 (d)
struct TreeFixture : ::testing::Test {
    CMemoryGrid grid;
    Row root0 = kNone, a = kNone, b = kNone, c = kNone, root1 = kNone, d = kNone;

    void SetUp() override {
        grid.InsertColumn("Position", ColumnAlign::Left, 150, 0);
        grid.InsertColumn("Menge", ColumnAlign::Right, 50, 3);
        grid.resets = 0;
        grid.BeginFill();
        root0 = grid.InsertItem(kNone, "root0", 2);
        a = grid.InsertItem(root0, "a", 4);
        b = grid.InsertItem(root0, "b", 3);
        c = grid.InsertItem(b, "c", 4);
        root1 = grid.InsertItem(kNone, "root1", 2);
        d = grid.InsertItem(root1, "d", 4);
        grid.EndFill();
    }
};

} // namespace

TEST(GridRows, ColumnTextsAreOneJoinedString) {
    CMemoryGrid grid;
    const Row row = grid.InsertItem(kNone, "Pos.", 4);
    // Column 5 of a row that holds only column 0: four empty pieces in between.
    ASSERT_TRUE(grid.SetItemText(row, 5, "12,50"));
    EXPECT_EQ(grid.GetItemText(row, 3), "");
    EXPECT_EQ(grid.GetItemText(row, 0), "Pos.");
    EXPECT_EQ(grid.GetItemText(row, 5), "12,50");
    EXPECT_EQ(grid.GetItemText(row, 9), ""); // beyond the last separator

    // Replacing a piece keeps the others.
    ASSERT_TRUE(grid.SetItemText(row, 0, "Leit-Pos."));
    ASSERT_TRUE(grid.SetItemText(row, 5, ""));
    EXPECT_EQ(grid.GetItemText(row, 0), "Leit-Pos.");
    EXPECT_EQ(grid.GetItemText(row, 5), "");

    // Column 1 while column 0 is empty.
    const Row empty = grid.InsertItem(kNone, "", 4);
    grid.SetItemText(empty, 1, "01.02");
    EXPECT_EQ(grid.GetItemText(empty, 0), "");
    EXPECT_EQ(grid.GetItemText(empty, 1), "01.02");

    // The separator byte inside a text would split it: it is stored as a blank.
    grid.SetItemText(empty, 2, "Absatz\xb6 Ende");
    EXPECT_EQ(grid.GetItemText(empty, 2), "Absatz  Ende");
    EXPECT_EQ(grid.GetItemText(empty, 3), "");

    EXPECT_FALSE(grid.SetItemText(kNone, 1, "x"));
    EXPECT_FALSE(grid.SetItemText(row, -1, "x"));
    EXPECT_EQ(grid.GetItemText(42, 0), "");
}

TEST_F(TreeFixture, ShadingAlternatesInInsertionOrderNotTreePlace) {
    // Inserted as root0, a, b, c, root1, d: 1st, 3rd, 5th unshaded.
    const Row order[] = {root0, a, b, c, root1, d};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(grid.IsItemShaded(order[i]), i % 2 == 1) << i;
    // A refill starts again with an unshaded row.
    grid.BeginFill();
    const Row first = grid.InsertItem(kNone, "x", 0);
    grid.EndFill();
    EXPECT_FALSE(grid.IsItemShaded(first));
}

TEST_F(TreeFixture, WalksTheTreeAndTheVisibleRows) {
    EXPECT_EQ(grid.NextSibling(b), kNone);
    EXPECT_EQ(grid.PrevSibling(b), a);
    EXPECT_EQ(grid.PrevSibling(a), kNone);
    EXPECT_EQ(grid.Parent(c), b);
    EXPECT_EQ(grid.FirstChild(c), kNone);
    EXPECT_EQ(grid.FirstChild(kNone), kNone);
    EXPECT_EQ(grid.Parent(99), kNone);
    // Nothing expanded: only the top-level rows are visible.
    EXPECT_EQ(grid.NextVisible(root0), root1);
    EXPECT_EQ(grid.NextVisible(root1), kNone);
    grid.ExpandAll();
    EXPECT_TRUE(grid.IsExpanded(b));
    EXPECT_FALSE(grid.IsExpanded(c)); // no children
    const Row down[] = {root0, a, b, c, root1, d};
    for (int i = 0; i + 1 < 6; ++i) {
        EXPECT_EQ(grid.NextVisible(down[i]), down[i + 1]) << i;
        EXPECT_EQ(grid.PrevVisible(down[i + 1]), down[i]) << i;
    }
    EXPECT_EQ(grid.NextVisible(d), kNone);
    EXPECT_EQ(grid.PrevVisible(root0), kNone);
    // Collapsing b hides c.
    grid.Expand(b, false);
    EXPECT_EQ(grid.NextVisible(b), root1);
    EXPECT_EQ(grid.PrevVisible(root1), b);
    // What the view reports counts as well.
    grid.NoteExpanded(root1, false);
    EXPECT_EQ(grid.NextVisible(root1), kNone);
}

TEST_F(TreeFixture, RowOfRecordFromTheIndex) {
    grid.SetItemRecord(root0, 0);
    grid.SetItemRecord(c, 7);
    grid.SetItemRecord(d, 3);
    EXPECT_EQ(grid.FindItemByRecord(7), c);
    EXPECT_EQ(grid.FindItemByRecord(3), d);
    EXPECT_EQ(grid.GetItemRecord(a), -1);
    EXPECT_EQ(grid.FindItemByRecord(-1), kNone);
    EXPECT_EQ(grid.FindItemByRecord(1000), kNone);
    // A second row with the same record: the first keeps it.
    grid.SetItemRecord(a, 7);
    EXPECT_EQ(grid.FindItemByRecord(7), c);
    // Giving a row another record frees the old one.
    grid.SetItemRecord(d, 4);
    EXPECT_EQ(grid.FindItemByRecord(3), kNone);
    EXPECT_EQ(grid.FindItemByRecord(4), d);
    // A refill forgets them all.
    grid.DeleteAllRows();
    EXPECT_EQ(grid.FindItemByRecord(7), kNone);
    EXPECT_EQ(grid.FirstRow(), kNone);
}

