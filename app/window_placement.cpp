#include "app/window_placement.h"

#include <algorithm>

namespace {

// Larger rectangles than this come from a damaged store, not from any screen.
constexpr int64_t kMaxExtent = 100000;

void PutInt32(std::vector<uint8_t>& bytes, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>((v >> shift) & 0xffu));
}

int32_t GetInt32(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t b = 0; b < 4; ++b)
        v |= static_cast<uint32_t>(bytes[at + b]) << (8 * b);
    return static_cast<int32_t>(v);
}

int64_t Overlap(int64_t a1, int64_t a2, int64_t b1, int64_t b2) {
    return std::max<int64_t>(0, std::min(a2, b2) - std::max(a1, b1));
}

} // namespace

std::vector<uint8_t> CWindowPlacement::EncodeRect(const SRect& rect) {
    std::vector<uint8_t> bytes;
    for (const int32_t v : {rect.left, rect.top, rect.right, rect.bottom})
        PutInt32(bytes, v);
    return bytes;
}

bool CWindowPlacement::DecodeRect(const std::vector<uint8_t>& bytes, SRect& rect) {
    if (bytes.size() != 16) return false;
    rect = {GetInt32(bytes, 0), GetInt32(bytes, 4), GetInt32(bytes, 8), GetInt32(bytes, 12)};
    return true;
}

bool CWindowPlacement::IsReachable(const SRect& window, const std::vector<SRect>& screens) {
    if (window.Width() <= 0 || window.Height() <= 0) return false;
    if (window.Width() > kMaxExtent || window.Height() > kMaxExtent) return false;
    const int64_t needed = std::min<int64_t>(100, window.Width());
    for (const SRect& s : screens) {
        const bool topOnScreen = window.top >= s.top && window.top < s.bottom;
        if (topOnScreen && Overlap(window.left, window.right, s.left, s.right) >= needed) return true;
    }
    return false;
}

SPlacement CWindowPlacement::Load(const CAppSettings& settings, const std::vector<SRect>& screens) {
    SPlacement placement;
    int32_t maximized = 0;
    if (settings.Maximized(maximized) && maximized != 0) {
        placement.maximized = true;
        return placement;
    }
    std::vector<uint8_t> bytes;
    SRect rect;
    if (settings.Position(bytes) && DecodeRect(bytes, rect) && IsReachable(rect, screens)) {
        if (rect.Width() < kMinWidth) rect.right = rect.left + kMinWidth;
        if (rect.Height() < kMinHeight) rect.bottom = rect.top + kMinHeight;
        placement.rect = rect;
    }
    return placement;
}

void CWindowPlacement::Save(CAppSettings& settings, const SRect& rect, bool maximized) {
    settings.SetMaximized(maximized ? 1 : 0);
    settings.SetPosition(EncodeRect(rect));
}

std::optional<int32_t> CWindowPlacement::LoadPaneSize(const CAppSettings& settings) {
    int32_t stored = 0;
    if (!settings.PaneSize(stored)) return std::nullopt;
    return stored;
}

int CWindowPlacement::PaneSize(std::optional<int32_t> stored, int total) {
    total = std::max(total, 0);
    if (!stored) return total * 2 / 3;
    return std::clamp<int>(*stored, 0, total);
}
