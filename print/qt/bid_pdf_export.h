#pragma once

#include "model/angebot_list.h"
#include "print/bid_print_layout.h"
#include "print/print_page_loop.h"

#include <QString>

class QPagedPaintDevice;

// Prints the pages fromPage to toPage (0: to the last page) of a prepared page loop onto a
// printer or PDF writer, with a new sheet between pages; the pages in front of fromPage are laid
// out without drawing, so that the pagination is that of a run from page 1. False when
// painting cannot start or a new sheet cannot be begun. pages (optional) receives the number
// of pages printed.
bool PrintBidPages(QPagedPaintDevice& device, CPrintPageLoop& loop, int fromPage = 1, int toPage = 0,
                   int* pages = nullptr);

// Writes the bid of the list with the layout's settings as an A4 PDF file at 600 dpi, as the
// Print command prints it. The file is written through a temporary file, so that a failed
// export leaves an existing file unchanged. Needs a QGuiApplication.
bool ExportBidPdf(const CAngebotList& list, CBidPrintLayout& layout, int vatRate, const QString& path,
                  int* pages = nullptr);
