#pragma once

#include "ui/cell_rules.h"
#include "ui/grid.h"
#include "ui/grid_editor.h"

#include <QTreeView>

#include <memory>
#include <vector>

class CAngebotList;
class CFloatEdit;
class CTLstModel;
class CTTEdit;

// The tree body of the tree-list: a tree view over the grid model with a header whose
// columns can be resized but not clicked, sorted or moved, one line per row, rows shaded
// by their own flag (in insertion order, not by visible position), long texts ending in
// "..." and no grid lines. Column widths survive a refill of the rows.
//
// With editing enabled, a cell is edited in place: a left click on a cell of column 1 and up
// opens the numeric editor (with the column's decimals) or the text editor over it, read-only
// where the cell rules say so; F2, Enter or a digit on a selected row open its first editable
// cell. What the editors and keys do is CGridEditor's; the tree translates the events. The
// native tree never sees a left press, so it neither drags nor selects by dragging.
class CTLstTree : public QTreeView, private ICellEditorHost {
    Q_OBJECT
public:
    explicit CTLstTree(QWidget* parent = nullptr);
    ~CTLstTree() override;

    void setModel(QAbstractItemModel* model) override;
    // Rows are selected whole: showing a row scrolls vertically only, the columns stay where
    // the user scrolled them.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    CTLstModel* GridModel() const { return m_model; }

    // Widths of all columns as the header shows them.
    std::vector<int> ColumnWidths() const;
    // Sets the widths of the first columns; an entry below 1 keeps that column's width.
    void SetColumnWidths(const std::vector<int>& widths);
    // The width a column starts with: the grid's width, given in pixels of the 8-point font
    // the tree-list was made for, scaled to the font in use, and never narrower than the
    // column's title or, for a number column, a six-digit amount.
    int DefaultColumnWidth(int column) const;

    // In-place editing of `list` (the records behind the model's rows) by the cell rules; `ask`
    // puts the questions 61220 and 61221. Once, after setModel.
    void EnableEditing(CAngebotList& list, CCellRules::Ask ask);
    // Every entry runs inside `record` (an undo history's step), see CGridEditor::recordEntry.
    void SetEntryRecorder(decltype(CGridEditor::recordEntry) record);
    CGridEditor* Editor() const { return m_editor.get(); }
    CFloatEdit* NumEditor() const { return m_numEdit; }
    CTTEdit* TextEditor() const { return m_textEdit; }
    // Commits a changed entry of the open editor and hides it (before every command).
    void CommitPendingEntry();
    // The column under a point of the viewport (-1 on a border or beside the columns).
    int ColumnUnder(int x) const;

Q_SIGNALS:
    // The selected row changed (kNoRow: none).
    void rowSelected(IGrid::Row row);
    // An entry changed records.
    void entryCommitted();

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RestoreWidthsAfterReset();
    // Editing ends: nothing reaches the rules or the rows any more (the model or the tree goes).
    void EndEditing();
    // ICellEditorHost
    void ShowEditor(const SCellEditorSpec& spec) override;
    void HideEditor() override;
    bool TakeEntry(std::string& text) override;
    void TypeIntoEditor(const std::string& keys) override;
    // Scrolls horizontally so that the column stands 5 pixels inside the viewport.
    void MakeColumnVisible(int column);
    // Whether the point lies on the expand button of the row's tree column.
    bool OnExpandButton(const QModelIndex& index, const QPoint& point) const;

    std::unique_ptr<CCellRules> m_rules;
    std::unique_ptr<CGridEditor> m_editor;
    CFloatEdit* m_numEdit = nullptr;
    CTTEdit* m_textEdit = nullptr;
    bool m_numericShown = false;
    bool m_placingEditor = false; // the tree scrolls to show a cell for its editor

    CTLstModel* m_model = nullptr;
    std::vector<int> m_widths;            // the widths the user sees
    std::vector<int> m_widthsBeforeReset; // kept across a refill of the model
};
