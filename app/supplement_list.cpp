#include "app/supplement_list.h"

#include "common/text_util.h"
#include "model/supplements.h"

class CSupplementList::CBusy {
public:
    explicit CBusy(CSupplementList& list) : m_list(list) { ++m_list.m_busy; }
    ~CBusy() { --m_list.m_busy; }
    CBusy(const CBusy&) = delete;
    CBusy& operator=(const CBusy&) = delete;

private:
    CSupplementList& m_list;
};

CSupplementList::CSupplementList(CAngebotList& list, ISupplementListHost* host) : m_list(list), m_host(host) {}

void CSupplementList::ShowSupplements(int record) {
    // What was typed belongs to the record shown so far.
    EndCellEdit(true);
    m_rows.clear();
    m_row = -1;
    m_record = record >= 0 && record < m_list.Count() ? record : -1;
    if (CSupplements::HasBidderSupplements(m_list, m_record)) {
        const std::vector<std::string> texts = CSupplements::SplitBidderTexts(m_list.GetText(m_record, Fld::BidderTexts));
        size_t k = 0;
        for (const SSupplementEntry& entry : CSupplements::Entries(m_list.GetText(m_record, Fld::SupplementIndex))) {
            if (!entry.IsBidders()) continue; // the client's supplements are not listed
            m_rows.push_back({entry.number, k < texts.size() ? texts[k] : std::string()});
            ++k;
        }
    }
    if (m_host) {
        const CBusy busy(*this);
        m_host->RowsChanged();
        m_host->SelectRow(m_row);
    }
}

void CSupplementList::Reset() {
    EndCellEdit(false);
    m_rows.clear();
    m_row = -1;
    m_record = -1;
    if (m_host) m_host->RowsChanged();
}

void CSupplementList::SetCurrentRow(int row) {
    if (row == m_row) return;
    EndCellEdit(true);
    m_row = row >= 0 && static_cast<size_t>(row) < m_rows.size() ? row : -1;
}

void CSupplementList::StoreBidderTexts() {
    if (m_record < 0 || m_record >= m_list.Count()) return;
    std::vector<std::string> texts;
    for (const SRow& row : m_rows)
        texts.push_back(row.text);
    const std::string joined = CSupplements::JoinBidderTexts(texts);
    const auto store = [&] { m_list.SetText(m_record, Fld::BidderTexts, joined); };
    const std::string number = m_row >= 0 ? m_rows[static_cast<size_t>(m_row)].number : std::string();
    if (recordStep)
        recordStep(StepName(number, m_list.GetText(m_record, Fld::OZ)), store);
    else
        store();
    if (onStored) onStored();
}

void CSupplementList::StartCellEdit(int column) {
    EndCellEdit(true);
    if (m_row < 0 || static_cast<size_t>(m_row) >= m_rows.size() || column < 0 || column > 1) return;
    m_column = column;
    m_open = true;
    if (!m_host) return;
    const SRow& row = m_rows[static_cast<size_t>(m_row)];
    const CBusy busy(*this);
    m_host->ShowEditor(m_row, column, column == 0 ? row.number : DisplayText(row.text), column == 1);
}

void CSupplementList::EndCellEdit(bool store) {
    if (!m_open) return;
    std::string typed;
    bool changed = false;
    {
        const CBusy busy(*this);
        // The text is taken before the editor goes (hiding it moves the focus).
        changed = m_host && m_host->TakeEditorText(typed);
        m_open = false;
        if (m_host) m_host->HideEditor();
    }
    if (!store || !changed || m_column != 1 || m_row < 0 || static_cast<size_t>(m_row) >= m_rows.size()) return;
    std::string& text = m_rows[static_cast<size_t>(m_row)].text;
    const std::string clean = CSupplements::CleanTypedText(typed);
    if (clean == text) return;
    text = clean;
    StoreBidderTexts();
    if (m_host) {
        const CBusy busy(*this);
        m_host->RowsChanged();
        m_host->SelectRow(m_row);
    }
}

void CSupplementList::OnCellClicked(int row, int column) {
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size()) {
        CommitPending();
        return;
    }
    if (m_open && row == m_row && column == m_column) return; // a click into the open editor's cell
    EndCellEdit(true);
    m_row = row;
    if (m_host) {
        const CBusy busy(*this);
        m_host->SelectRow(m_row);
    }
    StartCellEdit(column);
}

bool CSupplementList::OnEditorKey(SupplementKey key) {
    if (!m_open) return false;
    const int rows = static_cast<int>(m_rows.size());
    switch (key) {
    case SupplementKey::Enter:
        EndCellEdit(true);
        return true;
    case SupplementKey::Escape:
        EndCellEdit(false);
        return true;
    case SupplementKey::Tab:
        if (m_column < 1) StartCellEdit(m_column + 1);
        return true;
    case SupplementKey::ShiftTab:
        if (m_column > 0) StartCellEdit(m_column - 1);
        return true;
    case SupplementKey::Up:
    case SupplementKey::Down: {
        const int next = m_row + (key == SupplementKey::Up ? -1 : 1);
        if (next < 0 || next >= rows) return true; // no row there: the editor stays
        const int column = m_column;
        EndCellEdit(true);
        m_row = next;
        if (m_host) {
            const CBusy busy(*this);
            m_host->SelectRow(m_row);
        }
        StartCellEdit(column);
        return true;
    }
    }
    return false;
}

bool CSupplementList::OnListKey() {
    if (m_row < 0) return false;
    StartCellEdit(1);
    return true;
}

void CSupplementList::OnEditorFocusLost() {
    if (m_busy == 0) CommitPending();
}

std::string CSupplementList::DisplayText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue; // one blank for CR LF
        shown += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
    }
    return shown;
}

std::string CSupplementList::StepName(const std::string& number, const std::string& oz) {
    std::string name = "Texterg\xe4nzung";
    if (!Trim(number).empty()) name += " " + Trim(number);
    if (!Trim(oz).empty()) name += " " + Trim(oz);
    return name;
}
