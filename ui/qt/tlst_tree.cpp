#include "ui/qt/tlst_tree.h"

#include "app/qt/qt_text.h"
#include "ui/qt/float_edit.h"
#include "ui/qt/tlst_item_delegate.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tt_edit.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <optional>

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

CTLstTree::~CTLstTree() {
    EndEditing();
}

void CTLstTree::EndEditing() {
    for (QObject* edit : {static_cast<QObject*>(m_numEdit), static_cast<QObject*>(m_textEdit)})
        if (edit) edit->disconnect(this);
    m_editor.reset();
    m_rules.reset();
}

void CTLstTree::setModel(QAbstractItemModel* model) {
    if (m_model) disconnect(m_model, nullptr, this, nullptr);
    EndEditing(); // the rules belong to the rows of the previous model
    QTreeView::setModel(model);
    m_model = qobject_cast<CTLstModel*>(model);
    if (!m_model) return;
    // The header gives the columns default widths on a reset; the slot below runs after it.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_widthsBeforeReset = m_widths;
        // The rows go: an open editor goes with them (the commands commit before they refill).
        if (m_editor) m_editor->Discard();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, &CTLstTree::RestoreWidthsAfterReset);
    connect(m_model, &QObject::destroyed, this, [this] {
        EndEditing();
        m_model = nullptr;
    });
    connect(m_model, &CTLstModel::expandAllRequested, this, &QTreeView::expandAll);
    connect(m_model, &CTLstModel::allRowsChanged, viewport(), qOverload<>(&QWidget::update));
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

void CTLstTree::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int horizontal = horizontalScrollBar()->value();
    QTreeView::scrollTo(index, hint);
    if (index.column() == 0) horizontalScrollBar()->setValue(horizontal);
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
    // Another row selected under an open editor (keys that reached the tree): the entry goes
    // to its own row and the editor closes.
    if (m_editor && m_editor->IsOpen() && row != m_editor->EditRow()) m_editor->HideEditors();
    Q_EMIT rowSelected(row);
}

// ---- in-place editing

void CTLstTree::EnableEditing(CAngebotList& list, CCellRules::Ask ask) {
    if (!m_model || m_editor) return;
    m_rules = std::make_unique<CCellRules>(*m_model, list, std::move(ask));
    ICellEditorHost& host = *this;
    m_editor = std::make_unique<CGridEditor>(*m_model, *m_rules, host);
    m_editor->onEntryCommitted = [this] { Q_EMIT entryCommitted(); };
    if (!m_numEdit) {
        m_numEdit = new CFloatEdit(viewport());
        m_numEdit->setObjectName(QStringLiteral("NumEditor"));
        m_textEdit = new CTTEdit(viewport());
        m_textEdit->setObjectName(QStringLiteral("TextEditor"));
        m_textEdit->setReadOnly(true);
    }
    for (CTTEdit* edit : {static_cast<CTTEdit*>(m_numEdit), m_textEdit}) {
        edit->hide();
        edit->installEventFilter(this);
        connect(edit, &CTTEdit::FocusLeft, this, [this] {
            if (m_editor) m_editor->OnEditorFocusLost();
        });
    }
    header()->viewport()->installEventFilter(this);
}

void CTLstTree::SetEntryRecorder(decltype(CGridEditor::recordEntry) record) {
    if (m_editor) m_editor->recordEntry = std::move(record);
}

void CTLstTree::CommitPendingEntry() {
    if (m_editor) m_editor->HideEditors();
}

int CTLstTree::ColumnUnder(int x) const {
    std::vector<int> widths;
    for (int c = 0; c < header()->count(); ++c)
        widths.push_back(header()->sectionSize(c));
    return CGridEditor::ColumnAt(widths, -horizontalOffset(), x);
}

bool CTLstTree::OnExpandButton(const QModelIndex& index, const QPoint& point) const {
    const QModelIndex first = index.siblingAtColumn(0);
    if (!first.isValid() || !model()->hasChildren(first)) return false;
    const QRect item = visualRect(first);
    return point.x() < item.left() && point.x() >= item.left() - indentation();
}

void CTLstTree::MakeColumnVisible(int column) {
    QScrollBar* bar = horizontalScrollBar();
    const int edge = viewport()->width();
    const auto left = [&] { return header()->sectionViewportPosition(column); };
    const auto right = [&] { return left() + header()->sectionSize(column); };
    if (edge < right() + 5) bar->setValue(bar->value() + right() + 5 - edge);
    if (left() - 5 < 0) bar->setValue(bar->value() + left() - 5);
}

void CTLstTree::ShowEditor(const SCellEditorSpec& spec) {
    const QModelIndex index = m_model->IndexOfRow(spec.row, spec.column);
    if (!index.isValid() || !m_numEdit) return;
    {
        const QScopedValueRollback<bool> placing(m_placingEditor, true);
        scrollTo(index.siblingAtColumn(0)); // the row, vertically
        MakeColumnVisible(spec.column);
    }
    const QRect row = visualRect(index.siblingAtColumn(0));
    const QRect cell(header()->sectionViewportPosition(spec.column), row.top(),
                     header()->sectionSize(spec.column), row.height());
    QFont font = this->font();
    font.setBold(m_model->IsItemBold(spec.row));
    m_numericShown = spec.numeric;
    CTTEdit* editor = m_textEdit;
    if (spec.numeric) {
        m_textEdit->hide();
        m_numEdit->SetReadOnly(spec.readOnly);
        m_numEdit->SetDecimals(spec.decimals);
        m_numEdit->SetValue(spec.value);
        m_numEdit->SetModified(false);
        editor = m_numEdit;
    } else {
        m_numEdit->hide();
        m_textEdit->setReadOnly(true);
        m_textEdit->setText(ToQt(spec.text));
        m_textEdit->setModified(false);
    }
    editor->setFont(font);
    editor->setGeometry(cell);
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
    editor->selectAll();
}

