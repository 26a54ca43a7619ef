#pragma once

#include "ui/grid_rows.h"

// The grid without a window, for tests and the benchmark: the rows in memory, and a count
// of what a view would have been told, so that tests can check that changes are shown.
class CMemoryGrid : public CGridRows {
public:
    int resets = 0;         // whole refills (and column insertions)
    int insertions = 0;     // rows inserted one by one, outside a fill
    int cellChanges = 0;    // cell or row change notices
    int allRowsChanges = 0; // notices that every row changed
    int titleChanges = 0;
    int expansionChanges = 0;
    int selectionChanges = 0;

protected:
    void ResetDone() override { ++resets; }
    void Inserted() override { ++insertions; }
    void CellsChanged(Row row, int, int) override { ++(row == kNoRow ? allRowsChanges : cellChanges); }
    void ColumnTitleChanged(int) override { ++titleChanges; }
    void ExpansionChanged(Row) override { ++expansionChanges; }
    void SelectionChanged(Row) override { ++selectionChanges; }
};
