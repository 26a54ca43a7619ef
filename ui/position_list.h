#pragma once

#include "model/angebot_list.h"
#include "ui/grid.h"

#include <string>

// The thirteen columns of the position list.
enum class PosCol : int {
    Position = 0, // the record's label (the tree column)
    OZ = 1,
    ShortText = 2,
    Quantity = 3,
    Unit = 4,
    OtherShare = 5, // "Sonstiges", or the first share name of the LV
    WageShare = 6,  // "Lohn", or the second share name of the LV
    UnitPrice = 7,
    TotalPrice = 8,
    SurchargePct = 9,
    TotalNet = 10,
    VatPct = 11,
    TotalGross = 12,
};
constexpr int kPositionColumnCount = 13;
constexpr int ColumnNumber(PosCol column) {
    return static_cast<int>(column);
}

// One column of the position list: title, alignment, initial width in pixels and editor kind
// (0 text, n > 0 numeric with n decimals).
struct SPositionColumn {
    const char* title;
    ColumnAlign align;
    int width;
    int editorKind;
};
const SPositionColumn& PositionColumn(PosCol column);

// Default titles of the two share columns.
inline const char* const kOtherShareTitle = "Sonstiges";
inline const char* const kWageShareTitle = "Lohn";

// Row icons (index into the strip of seven) and weight by record kind: X 0, O 1, L 2, T 3,
// P 4, B 5, S and K 6; X, O, L, T, S and K are bold. Kinds the readers never make show the
// remark icon in normal weight, except the element kind "E", which is shown as a group.
int RowImageOfKind(char kind);
bool IsBoldKind(char kind);

// Inserts the thirteen columns with their titles, alignments, widths and editor kinds.
void SetupPositionColumns(IGrid& grid);

// The text of a cell of a record as the position list shows it; empty where the column
// table leaves the cell of such a record empty. Numbers are rounded and formatted with
// the user's separators: the quantity with 3 decimals, the rest with 2.
std::string PositionCellText(const CAngebotList& list, int record, PosCol column);

// Rebuilds all rows from the record list in display order (the display tree): one row per
// record reachable from the first record of the display chain, below the row of its parent,
// with icon, weight and the texts of the columns; then every row is expanded and the first
// row selected. The titles of the share columns become title1 and title2 when both are
// given, else "Sonstiges" and "Lohn".
void FillList(IGrid& grid, const CAngebotList& list, const std::string& title1, const std::string& title2);

// Formats the numbers of the rows again (after a calculation or a change of the user's
// separators): from `first` (kNoRow: the first row) along its siblings and all their
// descendants. The money columns and the two percentages of every row, quantity and unit
// price of positions, the shares of rows whose unit price is broken down.
void RefreshNumbers(IGrid& grid, const CAngebotList& list, IGrid::Row first = IGrid::kNoRow);
// The same for one row alone.
void ShowRowNumbers(IGrid& grid, const CAngebotList& list, IGrid::Row row);
