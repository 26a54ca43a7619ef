#include "model/fields.h"
#include "print/bid_print_layout.h"
#include "print/qt/bid_pdf_export.h"
#include "print/qt/qt_draw_device.h"
#include "support/record_builder.h"

#include "qt_test_support.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// An A4 writer with 5 mm margins into the buffer.
void SetUpWriter(QPdfWriter& writer, QBuffer& buffer, int dpi) {
    buffer.open(QIODevice::WriteOnly);
    writer.setResolution(dpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5),
                                     QPageLayout::Millimeter));
}

int CountPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

} // namespace

TEST(BidPdfExport, PagesAndFailure) {
    TestApp();
    CAngebotList list; // an LV with 150 positions with long texts and its sum line
    AddRec(list, "L", 1, 0, 0);
    for (int i = 0; i < 150; ++i)
        list.SetText(AddPos(list, i + 2, 1, 1, 12.5, 45.5), Fld::LongText,
                     "Boden l\xf6sen, laden und abfahren.");
    AddRec(list, "S", 152, 1, 1);
    list.LinkDisplayChain();
    CBidPrintLayout layout;
    const auto printRange = [&](int from, int to) {
        QBuffer buffer;
        int pages = -1;
        {
            QPdfWriter writer(&buffer);
            SetUpWriter(writer, buffer, 600);
            CPrintPageLoop loop(layout);
            loop.Prepare(list);
            EXPECT_TRUE(PrintBidPages(writer, loop, from, to, &pages));
        }
        EXPECT_EQ(CountPages(buffer.data()), std::max(pages, 1));
        return pages;
    };
    const int all = printRange(1, 0);
    ASSERT_GT(all, 4);
    EXPECT_EQ(printRange(2, 3), 2);
    EXPECT_EQ(printRange(all + 1, 0), 0);

    // The page count of a page setup, laid out without printing, is that of the file.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bid.pdf"));
    const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                             QPageLayout::Millimeter);
    for (const auto& [pageLayout, dpi] : {std::pair{PdfPageLayout(), 600}, std::pair{letter, 300}}) {
        QBuffer unused;
        QPdfWriter setup(&unused);
        setup.setResolution(dpi);
        setup.setPageLayout(pageLayout);
        const int counted = CountBidPages(list, layout, setup);
        int pages = 0;
        const CIoResult result = ExportBidPdf(list, layout, path, &pages, pageLayout, dpi);
        ASSERT_TRUE(result) << result.Reason();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(CountPages(file.readAll()), pages);
        EXPECT_EQ(counted, pages) << dpi;
    }

    // Failures carry a reason and leave an existing file as it was.
    const QString bad = dir.filePath(QStringLiteral("missing/bid.pdf"));
    CIoResult result = ExportBidPdf(list, layout, bad);
    EXPECT_EQ(result.Reason(), "Der Ordner der Datei ist nicht vorhanden.");
    EXPECT_FALSE(QFileInfo::exists(bad));
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray content = before.readAll();
    CAngebotList empty;
    result = ExportBidPdf(empty, layout, path);
    EXPECT_FALSE(result);
    EXPECT_NE(result.Reason().find("nichts zu drucken"), std::string::npos);
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), content);
    EXPECT_FALSE(ExportBidPdf(list, layout, dir.path()));
}
