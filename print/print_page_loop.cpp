#include "print/print_page_loop.h"

#include "model/display_tree.h"
#include "model/fields.h"

#include <climits>

void CPrintPageLoop::Prepare(const CAngebotList& list) {
    m_list = &list;
    const CDisplayTree tree(list);
    m_order = tree.Order();
    m_summary = SummarizeForPrint(list, tree);
    std::vector<std::string> ozs;
    ozs.reserve(m_order.size());
    for (int r : m_order)
        ozs.push_back(list.GetText(r, Fld::OZ));
    m_layout.SetPositionNumbers(ozs);
    m_layout.SetRecordCursor(m_order.empty() ? -1 : 0);
    m_layout.SetResumeStage(0);
    m_totalsPending = false;
    m_lastPage = 0;
    m_pageStarts.assign(1, PageStart{m_layout.RecordCursor(), 0, false});
}

bool CPrintPageLoop::ContinuePrinting() const {
    const int32_t cursor = m_layout.RecordCursor();
    if (!m_list || cursor < 0) return false;
    return static_cast<size_t>(cursor) < m_order.size() || m_totalsPending;
}

void CPrintPageLoop::BeginPrinting(IDrawDevice& device, int fromPage) {
    if (!m_list || m_pageStarts.empty() || m_pageStarts.front().recordCursor < 0) return;
    CMeasureOnlyDevice measuring(device);
    while (static_cast<int>(m_pageStarts.size()) < fromPage && m_lastPage == 0) {
        const size_t known = m_pageStarts.size();
        LayOut(measuring, static_cast<int>(known));
        if (m_pageStarts.size() == known && m_lastPage == 0)
            break; // the page did not tell where the next one starts
    }
}

int CPrintPageLoop::CountPages(IDrawDevice& device) {
    BeginPrinting(device, INT_MAX);
    return m_lastPage;
}

bool CPrintPageLoop::PrintPage(IDrawDevice& device, int page) {
    if (page < 1 || !m_list || m_pageStarts.empty() || m_pageStarts.front().recordCursor < 0) return false;
    BeginPrinting(device, page);
    if (m_lastPage != 0 && page > m_lastPage) return false;
    LayOut(device, page);
    return true;
}

void CPrintPageLoop::LayOut(IDrawDevice& device, int page) {
    if (page < 1 || static_cast<size_t>(page) > m_pageStarts.size()) return;
    const PageStart start = m_pageStarts[static_cast<size_t>(page - 1)];
    m_layout.SetRecordCursor(start.recordCursor);
    m_layout.SetResumeStage(start.resumeStage);
    m_totalsPending = start.totalsPending;
    if (start.recordCursor < 0) return;

    const CAngebotList& list = *m_list;
    m_layout.BeginPage(device);
    m_layout.PrintHeader(m_summary.title);

    bool last = false;
    if (!m_totalsPending) {
        bool printedRecord = false;
        while (static_cast<size_t>(m_layout.RecordCursor()) < m_order.size()) {
            printedRecord = true;
            if (!m_layout.PrintRecord(list, m_order[static_cast<size_t>(m_layout.RecordCursor())])) break;
            m_layout.SetRecordCursor(m_layout.RecordCursor() + 1);
        }
        if (static_cast<size_t>(m_layout.RecordCursor()) >= m_order.size()) {
            if (m_layout.PrintTotals(m_summary, printedRecord))
                last = true;
            else
                m_totalsPending = true;
        }
    } else {
        // The totals alone on this page; printed even should they not fit, so that the run ends.
        m_layout.PrintTotals(m_summary, false, true);
        m_totalsPending = false;
        last = true;
    }
    m_layout.PrintFooter(page);

    if (last) {
        m_lastPage = page;
        m_pageStarts.resize(static_cast<size_t>(page));
        return;
    }
    const PageStart next{m_layout.RecordCursor(), m_layout.ResumeStage(), m_totalsPending};
    if (m_pageStarts.size() == static_cast<size_t>(page))
        m_pageStarts.push_back(next);
    else
        m_pageStarts[static_cast<size_t>(page)] = next;
}
