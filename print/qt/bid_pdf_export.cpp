#include "print/qt/bid_pdf_export.h"

#include "print/qt/qt_draw_device.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

// The PDF page stands in for a printer: A4 with a printable area 5 mm inside the sheet's edges.
constexpr int kPdfResolution = 600;
constexpr qreal kPdfMarginMm = 5.0;

} // namespace

bool PrintBidPages(QPagedPaintDevice& device, CPrintPageLoop& loop, int fromPage, int toPage, int* pages) {
    if (pages) *pages = 0;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    CQtDrawDevice drawDevice(painter, CQtDrawDevice::CapsOf(device));
    fromPage = std::max(1, fromPage);
    loop.BeginPrinting(drawDevice, fromPage);
    int printed = 0;
    bool ok = true;
    for (int page = fromPage; loop.ContinuePrinting() && (toPage <= 0 || page <= toPage); ++page) {
        if (printed > 0 && !device.newPage()) {
            ok = false;
            break;
        }
        loop.PrintPage(drawDevice, page);
        ++printed;
    }
    if (pages) *pages = printed;
    return painter.end() && ok;
}

bool ExportBidPdf(const CAngebotList& list, CBidPrintLayout& layout, int vatRate, const QString& path,
                  int* pages) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    bool ok = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(CQtDrawDevice::ToQString(layout.DocumentName()));
        CPrintPageLoop loop(layout);
        loop.SetVatRate(vatRate);
        loop.Prepare(list);
        ok = PrintBidPages(writer, loop, 1, 0, pages);
    }
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
