#include "common/number_format.h"
#include "model/calculation.h"
#include "support/record_builder.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"
#include "ui/typed_entry.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TypedCase {
    double stored;
    int decimals;
    const char* keys;
    const char* text;
};

// LV "01" > Titel "01.02" > positions "01.02.0010" (twice, the second in another title) and
// a split-price position; the OZ texts carry blanks as the readers leave them.
struct TypedEntryFixture : ::testing::Test {
    CAngebotList list;
    CMemoryGrid grid;
    std::unique_ptr<CCellRules> rules;
    int lv = -1, title = -1, first = -1, split = -1, other = -1, second = -1;
    int questions = 0;

    void SetUp() override {
        CNumberFormat::SetUserSeparators(",", ".");
        lv = AddRec(list, "L", 1, 0, 1);
        list.SetText(lv, Fld::OZ, "01");
        title = AddRec(list, "T", 2, 1, 2);
        list.SetText(title, Fld::OZ, "01.02 ");
        first = AddPos(list, 3, 2, 3, 2.0, 10.0);
        list.SetText(first, Fld::OZ, "01.02.0010  ");
        split = AddPos(list, 4, 2, 3, 1.0, 0.0, "X");
        list.SetText(split, Fld::OZ, "01.02.0020");
        other = AddRec(list, "T", 5, 1, 2);
        list.SetText(other, Fld::OZ, "01.03");
        second = AddPos(list, 6, 5, 3, 1.0, 1.0);
        list.SetText(second, Fld::OZ, "01.02.0010");
        for (int p : {first, split, second})
            RecalcPosition(list, p);
        list.LinkDisplayChain();
        SetupPositionColumns(grid);
        FillList(grid, list, "", "");
        CalcAll(list);
        rules = std::make_unique<CCellRules>(grid, list, [this](CellQuestion) {
            ++questions;
            return true;
        });
    }
    bool Enter(const std::string& oz, const std::string& column, const std::string& keys,
               std::string& reason) {
        return EnterTypedValue(*rules, oz, column, keys, reason);
    }
};

} // namespace

TEST_F(TypedEntryFixture, EntriesGoThroughTheGridsRules) {
    std::string reason;
    ASSERT_TRUE(Enter("01.02.0010", "EP", "12,50", reason)) << reason;
    EXPECT_DOUBLE_EQ(list.GetDouble(first, Fld::UnitPrice), 12.5);
    EXPECT_DOUBLE_EQ(list.GetDouble(first, Fld::TotalPrice), 25.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(title, Fld::TotalPrice), 25.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(lv, Fld::TotalPrice), 26.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(second, Fld::UnitPrice), 1.0);
    ASSERT_TRUE(Enter("01.02.0020", "Lohn", "1.000", reason)) << reason;
    EXPECT_DOUBLE_EQ(list.GetDouble(split, Fld::UnitPrice), 1000.0);
    // On an LV area, after the question (answered Yes).
    ASSERT_TRUE(Enter("01", "MWSt", "19", reason)) << reason;
    EXPECT_EQ(questions, 1);
    EXPECT_DOUBLE_EQ(list.GetDouble(second, Fld::VatPct), 19.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(lv, Fld::TotalGross), 1220.94); // 1026 * 1.19
}
