#include "ui/qt/tlst_model.h"

#include "common/code_page.h"
#include "ui/qt/qt_resources.h"

#include <QBrush>

namespace {

QString ToQt(const std::string& cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

Qt::Alignment AlignmentOf(ColumnAlign align) {
    switch (align) {
    case ColumnAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlign::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// A cell shows one line: line breaks inside a text become blanks.
QString CellText(const std::string& text) {
    QString result = ToQt(text);
    result.replace(QLatin1String("\r\n"), QLatin1String(" "));
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

} // namespace

CTLstModel::CTLstModel(QObject* parent) : QAbstractItemModel(parent) {
    EnsureOrvakResources();
}

QModelIndex CTLstModel::IndexOfRow(Row row, int column) const {
    if (!IsValidRow(row) || column < 0 || column >= ColumnCount()) return QModelIndex();
    return createIndex(PositionInParent(row), column, static_cast<quintptr>(row));
}

IGrid::Row CTLstModel::RowOfIndex(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) return kNoRow;
    const Row row = static_cast<Row>(index.internalId());
    return IsValidRow(row) ? row : kNoRow;
}

QModelIndex CTLstModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= ColumnCount() || row < 0) return QModelIndex();
    if (parent.isValid() && parent.column() != 0) return QModelIndex();
    const std::vector<Row>& children = Children(parent.isValid() ? RowOfIndex(parent) : kNoRow);
    if (static_cast<size_t>(row) >= children.size()) return QModelIndex();
    return createIndex(row, column, static_cast<quintptr>(children[static_cast<size_t>(row)]));
}

QModelIndex CTLstModel::parent(const QModelIndex& child) const {
    return IndexOfRow(Parent(RowOfIndex(child)), 0);
}

int CTLstModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() && parent.column() != 0) return 0;
    return static_cast<int>(Children(parent.isValid() ? RowOfIndex(parent) : kNoRow).size());
}

int CTLstModel::columnCount(const QModelIndex&) const {
    return ColumnCount();
}

bool CTLstModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant CTLstModel::data(const QModelIndex& index, int role) const {
    const Row row = RowOfIndex(index);
    if (row == kNoRow) return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return CellText(GetItemText(row, index.column()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(AlignmentOf(ColumnAlignment(index.column())));
    case Qt::DecorationRole:
        if (index.column() == 0) return RowIcon(ItemImage(row));
        break;
    case Qt::FontRole:
        if (IsItemBold(row)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        break;
    case Qt::BackgroundRole:
        if (IsItemShaded(row)) return QBrush(ShadeColour());
        break;
    default:
        break;
    }
    return QVariant();
}

QVariant CTLstModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount()) return QVariant();
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return ToQt(ColumnTitle(section));
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(AlignmentOf(ColumnAlignment(section)));
    return QVariant();
}

Qt::ItemFlags CTLstModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (rowCount(index.siblingAtColumn(0)) == 0) result |= Qt::ItemNeverHasChildren;
    return result;
}

void CTLstModel::AboutToReset() {
    beginResetModel();
}

void CTLstModel::ResetDone() {
    endResetModel();
}

void CTLstModel::AboutToInsert(Row parent, int position) {
    beginInsertRows(IndexOfRow(parent, 0), position, position);
}

void CTLstModel::Inserted() {
    endInsertRows();
}

void CTLstModel::CellsChanged(Row row, int firstColumn, int lastColumn) {
    if (row != kNoRow) {
        Q_EMIT dataChanged(IndexOfRow(row, firstColumn), IndexOfRow(row, lastColumn));
        return;
    }
    // Every row: told as a change of the top-level rows, and to the views of the tree-list
    // as such, so that they repaint all they show.
    const std::vector<Row>& roots = Children(kNoRow);
    if (roots.empty() || ColumnCount() == 0) return;
    Q_EMIT dataChanged(IndexOfRow(roots.front(), 0), IndexOfRow(roots.back(), ColumnCount() - 1));
    Q_EMIT allRowsChanged();
}

void CTLstModel::ColumnTitleChanged(int column) {
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void CTLstModel::ExpansionChanged(Row row) {
    if (row == kNoRow)
        Q_EMIT expandAllRequested();
    else
        Q_EMIT expandRequested(IndexOfRow(row, 0), IsExpanded(row));
}

void CTLstModel::SelectionChanged(Row row) {
    Q_EMIT selectRequested(IndexOfRow(row, 0));
}
