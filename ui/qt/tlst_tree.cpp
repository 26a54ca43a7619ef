#include "ui/qt/tlst_tree.h"

#include "ui/qt/tlst_item_delegate.h"
#include "ui/qt/tlst_model.h"

#include <QHeaderView>
#include <QPainter>

CTLstTree::CTLstTree(QWidget* parent) : QTreeView(parent) {
    setAccessibleName(QStringLiteral("Positionsliste"));
    setItemDelegate(new CTLstItemDelegate(this));
    setUniformRowHeights(true);
    setAlternatingRowColors(false);
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setExpandsOnDoubleClick(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setIconSize(QSize(16, 16));
    setTextElideMode(Qt::ElideNone); // the delegate elides with "..."
    setAcceptDrops(false);

    QHeaderView* head = header();
    head->setSectionsClickable(false);
    head->setSectionsMovable(false);
    head->setSortIndicatorShown(false);
    head->setHighlightSections(false);
    head->setStretchLastSection(false);
    head->setSectionResizeMode(QHeaderView::Interactive);
    head->setMinimumSectionSize(8);
    connect(head, &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section < 0) return;
        if (static_cast<size_t>(section) >= m_widths.size())
            m_widths.resize(static_cast<size_t>(section) + 1, -1);
        m_widths[static_cast<size_t>(section)] = size;
    });
}

void CTLstTree::setModel(QAbstractItemModel* model) {
    if (m_model) disconnect(m_model, nullptr, this, nullptr);
    QTreeView::setModel(model);
    m_model = qobject_cast<CTLstModel*>(model);
    if (!m_model) return;
    // The header gives the columns default widths on a reset; the slot below runs after it.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_widthsBeforeReset = m_widths; });
    connect(m_model, &QAbstractItemModel::modelReset, this, &CTLstTree::RestoreWidthsAfterReset);
    connect(m_model, &CTLstModel::expandAllRequested, this, &QTreeView::expandAll);
    connect(m_model, &CTLstModel::expandRequested, this,
            [this](const QModelIndex& index, bool expand) { setExpanded(index, expand); });
    connect(m_model, &CTLstModel::selectRequested, this, [this](const QModelIndex& index) {
        setCurrentIndex(index);
        if (index.isValid()) scrollTo(index);
    });
    connect(this, &QTreeView::expanded, m_model,
            [this](const QModelIndex& index) { m_model->NoteExpanded(m_model->RowOfIndex(index), true); });
    connect(this, &QTreeView::collapsed, m_model,
            [this](const QModelIndex& index) { m_model->NoteExpanded(m_model->RowOfIndex(index), false); });
    m_widthsBeforeReset = m_widths;
    RestoreWidthsAfterReset();
}

void CTLstTree::RestoreWidthsAfterReset() {
    if (!m_model) return;
    const std::vector<int> widths = m_widthsBeforeReset;
    for (int c = 0; c < m_model->ColumnCount(); ++c) {
        const size_t i = static_cast<size_t>(c);
        header()->resizeSection(c, i < widths.size() && widths[i] > 0 ? widths[i] : DefaultColumnWidth(c));
    }
}

int CTLstTree::DefaultColumnWidth(int column) const {
    if (!m_model) return 0;
    // Line height of the 8-point font the widths were chosen for.
    constexpr double kDesignLineHeight = 13.0;
    const double scale = qBound(1.0, fontMetrics().height() / kDesignLineHeight, 3.0);
    const int scaled = static_cast<int>(m_model->ColumnWidth(column) * scale + 0.5);
    const QString title = m_model->headerData(column, Qt::Horizontal).toString();
    int least = header()->fontMetrics().horizontalAdvance(title) + 16;
    // Number columns show six-digit amounts without cutting them.
    if (m_model->ColumnEditorKind(column) > 0)
        least = qMax(least, fontMetrics().horizontalAdvance(QStringLiteral("999.999,99")) + 16);
    return qMax(scaled, least);
}

std::vector<int> CTLstTree::ColumnWidths() const {
    std::vector<int> widths;
    for (int c = 0; c < header()->count(); ++c)
        widths.push_back(header()->sectionSize(c));
    return widths;
}

void CTLstTree::SetColumnWidths(const std::vector<int>& widths) {
    for (size_t i = 0; i < widths.size() && static_cast<int>(i) < header()->count(); ++i)
        if (widths[i] > 0) header()->resizeSection(static_cast<int>(i), widths[i]);
}

void CTLstTree::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    // The shading covers the whole row, the indentation of the tree column included.
    if (m_model && m_model->IsItemShaded(m_model->RowOfIndex(index)) && !selectionModel()->isSelected(index))
        painter->fillRect(option.rect, CTLstModel::ShadeColour());
    QTreeView::drawRow(painter, option, index);
}

void CTLstTree::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTreeView::currentChanged(current, previous);
    if (!m_model) return;
    const IGrid::Row row = m_model->RowOfIndex(current);
    m_model->NoteSelected(row);
    Q_EMIT rowSelected(row);
}
