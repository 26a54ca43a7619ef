#pragma once

#include <string>

// Alignment of a grid column's texts (and of its header title).
enum class ColumnAlign { Left, Right, Center };

// The grid seam: the tree of rows that the position list shows, each row with one text per
// column, the list index of its record, an icon, a weight and a shading flag. The cell rules
// read and write cell texts, find rows by record and walk the tree through this interface;
// the Qt model of the tree-list view and the in-memory grid of the tests implement it.
//
// Rows are identified by a small handle (0 to RowCount() - 1) that stays valid until the rows
// are deleted; kNoRow means "none". Texts are Windows-1252 and must not contain the column separator
// byte 0xB6 (a text that does is stored with a blank in its place).
class IGrid {
public:
    using Row = int;
    static constexpr Row kNoRow = -1;

    virtual ~IGrid() = default;

    // Columns. The editor kind is 0 for the text editor, n > 0 for the numeric editor with
    // n decimals. InsertColumn appends and returns the column's number.
    virtual int InsertColumn(const std::string& title, ColumnAlign align, int width, int editorKind) = 0;
    virtual int ColumnCount() const = 0;
    virtual std::string ColumnTitle(int column) const = 0;
    virtual void SetColumnTitle(int column, const std::string& title) = 0;
    virtual ColumnAlign ColumnAlignment(int column) const = 0;
    virtual int ColumnWidth(int column) const = 0;
    virtual int ColumnEditorKind(int column) const = 0;

    // Refilling: BeginFill deletes every row; the rows inserted until EndFill reach the view
    // as one change. DeleteAllRows is BeginFill followed by EndFill.
    virtual void BeginFill() = 0;
    virtual void EndFill() = 0;
    void DeleteAllRows() {
        BeginFill();
        EndFill();
    }
    // Text changes between BeginUpdate and EndUpdate are not shown one by one; EndUpdate
    // repaints all rows. Calls nest.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    // Tells the view that the texts of a row (kNoRow: of all rows) changed.
    virtual void RowsChanged(Row row) = 0;

    // Appends a row as the last child of `parent` (kNoRow: at the top level) with the text
    // of column 0 and the icon; its shading flag alternates in insertion order.
    virtual Row InsertItem(Row parent, const std::string& label, int image) = 0;
    virtual int RowCount() const = 0;
    // Changes whenever rows are deleted or inserted, so that what is derived from the tree's
    // shape can tell that it is out of date.
    virtual unsigned StructureVersion() const = 0;

    virtual void SetItemRecord(Row row, int record) = 0;
    // The record index of a row, -1 for none.
    virtual int GetItemRecord(Row row) const = 0;
    // The row that was first given the record, kNoRow if none (answered from an index).
    virtual Row FindItemByRecord(int record) const = 0;
    virtual void SetItemBold(Row row, bool bold) = 0;
    virtual bool IsItemBold(Row row) const = 0;
    virtual int ItemImage(Row row) const = 0;
    virtual bool IsItemShaded(Row row) const = 0;
    // Empty for a column the row holds no text for, or for no row.
    virtual std::string GetItemText(Row row, int column) const = 0;
    // False for no row or a negative column.
    virtual bool SetItemText(Row row, int column, const std::string& text) = 0;

    // The tree.
    virtual Row FirstRow() const = 0;
    virtual Row FirstChild(Row row) const = 0;
    virtual Row NextSibling(Row row) const = 0;
    virtual Row PrevSibling(Row row) const = 0;
    virtual Row Parent(Row row) const = 0;
    // The row below and above a visible row, as the user sees the expanded tree.
    virtual Row NextVisible(Row row) const = 0;
    virtual Row PrevVisible(Row row) const = 0;

    // Expansion and selection, as the view shows them.
    virtual void ExpandAll() = 0;
    virtual void Expand(Row row, bool expand) = 0;
    virtual bool IsExpanded(Row row) const = 0;
    virtual Row SelectedRow() const = 0;
    virtual void SelectRow(Row row) = 0;
};
