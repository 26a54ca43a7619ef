#include "ui/typed_entry.h"

#include "common/number_format.h"
#include "common/text_util.h"
#include "ui/float_edit_logic.h"
#include "ui/position_list.h"

#include <algorithm>
#include <vector>

namespace {

struct SEntryColumn {
    const char* name;
    PosCol column;
};

constexpr SEntryColumn kEntryColumns[] = {
    {"Menge", PosCol::Quantity}, {"Sonstiges", PosCol::OtherShare},  {"Lohn", PosCol::WageShare},
    {"EP", PosCol::UnitPrice},   {"Zuschlag", PosCol::SurchargePct}, {"MWSt", PosCol::VatPct},
};

// In quotation marks as German texts write them (Windows-1252).
std::string Quoted(std::string_view text) {
    return "\x84" + std::string(text) + "\x93";
}

// Digits with the user's separators, a sign and blanks: what a user types as a number.
bool LooksTyped(std::string_view keys, char decimal, char thousands) {
    bool digit = false;
    for (const char c : keys) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != decimal && c != thousands && c != '-' && c != '+' && c != ' ')
            return false;
    }
    return digit;
}

const SEntryColumn* FindEntryColumn(std::string_view name) {
    for (const SEntryColumn& c : kEntryColumns)
        if (EqualsNoCase(name, c.name)) return &c;
    return nullptr;
}

} // namespace

int EntryColumnOfName(std::string_view name) {
    const SEntryColumn* entry = FindEntryColumn(name);
    return entry ? ColumnNumber(entry->column) : -1;
}

IGrid::Row FindRowByOZ(const IGrid& grid, std::string_view oz) {
    const std::string wanted = Trim(oz);
    const int column = ColumnNumber(PosCol::OZ);
    // Tree order without recursion.
    std::vector<IGrid::Row> pending;
    for (IGrid::Row r = grid.FirstRow(); r != IGrid::kNoRow; r = grid.NextSibling(r))
        pending.push_back(r);
    std::reverse(pending.begin(), pending.end());
    while (!pending.empty()) {
        const IGrid::Row row = pending.back();
        pending.pop_back();
        if (Trim(grid.GetItemText(row, column)) == wanted) return row;
        const size_t mark = pending.size();
        for (IGrid::Row c = grid.FirstChild(row); c != IGrid::kNoRow; c = grid.NextSibling(c))
            pending.push_back(c);
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(mark), pending.end());
    }
    return IGrid::kNoRow;
}

std::string TypeIntoNumberEditor(double stored, int decimals, std::string_view keys) {
    CFloatEditLogic editor;
    editor.SetDecimals(decimals);
    editor.SetValue(stored);
    editor.FocusGained();
    const int length = static_cast<int>(editor.Text().size());
    editor.SetSelection(0, length, length);
    for (const char c : keys)
        editor.TypeChar(c);
    editor.FocusLost();
    return editor.Text();
}

bool EnterTypedValue(CCellRules& rules, std::string_view oz, std::string_view column, std::string_view keys,
                     std::string& reason) {
    const SEntryColumn* entry = FindEntryColumn(column);
    if (!entry) {
        reason = "Unbekannte Spalte " + Quoted(column) +
                 "; m\xf6gliche Spalten sind Menge, Sonstiges, Lohn, EP, Zuschlag und MWSt.";
        return false;
    }
    const int col = ColumnNumber(entry->column);
    IGrid& grid = rules.Grid();
    const IGrid::Row row = FindRowByOZ(grid, oz);
    if (row == IGrid::kNoRow) {
        reason = "Keine Zeile hat die Pos.-Nr. " + Quoted(Trim(oz)) + ".";
        return false;
    }
    if (rules.IsCellReadOnly(row, col)) {
        reason = "In der Zeile mit der Pos.-Nr. " + Quoted(Trim(oz)) + " kann die Spalte " +
                 Quoted(entry->name) + " nicht bearbeitet werden.";
        return false;
    }
    CNumberFormat format;
    format.LoadSeparators();
    const int decimals = grid.ColumnEditorKind(col);
    if (!LooksTyped(keys, format.m_decimal, format.m_thousands)) {
        reason = Quoted(keys) + " ist keine Zahl.";
        return false;
    }
    const std::string text = TypeIntoNumberEditor(
        CCellRules::CellValue(rules.List(), grid.GetItemRecord(row), col), decimals, keys);
    // The editor drops what it cannot show (further decimals, digits from 10^12 on): such a
    // value is refused rather than entered other than written.
    if (format.ParseNumber(text) != format.ParseNumber(keys)) {
        reason = Quoted(keys) +
                 " l\xe4sst sich in dieser Spalte nicht eingeben (h\xf6"
                 "chstens " +
                 std::to_string(decimals) + " Nachkommastellen, Betrag unter 1.000.000.000.000).";
        return false;
    }
    rules.OnCellEdited(row, col, text);
    return true;
}
