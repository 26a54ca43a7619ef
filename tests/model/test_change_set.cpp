// Recording what an entry changes, and putting it back.

#include "model/calculation.h"
#include "model/change_set.h"
#include "model/display_tree.h"
#include "model/project_file.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

namespace {

// An LV with `titles` titles of `positions` priced positions each.
void Generate(CAngebotList& list, int titles, int positions) {
    AddRec(list, "L", 1, 0, 1);
    double id = 2;
    for (int t = 0; t < titles; ++t) {
        const double title = id++;
        AddRec(list, "T", title, 1, 2);
        for (int p = 0; p < positions; ++p)
            AddPos(list, id++, title, 3, 1.0 + p, 10.0 + t, "");
    }
    list.LinkDisplayChain();
    for (int i = 0; i < list.Count(); ++i)
        if (list.GetChar(i, Fld::Kind) == Kind::Position) RecalcPosition(list, i);
    CalcAll(list);
}

std::string Bytes(const CAngebotList& list) {
    std::string out;
    SaveRecords(list, out);
    return out;
}

TEST(ChangeSet, UndoAndRedoPutBackEveryFieldByteForByte) {
    CAngebotList list;
    Generate(list, 3, 4);
    const std::string before = Bytes(list);
    CChangeSet changes;
    {
        CRecordChanges recording(list, changes);
        const CDisplayTree tree(list);
        PropagateToChildren(list, tree, 0, Fld::SurchargePct, -3.0); // a hand-down from the LV
        list.SetText(5, Fld::BidderTexts, "'Muster'\r\n");
        list.SetDouble(5, Fld::UnitPrice, 99.5);
        list.SetDouble(5, Fld::UnitPrice, 12.25); // the same field twice: one change
        CalcAll(list);
    }
    list.SetText(6, Fld::LongText, "danach"); // after the recording: not part of it
    list.SetText(6, Fld::LongText, "");
    const std::string after = Bytes(list);
    ASSERT_NE(after, before);
    EXPECT_FALSE(changes.Empty());

    changes.Undo(list);
    EXPECT_EQ(Bytes(list), before);
    changes.Redo(list);
    EXPECT_EQ(Bytes(list), after);
    EXPECT_EQ(changes.Records().front(), 0) << "the LV's own totals";

    // A value set and set back is no change; a field of another type is not recorded.
    CChangeSet none;
    {
        CRecordChanges recording(list, none);
        list.SetDouble(5, Fld::UnitPrice, 1.0);
        list.SetDouble(5, Fld::UnitPrice, 12.25);
        list.SetField(5, Fld::UnitPrice, FieldValue("kein Preis"));
    }
    EXPECT_TRUE(none.Empty());
    EXPECT_EQ(list.Recorder(), nullptr);
}

} // namespace
