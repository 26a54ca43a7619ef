#include "common/number_format.h"
#include "model/calculation.h"
#include "support/record_builder.h"
#include "ui/cell_rules.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"

#include <cmath>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <random>

namespace {

using Row = IGrid::Row;

// A bid in the grid as the window shows it after an open: filled, calculated, numbers shown.
struct Bid {
    CAngebotList list;
    CMemoryGrid grid;
    std::deque<bool> answers; // answers to the questions, Yes when none is left
    std::vector<CellQuestion> asked;
    std::unique_ptr<CCellRules> rules;

    void Open() {
        CNumberFormat::SetUserSeparators(",", ".");
        list.LinkDisplayChain();
        list.BuildAllLabels();
        SetupPositionColumns(grid);
        FillList(grid, list, "", "");
        CalcAll(list);
        RefreshNumbers(grid, list);
        rules = std::make_unique<CCellRules>(grid, list, [this](CellQuestion q) {
            asked.push_back(q);
            if (answers.empty()) return true;
            const bool yes = answers.front();
            answers.pop_front();
            return yes;
        });
    }
    Row RowOf(int record) const { return grid.FindItemByRecord(record); }
    std::string Cell(int record, PosCol column) const {
        return grid.GetItemText(RowOf(record), ColumnNumber(column));
    }
    EntryResult Enter(int record, PosCol column, const std::string& text) {
        return rules->OnCellEdited(RowOf(record), ColumnNumber(column), text);
    }
    double Field(int record, Fld field) const { return list.GetDouble(record, field); }
};

// LV (1) > Titel (2) > positions a (3), b (4), sum (5); LV sum (6).
struct SmallBid : Bid {
    int lv, title, a, b, titleSum, lvSum;
    SmallBid() {
        lv = AddRec(list, "L", 1, 0, 1);
        title = AddRec(list, "T", 2, 1, 2);
        a = AddPos(list, 3, 2, 3, 2.0, 10.0);
        list.SetDouble(a, Fld::VatPct, 19.0);
        b = AddPos(list, 4, 2, 3, 1.0, 100.0);
        list.SetDouble(b, Fld::VatPct, 19.0);
        titleSum = AddRec(list, "S", 5, 2, 3);
        lvSum = AddRec(list, "S", 6, 1, 2);
        for (int p : {a, b})
            RecalcPosition(list, p);
        Open();
    }
};

struct ReadOnlyCase {
    const char* what;
    const char* kind;
    const char* posType;
    const char* flags;
    const char* editable; // the editable ones of the columns 3, 5, 6, 7, 9, 11
};

} // namespace

TEST(CellRules, WhichCellsAreReadOnly) {
    const ReadOnlyCase cases[] = {
        {"plain position", "P", "N", "", "7 9 11"},
        {"split price: shares, no EP", "P", "N", "X", "5 6 9 11"},
        {"surcharge position: quantity, no EP", "P", "N", " Z", "3 9 11"},
        {"bidder's quantity", "P", "N", "   X", "3 7 9 11"},
        {"omitted: the whole row", "P", "N", "   X R", ""},
        {"R before position 5 does not count", "P", "N", "    R", "7 9 11"},
        {"alternative: no VAT", "P", "A", "", "7 9"},
        {"eventual: no VAT", "P", "E", "", "7 9"},
        {"title", "T", "", "", "9 11"},
        {"LV", "L", "", "", "9 11"},
        {"contract text LV", "L", "C", "", ""},
        {"folder: VAT only", "O", "", "", "11"},
        {"project: VAT only", "X", "", "", "11"},
        {"element", "E", "", "", "9 11"},
        {"remark", "B", "", "X  X", "3"},
        {"sum line", "S", "", "", ""},
        {"cost sum", "K", "", "", ""},
        {"no kind counts as every kind", "", "", "X", ""},
    };
    const int columns[] = {3, 5, 6, 7, 9, 11};
    for (const ReadOnlyCase& c : cases) {
        SCOPED_TRACE(c.what);
        CAngebotList list;
        const int r = AddRec(list, c.kind, 1, 0, 1, c.posType);
        list.SetText(r, Fld::Flags, c.flags);
        std::string editable;
        for (int column : columns)
            if (!CCellRules::IsCellReadOnly(list, r, column))
                editable += (editable.empty() ? "" : " ") + std::to_string(column);
        EXPECT_EQ(editable, c.editable);
        for (int column : {0, 1, 2, 4, 8, 10, 12, 13, -1})
            EXPECT_TRUE(CCellRules::IsCellReadOnly(list, r, column)) << column;
    }
    CAngebotList empty;
    EXPECT_TRUE(CCellRules::IsCellReadOnly(empty, 0, 7));
}

