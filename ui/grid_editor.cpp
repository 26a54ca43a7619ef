#include "ui/grid_editor.h"

#include "common/text_util.h"
#include "ui/position_list.h"

class CGridEditor::CBusy {
public:
    explicit CBusy(CGridEditor& editor) : m_editor(editor) { ++m_editor.m_busy; }
    ~CBusy() { --m_editor.m_busy; }
    CBusy(const CBusy&) = delete;
    CBusy& operator=(const CBusy&) = delete;

private:
    CGridEditor& m_editor;
};

namespace {

// The cells F2, Enter and a typed digit open, in this order of preference.
constexpr PosCol kKeyboardColumns[] = {PosCol::UnitPrice, PosCol::OtherShare, PosCol::Quantity,
                                       PosCol::SurchargePct, PosCol::VatPct};

} // namespace

CGridEditor::CGridEditor(IGrid& grid, CCellRules& rules, ICellEditorHost& host)
    : m_grid(grid), m_rules(rules), m_host(host) {}

void CGridEditor::StartEdit(int column) {
    if (column < 1) return;
    // Whatever is open goes first, with its entry.
    CommitEdit();
    const Row row = m_grid.SelectedRow();
    if (row == IGrid::kNoRow || column >= m_grid.ColumnCount()) return;
    m_column = column;
    SCellEditorSpec spec;
    spec.row = row;
    spec.column = column;
    spec.readOnly = m_rules.IsCellReadOnly(row, column);
    spec.text = m_grid.GetItemText(row, column);
    const int kind = m_grid.ColumnEditorKind(column);
    // An empty cell that cannot be edited shows as empty, not as a number 0.
    spec.numeric = kind > 0 && !(spec.readOnly && spec.text.empty());
    spec.decimals = kind > 0 ? kind : 0;
    spec.value = CCellRules::CellValue(m_rules.List(), m_grid.GetItemRecord(row), column);
    m_row = row;
    m_open = true;
    const CBusy busy(*this);
    m_host.ShowEditor(spec);
}

bool CGridEditor::CommitEdit() {
    if (!m_open) return false;
    const CBusy busy(*this);
    std::string text;
    bool changed = false;
    // The entry is taken before anything else can happen (a question may take the focus).
    if (m_host.TakeEntry(text)) {
        const auto entry = [&] {
            changed = m_rules.OnCellEdited(m_row, m_column, text) == EntryResult::Changed;
        };
        if (recordEntry)
            recordEntry(EntryName(m_grid, m_row, m_column), entry);
        else
            entry();
    }
    m_open = false;
    m_host.HideEditor();
    if (changed && onEntryCommitted) onEntryCommitted();
    return changed;
}

std::string CGridEditor::EntryName(const IGrid& grid, Row row, int column) {
    std::string place = Trim(grid.GetItemText(row, ColumnNumber(PosCol::OZ)));
    if (place.empty()) place = Trim(grid.GetItemText(row, ColumnNumber(PosCol::ShortText))).substr(0, 40);
    const std::string title = grid.ColumnTitle(column);
    return place.empty() ? title : title + " " + place;
}

void CGridEditor::Discard() {
    if (!m_open) return;
    const CBusy busy(*this);
    m_open = false;
    m_row = IGrid::kNoRow;
    m_host.HideEditor();
}

bool CGridEditor::OnEditorKey(EditorKey key) {
    if (!m_open) return false;
    switch (key) {
    case EditorKey::Tab:
        if (m_column < m_grid.ColumnCount() - 1) StartEdit(m_column + 1);
        return true;
    case EditorKey::ShiftTab:
        if (m_column >= 1) {
            CommitEdit();
            --m_column;
            StartEdit(m_column); // column 0 opens nothing
        }
        return true;
    case EditorKey::Enter:
    case EditorKey::Down:
    case EditorKey::Up: {
        const Row next = NextEditableRow(m_row, m_column, key == EditorKey::Up);
        if (next == IGrid::kNoRow) return true;
        const int column = m_column;
        CommitEdit();
        m_grid.SelectRow(next);
        StartEdit(column);
        return true;
    }
    case EditorKey::Escape:
        CommitEdit();
        return true;
    }
    return false;
}

void CGridEditor::OnEditorFocusLost() {
    if (m_busy > 0) return;
    CommitEdit();
}

void CGridEditor::OnLeftButtonDown(Row row, int column) {
    CommitEdit();
    if (row == IGrid::kNoRow) return;
    if (m_grid.SelectedRow() != row) m_grid.SelectRow(row);
    StartEdit(column);
}

int CGridEditor::FirstEditableColumn(Row row) const {
    if (row == IGrid::kNoRow) return -1;
    for (const PosCol column : kKeyboardColumns)
        if (!m_rules.IsCellReadOnly(row, ColumnNumber(column))) return ColumnNumber(column);
    return -1;
}

bool CGridEditor::OpenFirstEditable() {
    const int column = FirstEditableColumn(m_grid.SelectedRow());
    if (column < 0) return false;
    StartEdit(column);
    return m_open;
}

bool CGridEditor::TypeOnRow(char c) {
    if (c < '0' || c > '9' || !OpenFirstEditable()) return false;
    m_host.TypeIntoEditor(std::string(1, c));
    return true;
}

IGrid::Row CGridEditor::NextEditableRow(Row row, int column, bool up) const {
    for (Row r = up ? m_grid.PrevVisible(row) : m_grid.NextVisible(row); r != IGrid::kNoRow;
         r = up ? m_grid.PrevVisible(r) : m_grid.NextVisible(r))
        if (!m_rules.IsCellReadOnly(r, column)) return r;
    return IGrid::kNoRow;
}

int CGridEditor::ColumnAt(const std::vector<int>& widths, int left, int x) {
    for (size_t c = 0; c < widths.size(); ++c) {
        const int right = left + widths[c];
        if (left < x && x < right) return static_cast<int>(c);
        left = right;
    }
    return -1;
}
