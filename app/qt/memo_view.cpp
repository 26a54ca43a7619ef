#include "app/qt/memo_view.h"

#include "app/qt/qt_text.h"
#include "model/supplements.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

namespace {

constexpr int kNumberWidth = 70;
constexpr int kTextMargin = 74; // the text column is the list's width less this

// A text typed as the file and the printout can delimit it: no apostrophe, no line break,
// square brackets only in pairs.
const char* const kEditorTip =
    "Höchstens 50 Zeichen. Apostroph (') und Zeilenumbruch sind nicht möglich: sie trennen die "
    "Textergänzungen in der Angebotsdatei, in der GAEB-Datei und im Ausdruck. Eckige Klammern "
    "werden nur paarweise übernommen.";

} // namespace

CMemoView::CMemoView(QWidget* parent)
    : QWidget(parent), m_text(new QPlainTextEdit(this)), m_caption(new QLabel(this)),
      m_supplements(new QTreeWidget(this)) {
    m_text->setReadOnly(true);
    m_text->setAcceptDrops(false);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_text->setAccessibleName(QStringLiteral("Langtext"));
    // White also while read-only, as the field always looked.
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    m_text->setPalette(palette);
    m_text->setBackgroundVisible(false);

    m_caption->setText(QString::fromUtf8("Textergänzungen"));
    m_caption->setBuddy(m_supplements);

    m_supplements->setColumnCount(2);
    m_supplements->setHeaderLabels({QStringLiteral("Nummer"), QStringLiteral("Text")});
    m_supplements->setRootIsDecorated(false);
    m_supplements->setUniformRowHeights(true);
    m_supplements->setSelectionMode(QAbstractItemView::SingleSelection);
    m_supplements->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_supplements->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_supplements->setAllColumnsShowFocus(true);
    m_supplements->setAcceptDrops(false);
    m_supplements->setAccessibleName(QString::fromUtf8("Textergänzungen"));
    m_supplements->header()->setSectionsClickable(false);
    m_supplements->header()->setSectionsMovable(false);
    m_supplements->header()->setStretchLastSection(false);
    m_supplements->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_supplements->setColumnWidth(0, kNumberWidth);
    m_supplements->installEventFilter(this);
    m_supplements->viewport()->installEventFilter(this);
    connect(m_supplements, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (m_syncingSelection || !m_logic) return;
        m_logic->SetCurrentRow(item ? m_supplements->indexOfTopLevelItem(item) : -1);
    });
    // Scrolling stores a changed text and hides the editor.
    for (const QScrollBar* bar : {m_supplements->verticalScrollBar(), m_supplements->horizontalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (m_placingEditor || !m_logic || !m_logic->IsEditing()) return;
            m_logic->CommitPending();
            m_supplements->setFocus(Qt::OtherFocusReason);
        });

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(5);
    right->addWidget(m_caption);
    right->addWidget(m_supplements, 1);
    auto* rightPanel = new QWidget(this);
    rightPanel->setLayout(right);
    rightPanel->setFixedWidth(kListWidth);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_text, 1);
    layout->addWidget(rightPanel);
}

CMemoView::~CMemoView() {
    // Nothing reaches the records once the view goes.
    if (m_editor) m_editor->removeEventFilter(this);
    m_logic.reset();
}

void CMemoView::SetLongText(const std::string& text) {
    m_text->setPlainText(ToQtLines(text));
}

QString CMemoView::LongText() const {
    return m_text->toPlainText();
}

void CMemoView::EnableEditing(CAngebotList& list, CSupplementList::StepRecorder record) {
    m_list = &list;
    ISupplementListHost& host = *this;
    m_logic = std::make_unique<CSupplementList>(list, &host);
    m_logic->recordStep = std::move(record);
    m_logic->onStored = [this] {
        ShowMergedLongText();
        Q_EMIT supplementStored();
    };
}

void CMemoView::ShowRecord(int record) {
    if (!m_logic) return;
    m_logic->ShowSupplements(record);
    ShowMergedLongText();
}

void CMemoView::Reset() {
    if (m_logic) m_logic->Reset();
    m_text->clear();
}

void CMemoView::CommitPendingEntry() {
    if (m_logic) m_logic->CommitPending();
}

void CMemoView::FocusSupplement(int k) {
    if (!m_logic || k < 0 || static_cast<size_t>(k) >= m_logic->Rows().size()) return;
    m_logic->SetCurrentRow(k);
    SelectRow(k);
    m_supplements->setFocus(Qt::OtherFocusReason);
}

void CMemoView::ShowMergedLongText() {
    const int record = m_logic ? m_logic->Record() : -1;
    if (!m_list || record < 0 || record >= m_list->Count()) {
        m_text->clear();
        return;
    }
    // What the bidder gave stands in its place, a missing text as a visible placeholder.
    const SMergedLongText merged = CSupplements::MergeBidderTexts(
        *m_list, record, [](const std::string& number) { return "[" + number + ": ...]"; }, true);
    m_text->setPlainText(ToQtLines(merged.text));
    QList<QTextEdit::ExtraSelection> marks;
    for (const SMergedLongText::Mark& mark : merged.marks) {
        if (mark.length == 0) continue;
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(m_text->document());
        const int start = static_cast<int>(ToQtLines(merged.text.substr(0, mark.start)).size());
        const int length = static_cast<int>(ToQtLines(merged.text.substr(mark.start, mark.length)).size());
        selection.cursor.setPosition(start);
        selection.cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        if (mark.filled) {
            selection.format.setBackground(QColor(255, 236, 150));
        } else {
            selection.format.setBackground(QColor(255, 214, 204));
            selection.format.setForeground(QColor(150, 30, 30));
            selection.format.setFontItalic(true);
        }
        selection.format.setToolTip(QString::fromUtf8("Textergänzung %1 des Bieters").arg(ToQt(mark.number)));
        marks << selection;
    }
    m_text->setExtraSelections(marks);
}

