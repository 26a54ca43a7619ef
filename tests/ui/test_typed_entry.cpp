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

TEST(TypedEntry, KeysGoThroughTheNumericEditor) {
    CNumberFormat::SetUserSeparators(",", ".");
    const TypedCase cases[] = {
        {0, 2, "12,50", "12,50"},
        {5, 2, "1.234,5", "1.234,50"},
        {19, 2, "3", "3,00"},
        {19, 2, "-3", "-3,00"},
        {0, 3, "2,5", "2,500"},
        {0, 2, ",5", "0,50"},
        {0, 2, "1 234,5", "1.234,50"},
        {0, 2, "12,555", "12,55"},                     // a third decimal is not taken
        {0, 2, "1234567890123", "123.456.789.012,00"}, // nor a digit from 10^12 on
    };
    for (const TypedCase& c : cases)
        EXPECT_EQ(TypeIntoNumberEditor(c.stored, c.decimals, c.keys), c.text) << c.keys;
}

TEST(TypedEntry, ColumnNames) {
    EXPECT_EQ(EntryColumnOfName("Menge"), 3);
    EXPECT_EQ(EntryColumnOfName("Sonstiges"), 5);
    EXPECT_EQ(EntryColumnOfName("Lohn"), 6);
    EXPECT_EQ(EntryColumnOfName("ep"), 7);
    EXPECT_EQ(EntryColumnOfName("Zuschlag"), 9);
    EXPECT_EQ(EntryColumnOfName("MWST"), 11);
    EXPECT_EQ(EntryColumnOfName("GP"), -1);
    EXPECT_EQ(EntryColumnOfName(""), -1);
}

TEST_F(TypedEntryFixture, RowsAreFoundByTheirTrimmedPosNr) {
    EXPECT_EQ(FindRowByOZ(grid, "01.02.0010"), grid.FindItemByRecord(first)); // the first in tree order
    EXPECT_EQ(FindRowByOZ(grid, " 01.02 "), grid.FindItemByRecord(title));
    EXPECT_EQ(FindRowByOZ(grid, "01.02.001"), IGrid::kNoRow);
    EXPECT_EQ(FindRowByOZ(grid, ""), IGrid::kNoRow);
}

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

TEST_F(TypedEntryFixture, RefusalsSayWhyAndChangeNothing) {
    struct Refusal {
        const char* oz;
        const char* column;
        const char* keys;
        const char* reason;
    };
    const Refusal refusals[] = {
        {"09.99", "EP", "1",
         "Keine Zeile hat die Pos.-Nr. \x84"
         "09.99\x93."},
        {"01.02.0010", "GP", "1",
         "Unbekannte Spalte \x84GP\x93; m\xf6gliche Spalten sind Menge, Sonstiges, "
         "Lohn, EP, Zuschlag und MWSt."},
        {"01.02.0020", "EP", "1",
         "In der Zeile mit der Pos.-Nr. \x84"
         "01.02.0020\x93 kann die Spalte \x84"
         "EP\x93 nicht bearbeitet werden."},
        {"01.02", "Menge", "1",
         "In der Zeile mit der Pos.-Nr. \x84"
         "01.02\x93 kann die Spalte \x84Menge\x93 nicht bearbeitet werden."},
        {"01.02.0010", "EP", "zwölf", "\x84zwölf\x93 ist keine Zahl."},
        {"01.02.0010", "EP", "", "\x84\x93 ist keine Zahl."},
        {"01.02.0010", "EP", "1,255",
         "\x84"
         "1,255\x93 l\xe4sst sich in dieser Spalte nicht eingeben (h\xf6"
         "chstens 2 Nachkommastellen, Betrag unter 1.000.000.000.000)."},
        {"01.02.0010", "EP", "1000000000000", nullptr},
    };
    for (const Refusal& r : refusals) {
        std::string reason;
        EXPECT_FALSE(Enter(r.oz, r.column, r.keys, reason)) << r.keys;
        if (r.reason) {
            EXPECT_EQ(reason, r.reason);
        }
        EXPECT_FALSE(reason.empty());
    }
    EXPECT_DOUBLE_EQ(list.GetDouble(first, Fld::UnitPrice), 10.0);
    EXPECT_EQ(questions, 0);
}
