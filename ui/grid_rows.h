#pragma once

#include "ui/grid.h"

#include <string>
#include <vector>

// The rows and columns of a tree-list grid in memory, implementing the whole grid seam.
// Each row holds its column texts in one string joined by the byte 0xB6, its record index,
// icon, weight, shading and expansion flags and its children. A view on top (the Qt model)
// learns about changes through the protected hooks, which do nothing here.
class CGridRows : public IGrid {
public:
    static constexpr char kSeparator = '\xb6';
    // The shading flag of the rows alternates in insertion order: the first is not shaded.

    int InsertColumn(const std::string& title, ColumnAlign align, int width, int editorKind) override;
    int ColumnCount() const override { return static_cast<int>(m_columns.size()); }
    std::string ColumnTitle(int column) const override;
    void SetColumnTitle(int column, const std::string& title) override;
    ColumnAlign ColumnAlignment(int column) const override;
    int ColumnWidth(int column) const override;
    int ColumnEditorKind(int column) const override;

    void BeginFill() override;
    void EndFill() override;
    void BeginUpdate() override;
    void EndUpdate() override;
    void RowsChanged(Row row) override;

    Row InsertItem(Row parent, const std::string& label, int image) override;
    int RowCount() const override { return static_cast<int>(m_rows.size()); }
    unsigned StructureVersion() const override { return m_structureVersion; }

    void SetItemRecord(Row row, int record) override;
    int GetItemRecord(Row row) const override;
    Row FindItemByRecord(int record) const override;
    void SetItemBold(Row row, bool bold) override;
    bool IsItemBold(Row row) const override;
    int ItemImage(Row row) const override;
    bool IsItemShaded(Row row) const override;
    std::string GetItemText(Row row, int column) const override;
    bool SetItemText(Row row, int column, const std::string& text) override;

    Row FirstRow() const override { return m_roots.empty() ? kNoRow : m_roots.front(); }
    Row FirstChild(Row row) const override;
    Row NextSibling(Row row) const override;
    Row PrevSibling(Row row) const override;
    Row Parent(Row row) const override;
    Row NextVisible(Row row) const override;
    Row PrevVisible(Row row) const override;

    void ExpandAll() override;
    void Expand(Row row, bool expand) override;
    bool IsExpanded(Row row) const override;
    Row SelectedRow() const override { return m_selected; }
    void SelectRow(Row row) override;

    // The view reports what the user did to expansion and selection (no hook is called).
    void NoteExpanded(Row row, bool expanded);
    void NoteSelected(Row row);

    // For views: the children of a row (kNoRow: the top-level rows) and a row's place
    // among its parent's children.
    const std::vector<Row>& Children(Row row) const;
    int PositionInParent(Row row) const;
    bool IsValidRow(Row row) const { return row >= 0 && row < RowCount(); }
    bool InFill() const { return m_fillDepth > 0; }
    bool InUpdate() const { return m_updateDepth > 0; }

protected:
    // Hooks for a view. A reset covers BeginFill..EndFill and column insertion.
    virtual void AboutToReset() {}
    virtual void ResetDone() {}
    virtual void AboutToInsert(Row /*parent*/, int /*position*/) {}
    virtual void Inserted() {}
    // Texts of cells changed: one row's columns, or every row (row kNoRow).
    virtual void CellsChanged(Row /*row*/, int /*firstColumn*/, int /*lastColumn*/) {}
    virtual void ColumnTitleChanged(int /*column*/) {}
    // One row's expansion changed, or (row kNoRow) every row was expanded.
    virtual void ExpansionChanged(Row /*row*/) {}
    virtual void SelectionChanged(Row /*row*/) {}

private:
    struct SColumn {
        std::string title;
        ColumnAlign align = ColumnAlign::Left;
        int width = 0;
        int editorKind = 0;
    };
    struct SRow {
        std::string texts;
        int record = -1;
        Row parent = kNoRow;
        int position = 0; // among the parent's children
        std::vector<Row> children;
        int image = 0;
        bool bold = false;
        bool shaded = false;
        bool expanded = false;
    };

    bool ValidColumn(int column) const { return column >= 0 && column < ColumnCount(); }
    Row LastVisibleBelow(Row row) const;

    std::vector<SColumn> m_columns;
    std::vector<SRow> m_rows;
    std::vector<Row> m_roots;
    std::vector<Row> m_rowOfRecord; // record index -> row
    Row m_selected = kNoRow;
    bool m_shadeNext = false;
    int m_fillDepth = 0;
    int m_updateDepth = 0;
    bool m_expandAllPending = false;
    unsigned m_structureVersion = 0;
};
