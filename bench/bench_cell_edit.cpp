#include "bench/bench_cell_edit.h"

#include "bench/bench_timer.h"
#include "model/calculation.h"
#include "support/record_builder.h"
#include "ui/cell_rules.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tlst_tree.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// One LV with titles of 100 positions and their sum lines; in each title the first position is
// a basis of the surcharge position that closes the title.
void MakeBill(CAngebotList& list, int positions, std::vector<int>& plain, std::vector<int>& bases) {
    double id = 1;
    AddRec(list, "L", id++, 0, 1);
    for (int p = 0; p < positions;) {
        const double title = id++;
        AddRec(list, "T", title, 1, 2);
        for (int k = 0; k < 100 && p < positions; ++k, ++p) {
            const int i = AddRec(list, "P", id++, title, 3);
            list.SetText(i, Fld::PosType, "N");
            list.SetText(i, Fld::Flags, k == 0 ? " E" : k == 99 ? " Z" : "");
            list.SetDouble(i, Fld::Quantity, k == 99 ? 5.0 : 12.5 + k);
            list.SetDouble(i, Fld::UnitPrice, 48.75 + p % 50);
            list.SetDouble(i, Fld::VatPct, 19.0);
            RecalcPosition(list, i);
            (k == 0 ? bases : plain).push_back(i);
        }
        AddRec(list, "S", id++, title, 3);
    }
    AddRec(list, "S", id++, 1, 2);
    list.LinkDisplayChain();
    list.BuildAllLabels();
    CalcAll(list);
}

struct SEditTimes {
    double firstEdit = 0;  // includes building the index of sum lines after the fill
    double plainEdit = 0;  // per entry, average
    double basisEdit = 0;  // per entry of a basis position, average
    double vatForAll = 0;  // the LV's VAT rate handed to every row
    bool refilled = false; // the grid rebuilt its rows after an entry
};

// Entries in `grid`, which shows `list`; `settle` lets the view catch up after each step.
template <class Settle>
SEditTimes TimeEdits(IGrid& grid, CAngebotList& list, const std::vector<int>& plain,
                     const std::vector<int>& bases, Settle settle) {
    SEditTimes times;
    CCellRules rules(grid, list, [](CellQuestion) { return true; });
    const unsigned before = grid.StructureVersion();
    const int ep = ColumnNumber(PosCol::UnitPrice);
    auto t = std::chrono::steady_clock::now();
    rules.OnCellEdited(grid.FindItemByRecord(plain[plain.size() / 2]), ep, "12,50");
    settle();
    times.firstEdit = Seconds(t);

    constexpr int kEdits = 1000;
    t = std::chrono::steady_clock::now();
    for (int e = 0; e < kEdits; ++e) {
        const int record = plain[(static_cast<size_t>(e) * 7919) % plain.size()];
        rules.OnCellEdited(grid.FindItemByRecord(record), ep, std::to_string(10 + e % 90) + ",25");
        settle();
    }
    times.plainEdit = Seconds(t) / kEdits;

    constexpr int kBasisEdits = 200;
    t = std::chrono::steady_clock::now();
    for (int e = 0; e < kBasisEdits; ++e) {
        const int record = bases[(static_cast<size_t>(e) * 131) % bases.size()];
        rules.OnCellEdited(grid.FindItemByRecord(record), ep, std::to_string(20 + e % 70) + ",75");
        settle();
    }
    times.basisEdit = Seconds(t) / kBasisEdits;

    t = std::chrono::steady_clock::now();
    rules.OnCellEdited(grid.FirstRow(), ColumnNumber(PosCol::VatPct), "7");
    settle();
    times.vatForAll = Seconds(t);
    times.refilled = grid.StructureVersion() != before;
    return times;
}

void Print(const char* what, int positions, const SEditTimes& t) {
    std::printf("  %6d positions, %s: first entry %.2f ms, EP entry %.1f us, basis EP entry %.1f us, "
                "VAT from the LV row over all rows %.3f s, grid refilled: %s\n",
                positions, what, t.firstEdit * 1e3, t.plainEdit * 1e6, t.basisEdit * 1e6, t.vatForAll,
                t.refilled ? "yes" : "no");
}

} // namespace

void BenchCellEdits() {
    std::printf("entries in the grid (EP entries with their row, surcharge positions, groups and sum "
                "lines; VAT hand-down from the LV row):\n");
    for (const int positions : {10000, 100000}) {
        {
            CAngebotList list;
            std::vector<int> plain, bases;
            MakeBill(list, positions, plain, bases);
            CMemoryGrid grid;
            SetupPositionColumns(grid);
            FillList(grid, list, "", "");
            Print("grid without window", positions, TimeEdits(grid, list, plain, bases, [] {}));
        }
        {
            CAngebotList list;
            std::vector<int> plain, bases;
            MakeBill(list, positions, plain, bases);
            CTLstModel model;
            SetupPositionColumns(model);
            CTLstTree tree;
            tree.setModel(&model);
            tree.resize(1200, 700);
            FillList(model, list, "", "");
            tree.show();
            QCoreApplication::processEvents();
            Print("Qt model and view", positions,
                  TimeEdits(model, list, plain, bases, [] { QCoreApplication::processEvents(); }));
        }
    }
}
