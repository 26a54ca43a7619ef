#include "print/qt/bid_pdf_export.h"

#include "print/qt/qt_draw_device.h"

#include <QDir>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

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

int CountBidPages(const CAngebotList& list, CBidPrintLayout& layout, QPagedPaintDevice& device) {
    CQtDrawDevice measuring(device, CQtDrawDevice::CapsOf(device));
    CPrintPageLoop loop(layout);
    loop.Prepare(list);
    return loop.CountPages(measuring);
}

QPageLayout PdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5.0, 5.0, 5.0, 5.0),
                       QPageLayout::Millimeter);
}

CIoResult ExportBidPdf(const CAngebotList& list, CBidPrintLayout& layout, const QString& path, int* pages,
                       const QPageLayout& pageLayout, int resolution) {
    if (pages) *pages = 0;
    CPrintPageLoop loop(layout);
    loop.Prepare(list);
    if (!loop.ContinuePrinting())
        return CIoResult::Failure("Das Angebot enth\xe4lt keine Zeilen, es gibt nichts zu drucken.");
    const QFileInfo target(path);
    if (!target.dir().exists()) return CIoResult::Failure("Der Ordner der Datei ist nicht vorhanden.");
    if (target.isDir()) return CIoResult::Failure("Unter diesem Namen gibt es bereits einen Ordner.");

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return CIoResult::Failure("Die Datei kann nicht angelegt werden. Pr\xfc"
                                  "fen Sie, ob Sie in diesem Ordner schreiben d\xfc"
                                  "rfen.");
    bool printed = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(resolution);
        writer.setPageLayout(pageLayout);
        writer.setTitle(CQtDrawDevice::ToQString(layout.DocumentName()));
        printed = PrintBidPages(writer, loop, 1, 0, pages);
    }
    if (!printed) {
        file.cancelWriting();
        if (pages) *pages = 0;
        return CIoResult::Failure("Die Seiten konnten nicht in die PDF-Datei geschrieben werden.");
    }
    if (!file.commit()) {
        if (pages) *pages = 0;
        return CIoResult::Failure("Die PDF-Datei konnte nicht vollst\xe4ndig geschrieben werden "
                                  "(ist der Datentr\xe4ger voll oder die Datei schreibgesch\xfctzt?).");
    }
    return CIoResult::Success();
}
