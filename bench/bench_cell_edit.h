#pragma once

// Times entries in the grid on large bills of quantities: one EP entry with its row, its
// surcharge positions and its groups, and a VAT rate handed down from the LV row over all rows;
// without a window and through the Qt model with its tree view. Needs a QApplication.
void BenchCellEdits();
