#pragma once

#include "ui/grid.h"

#include <QTreeView>

#include <vector>

class CTLstModel;

// The tree body of the tree-list: a tree view over the grid model with a header whose
// columns can be resized but not clicked, sorted or moved, one line per row, rows shaded
// by their own flag (in insertion order, not by visible position), long texts ending in
// "..." and no grid lines. Column widths survive a refill of the rows.
class CTLstTree : public QTreeView {
    Q_OBJECT
public:
    explicit CTLstTree(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    CTLstModel* GridModel() const { return m_model; }

    // Widths of all columns as the header shows them.
    std::vector<int> ColumnWidths() const;
    // Sets the widths of the first columns; an entry below 1 keeps that column's width.
    void SetColumnWidths(const std::vector<int>& widths);
    // The width a column starts with: the grid's width, given in pixels of the 8-point font
    // the tree-list was made for, scaled to the font in use, and never narrower than the
    // column's title or, for a number column, a six-digit amount.
    int DefaultColumnWidth(int column) const;

Q_SIGNALS:
    // The selected row changed (kNoRow: none).
    void rowSelected(IGrid::Row row);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void RestoreWidthsAfterReset();

    CTLstModel* m_model = nullptr;
    std::vector<int> m_widths;            // the widths the user sees
    std::vector<int> m_widthsBeforeReset; // kept across a refill of the model
};
