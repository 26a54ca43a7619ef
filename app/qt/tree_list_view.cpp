#include "app/qt/tree_list_view.h"

#include "app/messages.h"
#include "app/qt/qt_text.h"
#include "app/settings_store.h"
#include "app/shell.h"
#include "ui/column_widths.h"
#include "ui/position_list.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tlst_tree.h"

#include <QEvent>
#include <QLocale>
#include <QVBoxLayout>

CTreeListView::CTreeListView(const CAngebotList& list, CAppSettings& settings, QWidget* parent)
    : QWidget(parent), m_list(list), m_settings(settings), m_model(new CTLstModel(this)),
      m_tree(new CTLstTree(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    m_tree->setModel(m_model);
    connect(m_tree, &CTLstTree::rowSelected, this,
            [this](IGrid::Row row) { Q_EMIT recordSelected(m_model->GetItemRecord(row)); });
    SetupView();
}

CTreeListView::~CTreeListView() {
    SaveColumnWidths();
}

IGrid& CTreeListView::Grid() const {
    return *m_model;
}

void CTreeListView::SetupView() {
    SetupPositionColumns(*m_model);
    std::vector<uint8_t> stored;
    if (m_settings.ColumnWidths(stored))
        m_tree->SetColumnWidths(DecodeColumnWidths(stored, m_model->ColumnCount()));
}

void CTreeListView::SaveColumnWidths() {
    m_settings.SetColumnWidths(EncodeColumnWidths(m_tree->ColumnWidths()));
}

void CTreeListView::FillList(const std::string& title1, const std::string& title2) {
    ::FillList(*m_model, m_list, title1, title2);
    // Pricing starts from the keyboard: the list has the focus after every open.
    m_tree->setFocus(Qt::OtherFocusReason);
}

void CTreeListView::RefreshNumbers() {
    ::RefreshNumbers(*m_model, m_list);
}

int CTreeListView::SelectedRecord() const {
    return m_model->GetItemRecord(m_model->SelectedRow());
}

void CTreeListView::EnableEditing(CAngebotList& list, IShell& shell, EntryRecorder record) {
    m_tree->EnableEditing(list, [&shell](CellQuestion question) {
        return shell.MessageBox(Msg::Text(CellQuestionId(question)), ApplicationTitle(),
                                IShell::Buttons::YesNo, IShell::Icon::Question) == IShell::Answer::Yes;
    });
    if (record) m_tree->SetEntryRecorder(std::move(record));
    connect(m_tree, &CTLstTree::entryCommitted, this, &CTreeListView::entryCommitted);
}

void CTreeListView::ShowRecords(const std::vector<int>& records) {
    m_model->BeginUpdate();
    for (const int record : records) {
        const IGrid::Row row = m_model->FindItemByRecord(record);
        if (row != IGrid::kNoRow) ShowRowNumbers(*m_model, m_list, row);
    }
    m_model->EndUpdate();
}

void CTreeListView::CommitPendingEntry() {
    m_tree->CommitPendingEntry();
}

void CTreeListView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LocaleChange) {
        // The user's separators changed: show every number with the new ones.
        UseLocaleSeparators(QLocale());
        RefreshNumbers();
    }
}
