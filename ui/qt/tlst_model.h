#pragma once

#include "ui/grid_rows.h"

#include <QAbstractItemModel>
#include <QColor>
#include <QFont>

// The rows of the tree-list as a Qt item model: the grid seam (CGridRows holds the rows as
// plain structs, no Qt object per row or cell) told to the views through the model signals.
// Expansion and selection are the view's state; the model asks the view to show what the
// core sets (the request signals) and the view reports back with NoteExpanded/NoteSelected.
class CTLstModel : public QAbstractItemModel, public CGridRows {
    Q_OBJECT
public:
    explicit CTLstModel(QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The model index of a row's cell, invalid for no row.
    QModelIndex IndexOfRow(Row row, int column = 0) const;
    // The row of a model index, kNoRow for an invalid index.
    Row RowOfIndex(const QModelIndex& index) const;

    // The colour of shaded rows.
    static QColor ShadeColour() { return QColor(238, 238, 238); }

Q_SIGNALS:
    void expandAllRequested();
    void expandRequested(const QModelIndex& index, bool expand);
    void selectRequested(const QModelIndex& index);
    // The texts of every row changed (after an entry, a calculation): a view repaints all it
    // shows (dataChanged over the top-level rows makes Qt repaint those rows only).
    void allRowsChanged();

protected:
    void AboutToReset() override;
    void ResetDone() override;
    void AboutToInsert(Row parent, int position) override;
    void Inserted() override;
    void CellsChanged(Row row, int firstColumn, int lastColumn) override;
    void ColumnTitleChanged(int column) override;
    void ExpansionChanged(Row row) override;
    void SelectionChanged(Row row) override;
};
