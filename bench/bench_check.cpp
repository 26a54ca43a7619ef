#include "bench/bench_check.h"

#include "app/bid_check.h"
#include "app/bid_progress.h"
#include "bench/bench_timer.h"
#include "model/calculation.h"
#include "model/display_tree.h"
#include "support/record_builder.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// One LV with titles of 100 positions and their sum lines. Every `gapEvery`-th position has no
// price (0: every position is priced); every tenth position asks for a bidder supplement, which
// is filled in.
void MakeBill(CAngebotList& list, int positions, int gapEvery, std::vector<int>& records) {
    double id = 1;
    AddRec(list, "L", id++, 0, 1);
    for (int p = 0; p < positions;) {
        const double title = id++;
        AddRec(list, "T", title, 1, 2);
        for (int k = 0; k < 100 && p < positions; ++k, ++p) {
            const int i = AddRec(list, "P", id++, title, 3);
            list.SetText(i, Fld::PosType, "N");
            list.SetText(i, Fld::OZ, std::to_string(p));
            list.SetText(i, Fld::ShortText, "Mauerwerk aus Kalksandstein");
            list.SetDouble(i, Fld::Quantity, 12.5 + k);
            list.SetDouble(i, Fld::UnitPrice, gapEvery > 0 && p % gapEvery == gapEvery - 1 ? 0.0 : 48.75);
            list.SetDouble(i, Fld::VatPct, 19.0);
            if (p % 10 == 0) {
                list.SetText(i, Fld::Flags, "        X");
                list.SetText(i, Fld::SupplementIndex, "01A102B1");
                list.SetText(i, Fld::BidderTexts, "'Fabrikat Holm'\r\n");
            }
            RecalcPosition(list, i);
            records.push_back(i);
        }
        AddRec(list, "S", id++, title, 3);
    }
    AddRec(list, "S", id++, 1, 2);
    list.LinkDisplayChain();
    list.BuildAllLabels();
    CalcAll(list);
}

} // namespace

void BenchCheck() {
    std::printf("completeness check (every 50th position without a price, every tenth with a supplement):\n");
    for (const int positions : {10000, 100000}) {
        CAngebotList list;
        std::vector<int> records;
        MakeBill(list, positions, 50, records);

        auto t = std::chrono::steady_clock::now();
        const CDisplayTree tree(list);
        const double treeTime = Seconds(t);
        t = std::chrono::steady_clock::now();
        CBidCheck check;
        check.Run(list, tree);
        const double checkTime = Seconds(t);
        std::printf("  %6d positions: check %.3f s (display tree %.3f s before it), %zu gaps, %zu hints\n",
                    positions, checkTime, treeTime, check.Gaps().size(), check.Hints().size());

        // F3 from rows at a distance of 1, 10 and 49 positions to the next gap, averaged; then
        // a bill whose only gap is the last position: from the first row over the whole list.
        CMemoryGrid grid;
        SetupPositionColumns(grid);
        FillList(grid, list, "", "");
        for (const int distance : {1, 10, 49}) {
            constexpr int kSteps = 1000;
            t = std::chrono::steady_clock::now();
            int found = 0;
            for (int s = 0; s < kSteps; ++s) {
                const int gap = 49 + 50 * ((s * 37) % (positions / 50 - 1));
                const IGrid::Row from = grid.FindItemByRecord(records[static_cast<size_t>(gap - distance)]);
                found += FindNextOpenEntry(grid, list, from) ==
                         grid.FindItemByRecord(records[static_cast<size_t>(gap)]);
            }
            std::printf("  %6d positions: F3 over %2d positions to the next gap %.1f us (%d of %d found)\n",
                        positions, distance, Seconds(t) / kSteps * 1e6, found, kSteps);
        }

        CBidProgress progress;
        t = std::chrono::steady_clock::now();
        progress.Rebuild(list);
        const double rebuild = Seconds(t);
        constexpr int kUpdates = 100;
        t = std::chrono::steady_clock::now();
        for (int u = 0; u < kUpdates; ++u)
            progress.Update(list);
        std::printf("  %6d positions: status bar (%s) after a fill %.3f s, after an entry %.2f ms\n",
                    positions, progress.PricedText().c_str(), rebuild, Seconds(t) / kUpdates * 1e3);
    }
    {
        // The only gap at the very end: F3 from the first row walks the whole list once.
        CAngebotList list;
        std::vector<int> records;
        MakeBill(list, 100000, 0, records);
        list.SetDouble(records.back(), Fld::UnitPrice, 0.0);
        CMemoryGrid grid;
        SetupPositionColumns(grid);
        FillList(grid, list, "", "");
        auto t = std::chrono::steady_clock::now();
        const IGrid::Row row = FindNextOpenEntry(grid, list, grid.FirstRow());
        std::printf("  100000 positions, the only gap at the end: F3 from the first row %.3f s (%s)\n",
                    Seconds(t), grid.GetItemRecord(row) == records.back() ? "found" : "NOT FOUND");
    }
}