TEST(CellRules, EntryRecalculatesTheRowAndItsGroupsWithoutRefill) {
    SmallBid bid;
    EXPECT_EQ(bid.Cell(bid.title, PosCol::TotalPrice), "120,00");
    const int resets = bid.grid.resets;
    const int repaints = bid.grid.allRowsChanges;
    EXPECT_EQ(bid.Enter(bid.a, PosCol::UnitPrice, "12,50"), EntryResult::Changed);
    EXPECT_EQ(bid.Cell(bid.a, PosCol::TotalPrice), "25,00");
    EXPECT_EQ(bid.Cell(bid.a, PosCol::TotalGross), "29,75");
    // The title, its sum line, the LV and the LV's sum line follow at once.
    for (int r : {bid.title, bid.titleSum, bid.lv, bid.lvSum}) {
        EXPECT_EQ(bid.Cell(r, PosCol::TotalPrice), "125,00") << r;
        EXPECT_EQ(bid.Cell(r, PosCol::TotalGross), "148,75") << r;
    }
    EXPECT_EQ(bid.grid.resets, resets);
    EXPECT_EQ(bid.grid.allRowsChanges, repaints + 1); // one repaint for the entry
    // A text that does not read as a number gives its leading numeric part.
    bid.Enter(bid.b, PosCol::SurchargePct, "-10abc");
    EXPECT_DOUBLE_EQ(bid.Field(bid.b, Fld::SurchargePct), -10.0);
    EXPECT_EQ(bid.Cell(bid.lv, PosCol::TotalNet), "115,00");
    EXPECT_EQ(bid.Cell(bid.lv, PosCol::SurchargePct), "-8,00");
    bid.Enter(bid.b, PosCol::UnitPrice, "1.000");
    EXPECT_EQ(bid.Cell(bid.b, PosCol::UnitPrice), "1.000,00");
}

TEST(CellRules, SurchargePositionTakesItsBaseSumAndFollowsItsBasis) {
    Bid bid;
    AddRec(bid.list, "L", 1, 0, 1);
    const int basis1 = AddPos(bid.list, 2, 1, 2, 1.0, 10000.0, " E");
    const int basis2 = AddPos(bid.list, 3, 1, 2, 1.0, 2000.0, " E"); // a basis before any surcharge
    const int z1 = AddPos(bid.list, 4, 1, 2, 0.0, 12000.0, " Z");
    const int z2 = AddPos(bid.list, 5, 1, 2, 2.0, 12000.0, " Z");
    const int basis3 = AddPos(bid.list, 6, 1, 2, 1.0, 50.0, " E");
    const int z3 = AddPos(bid.list, 7, 1, 2, 1.0, 50.0, " Z");
    for (int p : {basis1, basis2, z1, z2, basis3, z3})
        RecalcPosition(bid.list, p);
    bid.Open();
    // Base sum 12.000,00 and 5 %.
    EXPECT_EQ(bid.Enter(z1, PosCol::Quantity, "5"), EntryResult::Changed);
    EXPECT_EQ(bid.Cell(z1, PosCol::TotalPrice), "600,00");
    // The first basis rises by 100: both surcharges that follow it, up to the basis after them.
    bid.Enter(basis1, PosCol::UnitPrice, "10.100");
    EXPECT_EQ(bid.Cell(z1, PosCol::UnitPrice), "12.100,00");
    EXPECT_EQ(bid.Cell(z1, PosCol::TotalPrice), "605,00");
    EXPECT_EQ(bid.Cell(z2, PosCol::TotalPrice), "242,00");
    EXPECT_DOUBLE_EQ(bid.Field(z3, Fld::UnitPrice), 50.0);
    EXPECT_EQ(bid.Cell(basis2, PosCol::UnitPrice), "2.000,00");
    // The LV follows all three changed rows.
    EXPECT_EQ(bid.Cell(0, PosCol::TotalPrice), "12.997,50"); // 10100 + 2000 + 605 + 242 + 50 + 0,50
}

