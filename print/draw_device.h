#pragma once

#include <string>
#include <string_view>

// A font of the print layout. height follows the printer convention: a negative value is
// the character height (em size) in device units, a positive one the cell height.
struct FontSpec {
    std::string face;
    int height = 0;
    bool bold = false;

    bool operator==(const FontSpec&) const = default;
};

// Metrics of a font in device units. height = ascent + descent.
struct TextMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
};

struct TextSize {
    int cx = 0;
    int cy = 0;
};

// A rectangle in device units; right and bottom are exclusive.
struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// What the layout reads from the printer: the printable area (width and height in device
// units), its offset from the paper's corner and the resolution.
struct DeviceCaps {
    int pageWidth = 0;
    int pageHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    int dpiX = 0;
    int dpiY = 0;
};

enum class PenStyle { Solid = 0, Dotted = 2 };

// The drawing surface of one printed page: a printer, the preview or a PDF file. Texts are
// Windows-1252. Coordinates are device units with the origin at the printable area's corner.
class IDrawDevice {
public:
    virtual ~IDrawDevice() = default;

    // False when the printer's settings cannot be obtained.
    virtual bool GetCaps(DeviceCaps& caps) = 0;
    virtual TextSize TextExtent(const FontSpec& font, std::string_view text) = 0;
    virtual TextMetrics Metrics(const FontSpec& font) = 0;
    // Draws the text with its cell's top-left corner at (x, y).
    virtual void DrawText(const FontSpec& font, int x, int y, std::string_view text) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2, int width, PenStyle style) = 0;
    // The outline of the rectangle with a solid black pen.
    virtual void DrawRect(const DeviceRect& rect, int penWidth) = 0;
    virtual void FillRect(const DeviceRect& rect, int red, int green, int blue) = 0;
};

// Measures through another device and draws nothing: lays out pages that are not shown
// (the pages in front of the first printed one) with the pagination of the real device.
class CMeasureOnlyDevice : public IDrawDevice {
public:
    explicit CMeasureOnlyDevice(IDrawDevice& target) : m_target(target) {}

    bool GetCaps(DeviceCaps& caps) override { return m_target.GetCaps(caps); }
    TextSize TextExtent(const FontSpec& font, std::string_view text) override {
        return m_target.TextExtent(font, text);
    }
    TextMetrics Metrics(const FontSpec& font) override { return m_target.Metrics(font); }
    void DrawText(const FontSpec&, int, int, std::string_view) override {}
    void DrawLine(int, int, int, int, int, PenStyle) override {}
    void DrawRect(const DeviceRect&, int) override {}
    void FillRect(const DeviceRect&, int, int, int) override {}

private:
    IDrawDevice& m_target;
};
