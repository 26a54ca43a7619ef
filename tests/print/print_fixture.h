#pragma once

#include "model/fields.h"
#include "print/recording_device.h"
#include "support/record_builder.h"

#include <optional>
#include <string>
#include <vector>

using Op = CRecordingDevice::Op;

// A4-like page at 600 dpi: printable area 4800 x 6800 at offset (100, 100).
inline DeviceCaps TestCaps() {
    return {4800, 6800, 100, 100, 600, 600};
}

// Character height of the layout's font of that size at 600 dpi: 600 x points / 72, rounded.
constexpr int FontHeight600(int points) {
    return (600 * points + 36) / 72;
}

inline bool IsFont(const Op& op, int points, bool bold) {
    return op.type == Op::Text && op.font.height == -FontHeight600(points) && op.font.bold == bold;
}

inline int RightEnd(const Op& op) {
    return op.x + static_cast<int>(op.text.size()) * CRecordingDevice::CharWidth(op.font);
}

// A copy of the first text op with the text.
inline std::optional<Op> FindText(const std::vector<Op>& ops, const std::string& text) {
    for (const Op& op : ops)
        if (op.type == Op::Text && op.text == text) return op;
    return std::nullopt;
}

// The text as the drawn lines of a long text must add up to: without line breaks and tabs.
inline std::string WithoutBreaks(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '\t'; });
    return text;
}

// Appends a position with OZ, short text ("Kurztext " + OZ), unit and totals.
inline int AddPrintPos(CAngebotList& list, double id, double parent, int level, const std::string& oz,
                       double quantity = 1, double ep = 10, const std::string& unit = "m") {
    const int i = AddPos(list, id, parent, level, quantity, ep);
    list.SetText(i, Fld::OZ, oz);
    list.SetText(i, Fld::ShortText, "Kurztext " + oz);
    list.SetText(i, Fld::Unit, unit);
    list.SetDouble(i, Fld::TotalPrice, quantity * ep);
    list.SetDouble(i, Fld::TotalNet, quantity * ep);
    return i;
}
