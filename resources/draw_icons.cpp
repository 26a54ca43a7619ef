// Draws the icons of resources/icons with QPainter. Not part of the build; run it after a
// change of a drawing:
//   g++ -std=c++20 -fPIC resources/draw_icons.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/draw_icons
//   QT_QPA_PLATFORM=offscreen /tmp/draw_icons resources/icons
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

const QColor kBlue(43, 87, 151);
const QColor kLightBlue(196, 215, 240);
const QColor kOrange(224, 150, 40);
const QColor kLightOrange(250, 222, 160);
const QColor kGreen(46, 125, 50);
const QColor kGrey(90, 90, 90);
const QColor kLightGrey(235, 235, 235);
const QColor kRed(180, 40, 40);

void Save(const QString& folder, const QString& name, int size, const std::function<void(QPainter&)>& draw) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    // Drawings are made on a 16 x 16 grid and scaled to the size.
    p.scale(size / 16.0, size / 16.0);
    draw(p);
    p.end();
    if (!image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
}

QPen Pen(const QColor& colour, double width = 1.0) {
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A sheet of paper with a folded corner and text lines.
void Sheet(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line, int lines) {
    QPainterPath path;
    const double fold = r.width() * 0.3;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Pen(line));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
    p.setPen(Pen(line, 0.8));
    for (int i = 0; i < lines; ++i) {
        const double y = r.top() + fold + 2.0 + i * 2.2;
        if (y > r.bottom() - 1.5) break;
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
}

void Glyph(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, double pixelSize,
           bool bold = true) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setBold(bold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/icons");
    QDir().mkpath(folder);

    // Row icons, 16 x 16, in the order of the strip: X O L T P B S.
    Save(folder, QStringLiteral("row0"), 16, [](QPainter& p) { // project: a house
        p.setPen(Pen(kBlue));
        p.setBrush(kLightBlue);
        QPolygonF roof({QPointF(1.5, 8), QPointF(8, 2), QPointF(14.5, 8)});
        p.drawRect(QRectF(3.5, 7.5, 9, 7));
        p.setBrush(kOrange);
        p.drawPolygon(roof);
        p.setBrush(kBlue);
        p.drawRect(QRectF(7, 10.5, 2, 4));
    });
    Save(folder, QStringLiteral("row1"), 16, [](QPainter& p) { // folder
        p.setPen(Pen(QColor(160, 110, 20)));
        p.setBrush(kLightOrange);
        QPainterPath path;
        path.moveTo(1.5, 4);
        path.lineTo(6, 4);
        path.lineTo(7.5, 5.5);
        path.lineTo(14.5, 5.5);
        path.lineTo(14.5, 13.5);
        path.lineTo(1.5, 13.5);
        path.closeSubpath();
        p.drawPath(path);
        p.setBrush(kOrange);
        p.drawRect(QRectF(1.5, 7, 13, 6.5));
    });
    Save(folder, QStringLiteral("row2"), 16, [](QPainter& p) { // LV: a bound book of positions
        p.setPen(Pen(kBlue));
        p.setBrush(kBlue);
        p.drawRect(QRectF(2.5, 1.5, 2.5, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 1.5, 9, 13));
        p.setPen(Pen(kBlue, 0.8));
        for (double y = 4.5; y < 13; y += 2.5)
            p.drawLine(QPointF(7, y), QPointF(12.5, y));
    });
    Save(folder, QStringLiteral("row3"), 16, [](QPainter& p) { // title: a section mark
        p.setPen(Pen(kGreen));
        p.setBrush(QColor(200, 230, 200));
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
        Glyph(p, QRectF(1.5, 2.5, 13, 11), QStringLiteral("T"), kGreen, 10);
    });
    Save(folder, QStringLiteral("row4"), 16, [](QPainter& p) { // position: a priced line item
        Sheet(p, QRectF(3, 1.5, 10, 13), Qt::white, kGrey, 0);
        p.setPen(Pen(kGrey, 0.8));
        p.drawLine(QPointF(5, 7), QPointF(11, 7));
        p.drawLine(QPointF(5, 9), QPointF(11, 9));
        p.setPen(Pen(kOrange, 1.4));
        p.drawLine(QPointF(5, 11.8), QPointF(8, 11.8));
    });
    Save(folder, QStringLiteral("row5"), 16, [](QPainter& p) { // remark: a note
        p.setPen(Pen(QColor(150, 130, 30)));
        p.setBrush(QColor(255, 240, 150));
        QPainterPath path;
        path.moveTo(2.5, 2.5);
        path.lineTo(13.5, 2.5);
        path.lineTo(13.5, 10);
        path.lineTo(10, 13.5);
        path.lineTo(2.5, 13.5);
        path.closeSubpath();
        p.drawPath(path);
        p.drawLine(QPointF(13.5, 10), QPointF(10, 10));
        p.drawLine(QPointF(10, 10), QPointF(10, 13.5));
        Glyph(p, QRectF(2.5, 2, 9, 10), QStringLiteral("i"), QColor(120, 100, 20), 9);
    });
    Save(folder, QStringLiteral("row6"), 16, [](QPainter& p) { // sum line
        p.setPen(Pen(kRed, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(
            QPolygonF({QPointF(12, 3), QPointF(4, 3), QPointF(8.5, 8), QPointF(4, 13), QPointF(12, 13)}));
    });

    // Toolbar icons, drawn at 24 x 24 (and shown at that size).
    const int tool = 24;
    Save(folder, QStringLiteral("tool_open"), tool, [](QPainter& p) {
        p.setPen(Pen(QColor(160, 110, 20), 0.8));
        p.setBrush(kLightOrange);
        QPainterPath back;
        back.moveTo(1, 3.5);
        back.lineTo(5, 3.5);
        back.lineTo(6.3, 4.8);
        back.lineTo(12.5, 4.8);
        back.lineTo(12.5, 13.5);
        back.lineTo(1, 13.5);
        back.closeSubpath();
        p.drawPath(back);
        Sheet(p, QRectF(4, 1.5, 7, 8), Qt::white, kGrey, 2);
        p.setPen(Pen(QColor(160, 110, 20), 0.8));
        p.setBrush(kOrange);
        p.drawPolygon(
            QPolygonF({QPointF(1, 13.5), QPointF(3.5, 7.5), QPointF(15, 7.5), QPointF(12.5, 13.5)}));
    });
    Save(folder, QStringLiteral("tool_save"), tool, [](QPainter& p) { // a disk
        p.setPen(Pen(kBlue, 0.8));
        p.setBrush(kBlue);
        QPainterPath disk;
        disk.moveTo(1.5, 1.5);
        disk.lineTo(12.5, 1.5);
        disk.lineTo(14.5, 3.5);
        disk.lineTo(14.5, 14.5);
        disk.lineTo(1.5, 14.5);
        disk.closeSubpath();
        p.drawPath(disk);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 1.5, 8, 5));
        p.setBrush(kLightBlue);
        p.drawRect(QRectF(3.5, 9, 9, 5.5));
        p.setBrush(kBlue);
        p.drawRect(QRectF(8.5, 2.5, 2, 3));
    });
    Save(folder, QStringLiteral("tool_calc"), tool, [](QPainter& p) { // calculator
        p.setPen(Pen(kGrey, 0.8));
        p.setBrush(kLightGrey);
        p.drawRoundedRect(QRectF(2.5, 1, 11, 14), 1.5, 1.5);
        p.setBrush(QColor(200, 230, 200));
        p.drawRect(QRectF(4, 2.5, 8, 3));
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col) {
                p.setBrush(row == 2 && col == 2 ? kOrange : kGrey);
                p.drawRect(QRectF(4 + col * 2.9, 7 + row * 2.6, 2, 1.8));
            }
    });
    Save(folder, QStringLiteral("tool_info"), tool, [](QPainter& p) { // LV information
        Sheet(p, QRectF(1.5, 1, 9.5, 13), Qt::white, kBlue, 4);
        p.setPen(Pen(kBlue, 0.8));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(8, 7.5, 7, 7));
        Glyph(p, QRectF(8, 7.6, 7, 7), QStringLiteral("i"), Qt::white, 6);
    });
    Save(folder, QStringLiteral("tool_preview"), tool, [](QPainter& p) { // page with a magnifier
        Sheet(p, QRectF(1.5, 1, 9.5, 13), Qt::white, kGrey, 4);
        p.setPen(Pen(kBlue, 1.3));
        p.setBrush(QColor(220, 235, 255, 200));
        p.drawEllipse(QRectF(6.5, 6.5, 6, 6));
        p.setPen(Pen(kGrey, 2.0));
        p.drawLine(QPointF(11.6, 11.6), QPointF(14.8, 14.8));
    });
    Save(folder, QStringLiteral("tool_print"), tool, [](QPainter& p) { // printer
        p.setPen(Pen(kGrey, 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(kLightGrey);
        p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10, 7, 4.5));
        p.setPen(Pen(kGrey, 0.6));
        p.drawLine(QPointF(5.5, 12), QPointF(10.5, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawEllipse(QRectF(12, 7.3, 1.3, 1.3));
    });
    Save(folder, QStringLiteral("tool_check"), tool, [](QPainter& p) { // a bill with a check mark
        Sheet(p, QRectF(1.5, 1, 9.5, 13), Qt::white, kGrey, 4);
        p.setPen(Pen(kGreen, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(6.5, 10), QPointF(9, 13), QPointF(14.5, 5.5)}));
    });
    Save(folder, QStringLiteral("tool_help"), tool, [](QPainter& p) { // question mark
        p.setPen(Pen(kBlue, 0.8));
        p.setBrush(kLightBlue);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        Glyph(p, QRectF(1.5, 1.8, 13, 13), QStringLiteral("?"), kBlue, 11);
    });
    // Undo and redo: a curved arrow turning back to the left, and its mirror image.
    for (const bool redo : {false, true}) {
        Save(folder, redo ? QStringLiteral("tool_redo") : QStringLiteral("tool_undo"), tool,
             [redo](QPainter& p) {
                 if (redo) {
                     p.translate(16, 0);
                     p.scale(-1, 1);
                 }
                 p.setPen(Pen(kBlue, 1.8));
                 p.setBrush(Qt::NoBrush);
                 QPainterPath arc;
                 arc.moveTo(4.5, 6.5);
                 arc.lineTo(9.5, 6.5);
                 arc.cubicTo(15, 6.5, 15, 13.5, 9.5, 13.5);
                 arc.lineTo(6, 13.5);
                 p.drawPath(arc);
                 p.setPen(Pen(kBlue, 0.8));
                 p.setBrush(kBlue);
                 p.drawPolygon(QPolygonF({QPointF(1.2, 6.5), QPointF(5.5, 2.8), QPointF(5.5, 10.2)}));
             });
    }

    // The application icon: a bill of quantities with a price tag. orvak.svg holds the same
    // drawing on the same grid for the icon theme; change it with this one.
    for (const int size : {32, 48, 64}) {
        Save(folder, size == 48 ? QStringLiteral("orvak") : QStringLiteral("orvak%1").arg(size), size,
             [](QPainter& p) {
                 Sheet(p, QRectF(1.5, 0.8, 10.5, 14), Qt::white, kBlue, 0);
                 p.setPen(Pen(kBlue, 0.6));
                 for (double y = 5; y < 13; y += 1.8) {
                     p.drawLine(QPointF(3, y), QPointF(7.5, y));
                     p.drawLine(QPointF(8.5, y), QPointF(10.5, y));
                 }
                 p.setPen(Pen(QColor(160, 110, 20), 0.6));
                 p.setBrush(kOrange);
                 QPainterPath tag;
                 tag.moveTo(9, 9);
                 tag.lineTo(12.5, 9);
                 tag.lineTo(15.2, 11.7);
                 tag.lineTo(12.5, 14.4);
                 tag.lineTo(9, 14.4);
                 tag.closeSubpath();
                 p.drawPath(tag);
                 Glyph(p, QRectF(8.8, 9.1, 5.5, 5.3), QString::fromUtf8("€"), Qt::white, 5);
             });
    }
    return 0;
}
