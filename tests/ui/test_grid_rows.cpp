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