void CTLstTree::HideEditor() {
    if (!m_numEdit) return;
    // The tree takes the focus back from its editor, not from a pane the user clicked into.
    const QWidget* focus = window()->focusWidget();
    if (focus == m_numEdit || focus == m_textEdit) setFocus(Qt::OtherFocusReason);
    m_textEdit->hide();
    m_numEdit->hide();
}

bool CTLstTree::TakeEntry(std::string& text) {
    // The text editor is always read-only: only the numeric editor makes entries.
    if (!m_numEdit || !m_numericShown || !m_numEdit->IsModified()) return false;
    text = m_numEdit->Text();
    m_numEdit->SetModified(false);
    return true;
}

void CTLstTree::TypeIntoEditor(const std::string& keys) {
    QWidget* editor = m_numericShown ? static_cast<QWidget*>(m_numEdit) : m_textEdit;
    if (!editor) return;
    for (const char c : keys) {
        const int key = c >= '0' && c <= '9' ? Qt::Key_0 + (c - '0') : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, ToQt(std::string(1, c)));
        QCoreApplication::sendEvent(editor, &press);
    }
}

bool CTLstTree::eventFilter(QObject* watched, QEvent* event) {
    // Undo and redo are the window's: the editors keep no history of their own, so their keys
    // reach the window's commands, which take the entry first.
    if ((watched == m_numEdit || watched == m_textEdit) && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier)) {
            event->ignore();
            return true;
        }
    }
    if (m_editor && (watched == m_numEdit || watched == m_textEdit) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        std::optional<EditorKey> editorKey;
        switch (key->key()) {
        case Qt::Key_Tab:
            editorKey = key->modifiers() & Qt::ShiftModifier ? EditorKey::ShiftTab : EditorKey::Tab;
            break;
        case Qt::Key_Backtab:
            editorKey = EditorKey::ShiftTab;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            editorKey = EditorKey::Enter;
            break;
        case Qt::Key_Down:
            editorKey = EditorKey::Down;
            break;
        case Qt::Key_Up:
            editorKey = EditorKey::Up;
            break;
        case Qt::Key_Escape:
            editorKey = EditorKey::Escape;
            break;
        default:
            break;
        }
        if (editorKey && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            m_editor->OnEditorKey(*editorKey);
            return true;
        }
    }
    // A press on the header (to resize a column) closes the editor first.
    if (m_editor && watched == header()->viewport() && event->type() == QEvent::MouseButtonPress)
        m_editor->HideEditors();
    return QTreeView::eventFilter(watched, event);
}

void CTLstTree::keyPressEvent(QKeyEvent* event) {
    if (m_editor && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const int key = event->key();
        if (key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_editor->OpenFirstEditable();
            event->accept();
            return;
        }
        const QString text = event->text();
        if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) {
            m_editor->TypeOnRow(text[0].toLatin1());
            event->accept();
            return;
        }
    }
    QTreeView::keyPressEvent(event);
}

void CTLstTree::mousePressEvent(QMouseEvent* event) {
    if (!m_editor) {
        QTreeView::mousePressEvent(event);
        return;
    }
    // Any press first commits what was typed and closes the editor.
    m_editor->HideEditors();
    if (event->button() != Qt::LeftButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    if (OnExpandButton(index, point))
        setExpanded(index.siblingAtColumn(0), !isExpanded(index.siblingAtColumn(0)));
    setFocus(Qt::MouseFocusReason);
    m_editor->OnLeftButtonDown(m_model->RowOfIndex(index), ColumnUnder(point.x()));
    event->accept();
}

void CTLstTree::mouseMoveEvent(QMouseEvent* event) {
    // No selecting or dragging with the button held.
    if (m_editor && (event->buttons() & Qt::LeftButton)) {
        event->accept();
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void CTLstTree::mouseReleaseEvent(QMouseEvent* event) {
    if (m_editor && event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void CTLstTree::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!m_editor) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    // In the tree column a double click beside the expand button opens or closes the row;
    // in the other columns the editor is already open.
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    if (event->button() == Qt::LeftButton && index.isValid() && ColumnUnder(point.x()) <= 0 &&
        !OnExpandButton(index, point) && model()->hasChildren(index.siblingAtColumn(0)))
        setExpanded(index.siblingAtColumn(0), !isExpanded(index.siblingAtColumn(0)));
    event->accept();
}

void CTLstTree::scrollContentsBy(int dx, int dy) {
    // Scrolling (bars, wheel, keys) commits what was typed and closes the editor, unless the
    // tree scrolls to show the cell an editor is opened on.
    if (m_editor && m_editor->IsOpen() && !m_placingEditor) m_editor->HideEditors();
    QTreeView::scrollContentsBy(dx, dy);
}
