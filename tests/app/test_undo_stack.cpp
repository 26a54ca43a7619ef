// The history of entries: order, names, the saved state.

#include "app/undo_stack.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

namespace {

CChangeSet Entry(CAngebotList& list, int index, double price) {
    CChangeSet changes;
    CRecordChanges recording(list, changes);
    list.SetDouble(index, Fld::UnitPrice, price);
    return changes;
}

TEST(UndoStack, TenEntriesUndoneAndRedoneInOrder) {
    CAngebotList list;
    const int p = AddPos(list, 1, 0, 1, 1.0, 0.0);
    CUndoStack stack;
    for (int n = 1; n <= 10; ++n)
        stack.Push("EP 1." + std::to_string(n), Entry(list, p, n));
    EXPECT_EQ(stack.UndoName(), "EP 1.10");
    for (int n = 10; n >= 1; --n) {
        EXPECT_EQ(list.GetDouble(p, Fld::UnitPrice), n);
        ASSERT_TRUE(stack.Undo(list));
    }
    EXPECT_EQ(list.GetDouble(p, Fld::UnitPrice), 0.0);
    EXPECT_FALSE(stack.Undo(list));
    for (int n = 1; n <= 10; ++n) {
        std::vector<int> touched;
        ASSERT_TRUE(stack.Redo(list, &touched));
        EXPECT_EQ(touched, std::vector<int>{p});
        EXPECT_EQ(list.GetDouble(p, Fld::UnitPrice), n);
    }
    EXPECT_FALSE(stack.CanRedo());
}

TEST(UndoStack, CleanStateFollowsTheSaveAndANewEntryDropsTheUndoneOnes) {
    CAngebotList list;
    const int p = AddPos(list, 1, 0, 1, 1.0, 0.0);
    CUndoStack stack;
    stack.Push("EP 1", Entry(list, p, 1));
    stack.SetClean(); // saved
    stack.Push("EP 2", Entry(list, p, 2));
    EXPECT_FALSE(stack.IsClean());
    stack.Undo(list);
    EXPECT_TRUE(stack.IsClean()) << "back at the saved state";
    stack.Undo(list);
    EXPECT_FALSE(stack.IsClean()) << "undo after the save marks the bid modified again";
    stack.Push("EP 3", Entry(list, p, 3)); // drops "EP 1" and "EP 2"; the saved state is gone
    EXPECT_EQ(stack.Count(), 1u);
    EXPECT_FALSE(stack.CanRedo());
    stack.Undo(list);
    EXPECT_FALSE(stack.IsClean());
    // An entry that changed nothing is no step.
    stack.Push("EP 4", Entry(list, p, list.GetDouble(p, Fld::UnitPrice)));
    EXPECT_EQ(stack.RedoName(), "EP 3");
    stack.Clear();
    EXPECT_TRUE(stack.IsClean());
    EXPECT_FALSE(stack.CanUndo());
}

} // namespace
