#include "model/calculation.h"
#include "model/display_tree.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

#include <limits>

TEST(PositionTotals, RoundsEachStepToCents) {
    CAngebotList list;
    const int p = AddPos(list, 1, 0, 1, 3, 10.005);
    list.SetDouble(p, Fld::SurchargePct, -10.0);
    list.SetDouble(p, Fld::VatPct, 19.0);
    RecalcPosition(list, p);
    EXPECT_DOUBLE_EQ(list.GetDouble(p, Fld::TotalPrice), 30.02);
    EXPECT_DOUBLE_EQ(list.GetDouble(p, Fld::TotalNet), 27.02);
    EXPECT_DOUBLE_EQ(list.GetDouble(p, Fld::TotalGross), 32.15);
}

TEST(PositionTotals, SpecialPositions) {
    CAngebotList list;
    const int surcharge = AddPos(list, 1, 0, 1, 5, 2000, " Z");
    const int alternative = AddPos(list, 2, 0, 1, 2, 50, "", "A");
    const int eventual = AddPos(list, 3, 0, 1, 2, 50, "", "E");
    const int pending = AddPos(list, 4, 0, 1, 2, 50, "           3", "T");
    const int approved = AddPos(list, 5, 0, 1, 2, 50, "           8", "T");
    const int shortFlags = AddPos(list, 6, 0, 1, 2, 50, "X", "B");
    list.SetDouble(alternative, Fld::TotalPrice, 99.0);
    EXPECT_DOUBLE_EQ(RecalcPosition(list, surcharge).gp, 100.0);
    EXPECT_EQ(RecalcPosition(list, alternative).gp, 0.0);
    EXPECT_EQ(list.GetDouble(alternative, Fld::TotalPrice), 0.0);
    EXPECT_EQ(RecalcPosition(list, eventual).gpBrt, 0.0);
    EXPECT_EQ(RecalcPosition(list, pending).gp, 0.0);
    EXPECT_DOUBLE_EQ(RecalcPosition(list, approved).gp, 100.0);
    EXPECT_DOUBLE_EQ(RecalcPosition(list, shortFlags).gp, 100.0);
}

namespace {

// A title with two positions (100 and 200, surcharge -10 % on the first, 19 % VAT)
// and its closing sum line.
struct TitleFixture {
    CAngebotList list;
    int title, p1, p2, sum;
    TitleFixture() {
        title = AddRec(list, "T", 1, 0, 1);
        p1 = AddPos(list, 2, 1, 2, 1, 100);
        p2 = AddPos(list, 3, 1, 2, 2, 100);
        sum = AddRec(list, "S", 4, 1, 2);
        list.SetDouble(p1, Fld::SurchargePct, -10.0);
        list.SetDouble(p1, Fld::VatPct, 19.0);
        list.SetDouble(p2, Fld::VatPct, 19.0);
        RecalcPosition(list, p1);
        RecalcPosition(list, p2);
        list.LinkDisplayChain();
    }
};

} // namespace

TEST(CalcAll, TitleAndSumLineGetTheSums) {
    TitleFixture f;
    const Totals top = CalcAll(f.list);
    EXPECT_DOUBLE_EQ(top.gp, 300.0);
    EXPECT_DOUBLE_EQ(top.gpEff, 290.0);
    EXPECT_DOUBLE_EQ(top.gpBrt, 345.10);
    for (int r : {f.title, f.sum}) {
        EXPECT_DOUBLE_EQ(f.list.GetDouble(r, Fld::TotalPrice), 300.0);
        EXPECT_DOUBLE_EQ(f.list.GetDouble(r, Fld::TotalNet), 290.0);
        EXPECT_DOUBLE_EQ(f.list.GetDouble(r, Fld::TotalGross), 345.10);
        EXPECT_DOUBLE_EQ(f.list.GetDouble(r, Fld::SurchargePct), 290.0 / 300.0 * 100.0 - 100.0);
        EXPECT_NEAR(f.list.GetDouble(r, Fld::VatPct), 19.0, 1e-9);
    }
}

TEST(CalcAll, EmptyGroupsRemarksAndNesting) {
    CAngebotList list;
    const int lv = AddRec(list, "L", 1, 0, 1);
    const int empty = AddRec(list, "T", 2, 1, 2);
    const int title = AddRec(list, "T", 3, 1, 2);
    const int p = AddPos(list, 4, 3, 3, 2, 10);
    const int remark = AddRec(list, "B", 5, 3, 3);
    const int hidden = AddPos(list, 6, 5, 4, 1, 1000); // below a remark: not summed
    const int innerSum = AddRec(list, "S", 7, 3, 3);
    const int outerSum = AddRec(list, "S", 8, 1, 2);
    list.SetDouble(empty, Fld::SurchargePct, 5.0);
    RecalcPosition(list, p);
    RecalcPosition(list, hidden);
    list.LinkDisplayChain();
    const Totals top = CalcAll(list);
    EXPECT_DOUBLE_EQ(top.gp, 20.0);
    EXPECT_EQ(list.GetDouble(empty, Fld::TotalPrice), 0.0);
    EXPECT_EQ(list.GetDouble(empty, Fld::SurchargePct), 0.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(title, Fld::TotalPrice), 20.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(innerSum, Fld::TotalPrice), 20.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(outerSum, Fld::TotalPrice), 20.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(lv, Fld::TotalPrice), 20.0);
    EXPECT_EQ(list.GetDouble(remark, Fld::TotalPrice), 0.0);
}
