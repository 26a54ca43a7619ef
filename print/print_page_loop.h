#pragma once

#include "model/angebot_list.h"
#include "print/bid_print_layout.h"
#include "print/bid_print_summary.h"
#include "print/draw_device.h"

#include <cstdint>
#include <vector>

// Decides which records go on which page: the records in the order of the position list,
// each page continued where the previous one stopped (a record split over two pages goes on
// with the layout's resumeStage), and the totals after the last record, alone on a further
// page when they do not fit. The state at the start of every page laid out is kept, so that
// any page can be drawn again with the same content (a preview paging back or jumping).
// Every page shows the title of the bid's LV; the totals are those of the LV(s) with the VAT
// rate of the bid (BidPrintSummary), whatever row is selected. A printer run, the preview
// and the PDF export all drive it.
class CPrintPageLoop {
public:
    explicit CPrintPageLoop(CBidPrintLayout& layout) : m_layout(layout) {}

    // Starts a run over the list, which must outlive it and hold the totals of a full
    // calculation: the print order is the tree order of the list; the cursor is 0 (-1 without
    // records), the stage 0; that is page 1's start. Hands the bid's position numbers to the
    // layout.
    void Prepare(const CAngebotList& list);

    // Lays out all pages in front of `fromPage` without drawing them, so that a run that
    // starts there has the pagination of a run from page 1.
    void BeginPrinting(IDrawDevice& device, int fromPage);
    // Lays out page `page` (from 1) on the device. Pages in front of it that were not laid
    // out yet are laid out first without drawing. False when there is no such page: nothing
    // to print, or the page lies behind the last page.
    bool PrintPage(IDrawDevice& device, int page);
    // True while records or the totals are left after the page laid out last.
    bool ContinuePrinting() const;
    // The number of pages of the run on this device, laid out without drawing; 0 when there
    // is nothing to print.
    int CountPages(IDrawDevice& device);

    // The last page, once it was laid out; 0 before.
    int LastPage() const { return m_lastPage; }
    const std::vector<int>& PrintOrder() const { return m_order; }
    const BidPrintSummary& Summary() const { return m_summary; }
    bool TotalsPending() const { return m_totalsPending; }
    // Number of pages whose start is known (the pages laid out so far, plus the next one).
    int KnownPageStarts() const { return static_cast<int>(m_pageStarts.size()); }

private:
    struct PageStart {
        int32_t recordCursor = -1;
        int32_t resumeStage = 0;
        bool totalsPending = false;
    };

    void LayOut(IDrawDevice& device, int page);

    CBidPrintLayout& m_layout;
    const CAngebotList* m_list = nullptr;
    std::vector<int> m_order;
    BidPrintSummary m_summary;
    std::vector<PageStart> m_pageStarts; // index p - 1: the state at the start of page p
    bool m_totalsPending = false;
    int m_lastPage = 0;
};