namespace {

// A random LV: two LVs with titles, sub-titles, positions of every kind of flag and type,
// remarks (one with positions below it, which the calculation does not reach), a position
// with a sub-position, sum lines closing titles and LVs, and a sum line at the top.
void MakeRandomBid(Bid& bid, std::mt19937& random) {
    CAngebotList& list = bid.list;
    double id = 1;
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* const flags[] = {"", "", "X", " E", " Z", "   X", "X  X", " E", " Z"};
    const char* const types[] = {"N", "N", "N", "N", "A", "E", "T"};
    const auto addPositions = [&](double parent, int level, int count) {
        for (int k = 0; k < count; ++k) {
            const int p = AddPos(list, id++, parent, level, 1.0 + pick(50), 0.5 * pick(400), flags[pick(9)],
                                 types[pick(7)]);
            if (list.GetChar(p, Fld::PosType) == 'T')
                list.SetText(p, Fld::Flags, pick(2) ? "           3" : "");
            list.SetDouble(p, Fld::VatPct, 19.0);
            list.SetDouble(p, Fld::SurchargePct, pick(3) == 0 ? -5.0 : 0.0);
            RecalcPosition(list, p);
        }
    };
    for (int l = 0; l < 2; ++l) {
        const double lv = id++;
        AddRec(list, "L", lv, 0, 1);
        for (int t = 0, titles = 1 + pick(3); t < titles; ++t) {
            const double title = id++;
            AddRec(list, "T", title, lv, 2);
            for (int s = 0, subs = pick(3); s < subs; ++s) {
                const double sub = id++;
                AddRec(list, "T", sub, title, 3);
                addPositions(sub, 4, pick(5));
                AddRec(list, "S", id++, sub, 4);
            }
            addPositions(title, 3, pick(6));
            if (pick(2)) {
                const double remark = id++;
                AddRec(list, "B", remark, title, 3);
                addPositions(remark, 4, 2);
            }
            if (pick(2)) {
                const double main = id;
                addPositions(title, 3, 1);
                addPositions(main, 4, 1);
            }
            AddRec(list, "S", id++, title, 3);
        }
        AddRec(list, "S", id++, lv, 2);
    }
    AddRec(list, "S", id++, 0, 1);
}

std::string Shown(double value) {
    CNumberFormat format;
    std::string text;
    format.FormatNumber(CNumberFormat::RoundTo(value, 2), 2, text);
    return text;
}

} // namespace

TEST(CellRules, GroupsAndSumLinesAlwaysShowWhatTheFullCalculationGives) {
    const Fld totals[] = {Fld::TotalPrice, Fld::SurchargePct, Fld::TotalNet, Fld::VatPct, Fld::TotalGross};
    const PosCol shown[] = {PosCol::TotalPrice, PosCol::SurchargePct, PosCol::TotalNet, PosCol::VatPct,
                            PosCol::TotalGross};
    const int columns[] = {3, 5, 6, 7, 9, 11};
    const char* const values[] = {"12,5", "0", "3", "1.234,56", "-5", "19", "7", "0,01", "250", "16"};
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        Bid bid;
        MakeRandomBid(bid, random);
        bid.Open();
        const int resets = bid.grid.resets;
        const auto check = [&](int step) {
            SCOPED_TRACE("after entry " + std::to_string(step));
            CAngebotList calculated;
            bid.list.CopyRecords(calculated);
            calculated.LinkDisplayChain();
            CalcAll(calculated);
            for (int r = 0; r < bid.list.Count(); ++r) {
                const char kind = bid.list.GetChar(r, Fld::Kind);
                for (size_t f = 0; f < 5; ++f) {
                    const double expected = calculated.GetDouble(r, totals[f]);
                    ASSERT_NEAR(bid.Field(r, totals[f]), expected, 1e-7 * std::max(1.0, std::fabs(expected)))
                        << "record " << r << " field " << FieldNumber(totals[f]);
                    if (kind == 'P' || kind == 'B') continue;
                    ASSERT_EQ(bid.grid.GetItemText(bid.RowOf(r), ColumnNumber(shown[f])), Shown(expected))
                        << "record " << r << " column " << ColumnNumber(shown[f]);
                }
            }
        };
        int entries = 0;
        for (int step = 1; step <= 200; ++step) {
            const Row row = static_cast<Row>(random() % static_cast<unsigned>(bid.grid.RowCount()));
            std::vector<int> editable;
            for (int column : columns)
                if (!bid.rules->IsCellReadOnly(row, column)) editable.push_back(column);
            if (!editable.empty()) {
                const int column = editable[random() % editable.size()];
                // A "Nein" to the VAT question leaves the record's rate apart from its sums on
                // purpose; the surcharge question is answered either way.
                bid.answers = {column == 9 ? random() % 3 != 0 : true};
                if (bid.rules->OnCellEdited(row, column, values[random() % 10]) == EntryResult::Changed)
                    ++entries;
            }
            if (step % 50 == 0) check(step);
        }
        EXPECT_GT(entries, 80);
        EXPECT_EQ(bid.grid.resets, resets);
    }
}
