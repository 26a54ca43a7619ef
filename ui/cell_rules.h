#pragma once

#include "model/angebot_list.h"
#include "model/calculation.h"
#include "ui/cell_question.h"
#include "ui/grid.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// What one entry did.
enum class EntryResult {
    Changed,   // records changed: the document is modified
    Unchanged, // nothing changed ("Nein" to the surcharge question, a kind the column ignores)
    ReadOnly,  // the cell may not be edited (or the row has no record); nothing changed
};

// The cell edit rules of the position list over the grid seam and the record list: which cells
// may be edited, what an entry stores, which rows it recalculates and which rows below a group
// it reaches. Every entry, from the window's in-place editor and from `orvak-cli convert --set`
// alike, goes through OnCellEdited, and every change of a record inside it through Store, so
// that one entry is one step for whoever records the changes.
//
// Beyond the row of the entry, the groups above it and the sum lines that close them follow at
// once: their totals change by the change of the row's totals (a walk up the tree, not a full
// calculation), so that group and sum rows always show what CalcAll would give from the
// positions' current totals. Positions themselves are recalculated only by the rules below
// (an alternative or eventual position keeps its totals when its price is entered).
class CCellRules {
public:
    using Row = IGrid::Row;
    // Asks a question with Yes/No; true for Yes. None: every question is answered Yes.
    using Ask = std::function<bool(CellQuestion)>;

    CCellRules(IGrid& grid, CAngebotList& list, Ask ask);

    IGrid& Grid() const { return m_grid; }
    const CAngebotList& List() const { return m_list; }

    // Read-only when Flags[5] is 'R' (from 6 characters on); otherwise Menge when Flags[3] is
    // 'X' or Flags[1] 'Z'; Sonstiges and Lohn of rows of a kind outside "XOLSTEBK" and not of
    // type "C" with Flags[0] 'X'; EP of such rows without Flags[0] 'X' and Flags[1] 'Z'; the
    // surcharge outside the kinds "XSOBK" and type "C"; the VAT rate outside "SBK" and the types
    // "C", "A", "E". An empty kind counts as one of the kinds listed; the other columns never.
    static bool IsCellReadOnly(const CAngebotList& list, int record, int column);
    bool IsCellReadOnly(Row row, int column) const;

    // The stored number behind a numeric cell (0 for a column without one).
    static double CellValue(const CAngebotList& list, int record, int column);

    // One committed entry: `text` as typed in the column's editor, read with ParseNumber.
    // Menge, Sonstiges, Lohn, EP: stored (a share also sets EP = Sonstiges + Lohn), the row
    // recalculated unless it is an alternative or eventual position, and the surcharge positions
    // that follow a basis position raised by the change of its GP. Surcharge and VAT: stored
    // and the row recalculated on a position; on a group (L, T, O) handed to every row below
    // after "Ja" to 61221 or 61220 (the VAT rate is stored in the group's own record even after
    // "Nein"). A read-only cell is refused and nothing changes.
    EntryResult OnCellEdited(Row row, int column, const std::string& text);

    // The row's totals by the price model of one position, stored and shown.
    void RecalcRow(Row row);
    // After the GP of `record` changed from oldGp: when it is a basis position (Flags[1] 'E'),
    // the unit prices of the surcharge positions (Flags[1] 'Z') that follow it in list order
    // change by as much, up to the next basis position after one of them.
    void UpdateDependentRows(double oldGp, int record);
    // Sets `field` (SurchargePct or VatPct) to value in every row below `row`, shows it in
    // `column` and recalculates each of them.
    void PropagateToChildren(Row row, double value, Fld field, int column);

private:
    int RecordOf(Row row) const;
    // The one place where an entry changes a record.
    void Store(int record, Fld field, double value);
    void StoreGroupTotals(int record, const Totals& totals);
    Totals StoredTotals(int record) const;
    void ShowEntered(Row row, int column, double value);
    void ShowCell(Row row, int column);

    // Step F of an entry in Menge, Sonstiges, Lohn or EP.
    void RecalcAfterPriceEntry(Row row, int record);
    // RecalcRow, then the groups above and the sum lines after the row follow the change.
    void RecalcAndSettle(Row row);
    // Whether the full calculation reaches the row: every row above it is a group.
    bool IsReached(Row row) const;
    // Adds the change of a counted row's totals to the groups above it and the sum lines that
    // follow it or its groups on their levels.
    void AddToAbove(Row row, const Totals& delta);
    void AddToRow(Row row, const Totals& delta);
    // The groups and sum lines below a reached group, as CalcAll sets them; the new totals of
    // the group itself are returned. `below` is the rows below in tree order.
    Totals SumBelow(Row group, const std::vector<Row>& below);

    // Sum lines by parent and the place of each row among its siblings, rebuilt when the
    // grid's rows changed.
    void EnsureSumIndex();
    const std::vector<Row>* SumLinesBelow(Row parent) const;

    IGrid& m_grid;
    CAngebotList& m_list;
    Ask m_ask;

    bool m_indexBuilt = false;
    unsigned m_indexVersion = 0;
    std::vector<int> m_place;                             // row -> place among its siblings
    std::unordered_map<Row, std::vector<Row>> m_sumLines; // parent (kNoRow: top) -> sum lines
};
