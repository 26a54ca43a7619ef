#include "ui/grid_rows.h"

#include <algorithm>

namespace {

const std::vector<IGrid::Row> kNoRows;

// Start and length of piece `column` of a joined text; start = npos when it does not exist.
void FindPiece(const std::string& texts, int column, size_t& start, size_t& length) {
    start = 0;
    for (int k = 0; k < column; ++k) {
        const size_t sep = texts.find(CGridRows::kSeparator, start);
        if (sep == std::string::npos) {
            start = std::string::npos;
            length = 0;
            return;
        }
        start = sep + 1;
    }
    const size_t end = texts.find(CGridRows::kSeparator, start);
    length = (end == std::string::npos ? texts.size() : end) - start;
}

std::string WithoutSeparator(std::string text) {
    std::replace(text.begin(), text.end(), CGridRows::kSeparator, ' ');
    return text;
}

} // namespace

int CGridRows::InsertColumn(const std::string& title, ColumnAlign align, int width, int editorKind) {
    AboutToReset();
    m_columns.push_back({title, align, width, editorKind});
    ResetDone();
    return ColumnCount() - 1;
}

std::string CGridRows::ColumnTitle(int column) const {
    return ValidColumn(column) ? m_columns[static_cast<size_t>(column)].title : std::string();
}

void CGridRows::SetColumnTitle(int column, const std::string& title) {
    if (!ValidColumn(column) || m_columns[static_cast<size_t>(column)].title == title) return;
    m_columns[static_cast<size_t>(column)].title = title;
    ColumnTitleChanged(column);
}

ColumnAlign CGridRows::ColumnAlignment(int column) const {
    return ValidColumn(column) ? m_columns[static_cast<size_t>(column)].align : ColumnAlign::Left;
}

int CGridRows::ColumnWidth(int column) const {
    return ValidColumn(column) ? m_columns[static_cast<size_t>(column)].width : 0;
}

int CGridRows::ColumnEditorKind(int column) const {
    return ValidColumn(column) ? m_columns[static_cast<size_t>(column)].editorKind : 0;
}

void CGridRows::BeginFill() {
    if (m_fillDepth++ == 0) AboutToReset();
    ++m_structureVersion;
    m_rows.clear();
    m_roots.clear();
    m_rowOfRecord.clear();
    m_selected = kNoRow;
    m_shadeNext = false;
    m_expandAllPending = false;
}

void CGridRows::EndFill() {
    if (m_fillDepth == 0 || --m_fillDepth > 0) return;
    ResetDone();
    if (m_expandAllPending) {
        m_expandAllPending = false;
        ExpansionChanged(kNoRow);
    }
    if (m_selected != kNoRow) SelectionChanged(m_selected);
}

void CGridRows::BeginUpdate() {
    ++m_updateDepth;
}

void CGridRows::EndUpdate() {
    if (m_updateDepth == 0 || --m_updateDepth > 0) return;
    RowsChanged(kNoRow);
}

void CGridRows::RowsChanged(Row row) {
    if (InFill() || InUpdate()) return;
    if (row != kNoRow && !IsValidRow(row)) return;
    if (ColumnCount() > 0) CellsChanged(row, 0, ColumnCount() - 1);
}

IGrid::Row CGridRows::InsertItem(Row parent, const std::string& label, int image) {
    if (parent != kNoRow && !IsValidRow(parent)) return kNoRow;
    const Row row = RowCount();
    ++m_structureVersion;
    std::vector<Row>& siblings = parent == kNoRow ? m_roots : m_rows[static_cast<size_t>(parent)].children;
    const bool notify = !InFill();
    if (notify) AboutToInsert(parent, static_cast<int>(siblings.size()));
    SRow r;
    r.texts = WithoutSeparator(label);
    r.parent = parent;
    r.position = static_cast<int>(siblings.size());
    r.image = image;
    r.shaded = m_shadeNext;
    m_shadeNext = !m_shadeNext;
    // `siblings` may point into m_rows, so it is extended before m_rows grows.
    siblings.push_back(row);
    m_rows.push_back(std::move(r));
    if (notify) Inserted();
    return row;
}

void CGridRows::SetItemRecord(Row row, int record) {
    if (!IsValidRow(row)) return;
    SRow& r = m_rows[static_cast<size_t>(row)];
    if (r.record >= 0 && static_cast<size_t>(r.record) < m_rowOfRecord.size() &&
        m_rowOfRecord[static_cast<size_t>(r.record)] == row)
        m_rowOfRecord[static_cast<size_t>(r.record)] = kNoRow;
    r.record = record;
    if (record < 0) return;
    if (static_cast<size_t>(record) >= m_rowOfRecord.size())
        m_rowOfRecord.resize(static_cast<size_t>(record) + 1, kNoRow);
    if (m_rowOfRecord[static_cast<size_t>(record)] == kNoRow)
        m_rowOfRecord[static_cast<size_t>(record)] = row;
}

int CGridRows::GetItemRecord(Row row) const {
    return IsValidRow(row) ? m_rows[static_cast<size_t>(row)].record : -1;
}

IGrid::Row CGridRows::FindItemByRecord(int record) const {
    if (record < 0 || static_cast<size_t>(record) >= m_rowOfRecord.size()) return kNoRow;
    return m_rowOfRecord[static_cast<size_t>(record)];
}

