#include "print/qt/qt_draw_device.h"

#include "common/code_page.h"

#include <QFontDatabase>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdlib>

CQtDrawDevice::CQtDrawDevice(QPainter& painter, const DeviceCaps& caps)
    : m_painter(&painter), m_device(painter.device()), m_caps(caps) {}

CQtDrawDevice::CQtDrawDevice(QPaintDevice& device, const DeviceCaps& caps)
    : m_device(&device), m_caps(caps) {}

CQtDrawDevice::~CQtDrawDevice() = default;

DeviceCaps CQtDrawDevice::CapsOf(const QPagedPaintDevice& device) {
    DeviceCaps caps;
    const int dpiX = device.logicalDpiX();
    const int dpiY = device.logicalDpiY();
    const QPageLayout layout = device.pageLayout();
    const QRect full = layout.fullRectPixels(dpiY);
    const QRect paint = layout.paintRectPixels(dpiY);
    caps.pageWidth = paint.width();
    caps.pageHeight = paint.height();
    caps.offsetX = paint.left() - full.left();
    caps.offsetY = paint.top() - full.top();
    caps.dpiX = dpiX;
    caps.dpiY = dpiY;
    return caps;
}

QString CQtDrawDevice::ResolveFamily(const std::string& face) {
    static QHash<QString, QString> resolved;
    const QString wanted = QString::fromStdString(face);
    const auto it = resolved.constFind(wanted);
    if (it != resolved.constEnd()) return *it;
    const QStringList families = QFontDatabase::families();
    QString family = wanted;
    if (!families.contains(wanted, Qt::CaseInsensitive)) {
        const bool arialLike = wanted.compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0 ||
                               wanted.compare(QStringLiteral("Helvetica"), Qt::CaseInsensitive) == 0;
        if (arialLike && families.contains(QStringLiteral("Liberation Sans"), Qt::CaseInsensitive))
            family = QStringLiteral("Liberation Sans");
    }
    resolved.insert(wanted, family);
    return family;
}

QString CQtDrawDevice::ToQString(std::string_view text) {
    QString result = QString::fromStdString(Cp1252ToUtf8(text));
    for (QChar& c : result)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) c = QLatin1Char(' ');
    return result;
}

QFont CQtDrawDevice::FontFor(const FontSpec& font) {
    return Lookup(font).font;
}

CQtDrawDevice::Entry& CQtDrawDevice::Lookup(const FontSpec& wanted) {
    if (m_lastEntry && wanted == m_lastFont) return *m_lastEntry;
    const auto key = std::make_tuple(wanted.face, wanted.height, wanted.bold);
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) {
        m_lastEntry = &it->second;
        m_lastFont = wanted;
        return it->second;
    }

    Entry entry;
    entry.font = QFont(ResolveFamily(wanted.face));
    // A negative height is the character (em) height, which is Qt's pixel size.
    entry.font.setPixelSize(std::max(1, std::abs(wanted.height)));
    entry.font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
    entry.font.setStyleHint(QFont::SansSerif);
    entry.metrics = std::make_unique<QFontMetricsF>(entry.font, m_device);
    const QFontMetricsF& fm = *entry.metrics;
    entry.textMetrics.ascent = qRound(fm.ascent());
    entry.textMetrics.descent = qRound(fm.descent());
    entry.textMetrics.height = entry.textMetrics.ascent + entry.textMetrics.descent;
    entry.textMetrics.internalLeading =
        std::max(0, entry.textMetrics.height - std::max(1, std::abs(wanted.height)));
    entry.textMetrics.externalLeading = std::max(0, qRound(fm.leading()));
    entry.blank = fm.horizontalAdvance(QLatin1Char(' '));
    m_lastEntry = &m_fonts.emplace(key, std::move(entry)).first->second;
    m_lastFont = wanted;
    return *m_lastEntry;
}

qreal CQtDrawDevice::WordAdvance(Entry& entry, std::string_view word) {
    const auto it = entry.words.find(word);
    if (it != entry.words.end()) return it->second;
    // Bounded: a text of ever new words (numbers, codes) must not grow without end.
    if (entry.words.size() >= 200000) entry.words.clear();
    const qreal advance = entry.metrics->horizontalAdvance(ToQString(word));
    entry.words.emplace(word, advance);
    return advance;
}

bool CQtDrawDevice::GetCaps(DeviceCaps& caps) {
    caps = m_caps;
    return (!m_painter || m_painter->isActive()) && m_device && m_caps.dpiX > 0 && m_caps.dpiY > 0 &&
           m_caps.pageWidth > 0 && m_caps.pageHeight > 0;
}

TextSize CQtDrawDevice::TextExtent(const FontSpec& font, std::string_view text) {
    Entry& entry = Lookup(font);
    qreal width = 0;
    for (size_t pos = 0; pos <= text.size();) {
        const size_t blank = std::min(text.find(' ', pos), text.size());
        if (blank > pos) width += WordAdvance(entry, text.substr(pos, blank - pos));
        if (blank == text.size()) break;
        width += entry.blank;
        pos = blank + 1;
    }
    return {qRound(width), entry.textMetrics.height};
}

TextMetrics CQtDrawDevice::Metrics(const FontSpec& font) {
    return Lookup(font).textMetrics;
}

void CQtDrawDevice::DrawText(const FontSpec& font, int x, int y, std::string_view text) {
    if (text.empty() || !m_painter) return;
    Entry& entry = Lookup(font);
    m_painter->setFont(entry.font);
    m_painter->setPen(QPen(Qt::black));
    m_painter->drawText(QPointF(x, y + entry.textMetrics.ascent), ToQString(text));
}

void CQtDrawDevice::DrawLine(int x1, int y1, int x2, int y2, int width, PenStyle style) {
    if (!m_painter) return;
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, width));
    pen.setCapStyle(Qt::FlatCap);
    if (style == PenStyle::Dotted) {
        // Dots and gaps of 1/150 inch, in units of the pen width.
        const qreal dot = std::max(1, m_caps.dpiX / 150) / static_cast<qreal>(pen.width());
        pen.setDashPattern({dot, dot});
    }
    m_painter->setPen(pen);
    m_painter->drawLine(x1, y1, x2, y2);
}

void CQtDrawDevice::DrawRect(const DeviceRect& rect, int penWidth) {
    if (!m_painter) return;
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, penWidth));
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter->setPen(pen);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
}

void CQtDrawDevice::FillRect(const DeviceRect& rect, int red, int green, int blue) {
    if (!m_painter) return;
    m_painter->fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                        QColor(red, green, blue));
}
