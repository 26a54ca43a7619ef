#pragma once

#include "ui/cell_rules.h"

#include <string>
#include <string_view>

// An entry typed into a cell of the position list without a window, as `orvak-cli convert
// --set OZ,COLUMN=VALUE` makes it: the row found by its Pos.-Nr., the value typed into the
// column's numeric editor key by key, the entry committed through the cell rules.

// The grid column of an entry column's name: Menge, Sonstiges, Lohn, EP, Zuschlag, MWSt (in any
// letter case); -1 for another name.
int EntryColumnOfName(std::string_view name);

// The first row in tree order whose Pos.-Nr. equals `oz`, both without blanks at either end;
// kNoRow when none.
IGrid::Row FindRowByOZ(const IGrid& grid, std::string_view oz);

// The numeric editor opened on `stored` with `decimals` (its whole text selected), then `keys`
// typed and the editor left: its text.
std::string TypeIntoNumberEditor(double stored, int decimals, std::string_view keys);

// One entry: OnCellEdited of the row with the Pos.-Nr. `oz` in the column named `column`, with
// `keys` typed. False, with a German reason and nothing changed, for a Pos.-Nr. that names no
// row, an unknown column, a cell the grid opens read-only, or keys that are not a number the
// column's editor takes as written (letters, more decimals than the column shows, 10^12 and up).
bool EnterTypedValue(CCellRules& rules, std::string_view oz, std::string_view column, std::string_view keys,
                     std::string& reason);