void CGridRows::SetItemBold(Row row, bool bold) {
    if (!IsValidRow(row) || m_rows[static_cast<size_t>(row)].bold == bold) return;
    m_rows[static_cast<size_t>(row)].bold = bold;
    RowsChanged(row);
}

bool CGridRows::IsItemBold(Row row) const {
    return IsValidRow(row) && m_rows[static_cast<size_t>(row)].bold;
}

int CGridRows::ItemImage(Row row) const {
    return IsValidRow(row) ? m_rows[static_cast<size_t>(row)].image : -1;
}

bool CGridRows::IsItemShaded(Row row) const {
    return IsValidRow(row) && m_rows[static_cast<size_t>(row)].shaded;
}

std::string CGridRows::GetItemText(Row row, int column) const {
    if (!IsValidRow(row) || column < 0) return std::string();
    const std::string& texts = m_rows[static_cast<size_t>(row)].texts;
    size_t start, length;
    FindPiece(texts, column, start, length);
    return start == std::string::npos ? std::string() : texts.substr(start, length);
}

bool CGridRows::SetItemText(Row row, int column, const std::string& text) {
    if (!IsValidRow(row) || column < 0) return false;
    std::string& texts = m_rows[static_cast<size_t>(row)].texts;
    size_t start, length;
    FindPiece(texts, column, start, length);
    if (start == std::string::npos) {
        // Append separators until piece `column` exists.
        const int pieces = static_cast<int>(std::count(texts.begin(), texts.end(), kSeparator)) + 1;
        texts.append(static_cast<size_t>(column - pieces + 1), kSeparator);
        texts += WithoutSeparator(text);
    } else {
        texts.replace(start, length, WithoutSeparator(text));
    }
    if (!InFill() && !InUpdate()) CellsChanged(row, column, column);
    return true;
}

const std::vector<IGrid::Row>& CGridRows::Children(Row row) const {
    if (row == kNoRow) return m_roots;
    return IsValidRow(row) ? m_rows[static_cast<size_t>(row)].children : kNoRows;
}

int CGridRows::PositionInParent(Row row) const {
    return IsValidRow(row) ? m_rows[static_cast<size_t>(row)].position : -1;
}

IGrid::Row CGridRows::FirstChild(Row row) const {
    if (!IsValidRow(row)) return kNoRow;
    const std::vector<Row>& children = m_rows[static_cast<size_t>(row)].children;
    return children.empty() ? kNoRow : children.front();
}

IGrid::Row CGridRows::NextSibling(Row row) const {
    if (!IsValidRow(row)) return kNoRow;
    const SRow& r = m_rows[static_cast<size_t>(row)];
    const std::vector<Row>& siblings = Children(r.parent);
    const size_t next = static_cast<size_t>(r.position) + 1;
    return next < siblings.size() ? siblings[next] : kNoRow;
}

IGrid::Row CGridRows::PrevSibling(Row row) const {
    if (!IsValidRow(row)) return kNoRow;
    const SRow& r = m_rows[static_cast<size_t>(row)];
    return r.position > 0 ? Children(r.parent)[static_cast<size_t>(r.position) - 1] : kNoRow;
}

IGrid::Row CGridRows::Parent(Row row) const {
    return IsValidRow(row) ? m_rows[static_cast<size_t>(row)].parent : kNoRow;
}

IGrid::Row CGridRows::NextVisible(Row row) const {
    if (!IsValidRow(row)) return kNoRow;
    if (IsExpanded(row) && FirstChild(row) != kNoRow) return FirstChild(row);
    for (Row r = row; r != kNoRow; r = Parent(r)) {
        const Row next = NextSibling(r);
        if (next != kNoRow) return next;
    }
    return kNoRow;
}

IGrid::Row CGridRows::LastVisibleBelow(Row row) const {
    while (IsExpanded(row) && !m_rows[static_cast<size_t>(row)].children.empty())
        row = m_rows[static_cast<size_t>(row)].children.back();
    return row;
}

IGrid::Row CGridRows::PrevVisible(Row row) const {
    if (!IsValidRow(row)) return kNoRow;
    const Row prev = PrevSibling(row);
    return prev == kNoRow ? Parent(row) : LastVisibleBelow(prev);
}

void CGridRows::ExpandAll() {
    for (SRow& r : m_rows)
        r.expanded = !r.children.empty();
    if (InFill())
        m_expandAllPending = true;
    else
        ExpansionChanged(kNoRow);
}

void CGridRows::Expand(Row row, bool expand) {
    if (!IsValidRow(row) || m_rows[static_cast<size_t>(row)].expanded == expand) return;
    m_rows[static_cast<size_t>(row)].expanded = expand;
    if (!InFill()) ExpansionChanged(row);
}

bool CGridRows::IsExpanded(Row row) const {
    return IsValidRow(row) && m_rows[static_cast<size_t>(row)].expanded;
}

void CGridRows::SelectRow(Row row) {
    if (row != kNoRow && !IsValidRow(row)) return;
    m_selected = row;
    if (!InFill()) SelectionChanged(row);
}

void CGridRows::NoteExpanded(Row row, bool expanded) {
    if (IsValidRow(row)) m_rows[static_cast<size_t>(row)].expanded = expanded;
}

void CGridRows::NoteSelected(Row row) {
    m_selected = IsValidRow(row) ? row : kNoRow;
}
