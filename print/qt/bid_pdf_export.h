#pragma once

#include "common/io_result.h"
#include "model/angebot_list.h"
#include "print/bid_print_layout.h"
#include "print/print_page_loop.h"

#include <QPageLayout>
#include <QString>

class QPagedPaintDevice;

// Prints the pages fromPage to toPage (0: to the last page) of a prepared page loop onto a
// printer or PDF writer, with a new sheet between pages; the pages in front of fromPage are laid
// out without drawing, so that the pagination is that of a run from page 1. False when
// painting cannot start or a new sheet cannot be begun. pages (optional) receives the number
// of pages printed.
bool PrintBidPages(QPagedPaintDevice& device, CPrintPageLoop& loop, int fromPage = 1, int toPage = 0,
                   int* pages = nullptr);

// The number of pages the bid of the list has on the device (a printer with its page setup,
// or a PDF writer), with the layout's settings. Lays the pages out without printing; the list
// holds the totals of a full calculation. 0 when there is nothing to print.
int CountBidPages(const CAngebotList& list, CBidPrintLayout& layout, QPagedPaintDevice& device);

// The page setup of the PDF file: A4 portrait with a printable area 5 mm inside the sheet's
// edges, as a printer has, at 600 dpi.
QPageLayout PdfPageLayout();
constexpr int kPdfResolution = 600;

// Writes the bid of the list with the layout's settings as a PDF file, as the Print command
// prints it (the list holds the totals of a full calculation). The file is written to a
// temporary file that replaces `path` only when the PDF is complete, so that a failed export
// leaves an existing file unchanged. On failure the result carries a German reason
// (Windows-1252). pages (optional) receives the number of pages. Needs a QGuiApplication.
CIoResult ExportBidPdf(const CAngebotList& list, CBidPrintLayout& layout, const QString& path,
                       int* pages = nullptr, const QPageLayout& pageLayout = PdfPageLayout(),
                       int resolution = kPdfResolution);
