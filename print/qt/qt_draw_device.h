#pragma once

#include "print/draw_device.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The drawing device of the print layout on a QPainter: a printer, the print preview or a
// PDF writer. Coordinates are device pixels from the corner of the printable area, which is
// where the painter of a printer or PDF writer has its origin. Fonts are Arial or, where
// Arial is missing, the metric-compatible Liberation Sans. Texts arrive as Windows-1252.
// A printout measures the same words over and over (every long-text line is measured as it
// grows word by word), so the width of each word is measured once per font and kept; a text
// with blanks is as wide as its words and blanks together (kerning across a blank is left
// out, a fraction of a point).
class CQtDrawDevice : public IDrawDevice {
public:
    // Draws with the painter and measures on its device.
    CQtDrawDevice(QPainter& painter, const DeviceCaps& caps);
    // Measures on the device and draws nothing: lays out pages without printing them (the
    // page count of a printer that is not printing).
    CQtDrawDevice(QPaintDevice& device, const DeviceCaps& caps);
    ~CQtDrawDevice() override;

    // The printable area, its offset on the sheet and the resolution of a printer or PDF writer.
    static DeviceCaps CapsOf(const QPagedPaintDevice& device);
    // The family that is drawn for a face: the face itself when installed, else Liberation
    // Sans for Arial and Helvetica when installed, else the face (the font system substitutes).
    static QString ResolveFamily(const std::string& face);
    // Windows-1252 to Unicode; control characters become blanks (they have no glyph).
    static QString ToQString(std::string_view text);

    bool GetCaps(DeviceCaps& caps) override;
    TextSize TextExtent(const FontSpec& font, std::string_view text) override;
    TextMetrics Metrics(const FontSpec& font) override;
    void DrawText(const FontSpec& font, int x, int y, std::string_view text) override;
    void DrawLine(int x1, int y1, int x2, int y2, int width, PenStyle style) override;
    void DrawRect(const DeviceRect& rect, int penWidth) override;
    void FillRect(const DeviceRect& rect, int red, int green, int blue) override;

    // The font created for a FontSpec (for tests).
    QFont FontFor(const FontSpec& font);

private:
    struct WordHash {
        using is_transparent = void;
        size_t operator()(std::string_view word) const { return std::hash<std::string_view>()(word); }
    };
    struct Entry {
        QFont font;
        std::unique_ptr<QFontMetricsF> metrics;
        TextMetrics textMetrics;
        qreal blank = 0;
        std::unordered_map<std::string, qreal, WordHash, std::equal_to<>> words; // word -> advance
    };
    Entry& Lookup(const FontSpec& font);
    static qreal WordAdvance(Entry& entry, std::string_view word);

    QPainter* m_painter = nullptr;
    QPaintDevice* m_device = nullptr;
    DeviceCaps m_caps;
    std::map<std::tuple<std::string, int, bool>, Entry> m_fonts;
    Entry* m_lastEntry = nullptr; // the font looked up last, for runs of texts in one font
    FontSpec m_lastFont;
};
