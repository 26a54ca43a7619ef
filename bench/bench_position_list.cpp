#include "bench/bench_position_list.h"

#include "bench/bench_cell_edit.h"
#include "bench/bench_timer.h"

#include "common/number_format.h"
#include "model/calculation.h"
#include "support/record_builder.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tlst_tree.h"

#include <QApplication>
#include <QImage>

#include <chrono>
#include <cstdio>

namespace {

// One LV with titles of 100 positions each (and their sum lines), labelled and calculated.
void MakeBill(CAngebotList& list, int positions) {
    double id = 1;
    AddRec(list, "L", id++, 0, 1);
    for (int p = 0; p < positions;) {
        const double title = id++;
        const int t = AddRec(list, "T", title, 1, 2);
        list.SetText(t, Fld::ShortText, "Titel");
        for (int k = 0; k < 100 && p < positions; ++k, ++p) {
            const int i = AddRec(list, "P", id++, title, 3);
            list.SetText(i, Fld::PosType, "N");
            list.SetText(i, Fld::ShortText, "Mauerwerk aus Kalksandstein, Wanddicke 17,5 cm");
            list.SetText(i, Fld::Unit, "m2");
            list.SetText(i, Fld::Flags, k % 3 == 0 ? "X" : "");
            list.SetDouble(i, Fld::Quantity, 12.5 + k);
            list.SetDouble(i, Fld::UnitPrice, 48.75 + p % 50);
            list.SetDouble(i, Fld::VatPct, 19.0);
            RecalcPosition(list, i);
        }
        AddRec(list, "S", id++, title, 3);
    }
    AddRec(list, "S", id++, 1, 2);
    list.LinkDisplayChain();
    list.BuildAllLabels();
    CalcAll(list);
}

} // namespace

void BenchPositionList(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CNumberFormat::SetUserSeparators(",", ".");
    std::printf("position list (positions: grid without window, Qt model and tree view, first paint):\n");
    for (const int positions : {10000, 30000, 100000}) {
        CAngebotList list;
        MakeBill(list, positions);

        CMemoryGrid grid;
        SetupPositionColumns(grid);
        auto t = std::chrono::steady_clock::now();
        FillList(grid, list, "", "");
        const double core = Seconds(t);

        CTLstModel model;
        SetupPositionColumns(model);
        CTLstTree tree;
        tree.setModel(&model);
        tree.resize(1200, 700);
        t = std::chrono::steady_clock::now();
        FillList(model, list, "", "");
        QCoreApplication::processEvents();
        const double qt = Seconds(t);

        tree.show();
        t = std::chrono::steady_clock::now();
        const QImage first = tree.grab().toImage();
        const double paint = Seconds(t);

        t = std::chrono::steady_clock::now();
        RefreshNumbers(model, list);
        QCoreApplication::processEvents();
        const double refresh = Seconds(t);
        std::printf(
            "  %6d positions (%6d rows): fill %.3f s, Qt fill %.3f s, first paint %.3f s, refresh %.3f s%s\n",
            positions, model.RowCount(), core, qt, paint, refresh, first.isNull() ? " (no image)" : "");
    }
    // Entries need the application object made here.
    BenchCellEdits();
}