void CMemoView::FitColumns() {
    m_supplements->setColumnWidth(0, kNumberWidth);
    m_supplements->setColumnWidth(1, qMax(kNumberWidth, m_supplements->width() - kTextMargin));
}

void CMemoView::EnsureEditor() {
    if (m_editor) return;
    m_editor = new QLineEdit(m_supplements->viewport());
    m_editor->setObjectName(QStringLiteral("SupplementEditor"));
    m_editor->setMaxLength(static_cast<int>(CSupplements::kMaxTextLength));
    m_editor->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^'\\r\\n\\t]*")), m_editor));
    m_editor->setToolTip(QString::fromUtf8(kEditorTip));
    m_editor->hide();
    m_editor->installEventFilter(this);
}

// ---- the list's host

void CMemoView::RowsChanged() {
    const QScopedValueRollback<bool> syncing(m_syncingSelection, true);
    m_supplements->clear();
    if (!m_logic) return;
    for (const CSupplementList::SRow& row : m_logic->Rows()) {
        auto* item = new QTreeWidgetItem(m_supplements);
        item->setText(0, ToQt(row.number));
        item->setText(1, ToQt(CSupplementList::DisplayText(row.text)));
        item->setToolTip(1, ToQtLines(row.text));
    }
}

void CMemoView::SelectRow(int row) {
    const QScopedValueRollback<bool> syncing(m_syncingSelection, true);
    QTreeWidgetItem* item = row >= 0 ? m_supplements->topLevelItem(row) : nullptr;
    if (item)
        m_supplements->setCurrentItem(item);
    else
        m_supplements->clearSelection();
}

void CMemoView::ShowEditor(int row, int column, const std::string& text, bool editable) {
    QTreeWidgetItem* item = m_supplements->topLevelItem(row);
    if (!item) return;
    EnsureEditor();
    {
        const QScopedValueRollback<bool> placing(m_placingEditor, true);
        m_supplements->scrollToItem(item);
        // The cell fully in view, 5 pixels beside it.
        QScrollBar* bar = m_supplements->horizontalScrollBar();
        QHeaderView* head = m_supplements->header();
        const int edge = m_supplements->viewport()->width();
        const int right = head->sectionViewportPosition(column) + head->sectionSize(column);
        if (edge < right + 5) bar->setValue(bar->value() + right + 5 - edge);
        if (head->sectionViewportPosition(column) - 5 < 0)
            bar->setValue(bar->value() + head->sectionViewportPosition(column) - 5);
    }
    const QRect rowRect = m_supplements->visualItemRect(item);
    QHeaderView* head = m_supplements->header();
    m_editor->setGeometry(head->sectionViewportPosition(column), rowRect.top(), head->sectionSize(column),
                          rowRect.height());
    m_editor->setFont(m_supplements->font());
    m_editor->setReadOnly(!editable);
    m_editor->setText(ToQt(text));
    m_editor->setModified(false);
    m_editor->show();
    m_editor->raise();
    m_editor->setFocus(Qt::OtherFocusReason);
    m_editor->selectAll();
}

void CMemoView::HideEditor() {
    if (!m_editor) return;
    // The list takes the focus back from its editor, not from a pane the user clicked into.
    if (m_editor->hasFocus()) m_supplements->setFocus(Qt::OtherFocusReason);
    m_editor->hide();
}

bool CMemoView::TakeEditorText(std::string& text) {
    if (!m_editor || m_editor->isReadOnly() || !m_editor->isModified()) return false;
    text = FromQt(m_editor->text());
    m_editor->setModified(false);
    return true;
}

// ---- events

bool CMemoView::eventFilter(QObject* watched, QEvent* event) {
    if (m_logic && m_editor && watched == m_editor) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            std::optional<SupplementKey> listKey;
            switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                listKey = SupplementKey::Enter;
                break;
            case Qt::Key_Escape:
                listKey = SupplementKey::Escape;
                break;
            case Qt::Key_Tab:
                listKey = key->modifiers() & Qt::ShiftModifier ? SupplementKey::ShiftTab : SupplementKey::Tab;
                break;
            case Qt::Key_Backtab:
                listKey = SupplementKey::ShiftTab;
                break;
            case Qt::Key_Up:
                listKey = SupplementKey::Up;
                break;
            case Qt::Key_Down:
                listKey = SupplementKey::Down;
                break;
            default:
                break;
            }
            if (listKey && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
                m_logic->OnEditorKey(*listKey);
                return true;
            }
        } else if (event->type() == QEvent::ShortcutOverride) {
            // Undo and redo of the window, unless the editor has typing of its own to undo.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!m_editor->isModified() &&
                (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                 (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier))) {
                event->ignore();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // A context menu of the editor is no leaving.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                m_logic->OnEditorFocusLost();
        }
        return QWidget::eventFilter(watched, event);
    }
    if (watched == m_supplements) {
        if (event->type() == QEvent::Resize) FitColumns();
        if (m_logic && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool plain =
                !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
            if (plain &&
                (key->key() == Qt::Key_F2 || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
                m_logic->OnListKey();
                return true;
            }
        }
    } else if (watched == m_supplements->viewport() && m_logic) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
            QTreeWidgetItem* item = m_supplements->itemAt(point);
            const int row = item ? m_supplements->indexOfTopLevelItem(item) : -1;
            const int column = m_supplements->header()->logicalIndexAt(point.x());
            if (event->type() == QEvent::MouseButtonPress) {
                m_logic->OnCellClicked(row, column);
                if (!m_logic->IsEditing()) m_supplements->setFocus(Qt::MouseFocusReason);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
