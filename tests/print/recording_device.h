#pragma once

#include "print/draw_device.h"

#include <cstdlib>
#include <string>
#include <vector>

// A drawing device with known metrics that records what is drawn, page by page. For a font of
// character height h: each character is h / 2 wide (bold 6h / 10), ascent 9h / 10, descent
// 2h / 10, external leading h / 20.
class CRecordingDevice : public IDrawDevice {
public:
    struct Op {
        enum Type { Text, Line } type = Text;
        FontSpec font;
        int x = 0, y = 0, x2 = 0, y2 = 0;
        std::string text;
        bool operator==(const Op&) const = default;
    };

    explicit CRecordingDevice(const DeviceCaps& caps, bool ready = true) : m_caps(caps), m_ready(ready) {}

    // Ops drawn from now on go to page `page` (from 1); later pages are dropped.
    void StartPage(int page) {
        pages.resize(static_cast<size_t>(page));
        pages.back().clear();
    }
    static int CharWidth(const FontSpec& f) {
        return f.bold ? std::abs(f.height) * 6 / 10 : std::abs(f.height) / 2;
    }

    bool GetCaps(DeviceCaps& caps) override {
        caps = m_caps;
        return m_ready;
    }
    TextSize TextExtent(const FontSpec& f, std::string_view text) override {
        return {static_cast<int>(text.size()) * CharWidth(f), Metrics(f).height};
    }
    TextMetrics Metrics(const FontSpec& f) override {
        const int h = std::abs(f.height), ascent = h * 9 / 10, descent = h * 2 / 10;
        return {ascent + descent, ascent, descent, ascent + descent - h, h / 20};
    }
    void DrawText(const FontSpec& f, int x, int y, std::string_view text) override {
        Add({Op::Text, f, x, y, 0, 0, std::string(text)});
    }
    void DrawLine(int x1, int y1, int x2, int y2, int, PenStyle) override {
        Add({Op::Line, {}, x1, y1, x2, y2, {}});
    }
    void DrawRect(const DeviceRect&, int) override {}
    void FillRect(const DeviceRect&, int, int, int) override {}

    std::vector<Op> ops;                // everything drawn, in order
    std::vector<std::vector<Op>> pages; // the ops of each page started with StartPage

private:
    void Add(const Op& op) {
        ops.push_back(op);
        if (!pages.empty()) pages.back().push_back(op);
    }

    DeviceCaps m_caps;
    bool m_ready;
};
