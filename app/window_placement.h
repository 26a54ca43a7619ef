#pragma once

#include "app/settings_store.h"

#include <cstdint>
#include <optional>
#include <vector>

// A rectangle in screen pixels as the settings keep it: right and bottom are exclusive.
struct SRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int64_t Width() const { return static_cast<int64_t>(right) - left; }
    int64_t Height() const { return static_cast<int64_t>(bottom) - top; }
    bool operator==(const SRect&) const = default;
};

// Where the main window comes up. Stored values are untrusted: a "Position" of another
// length than 16 bytes, an empty or absurdly large rectangle, or one that lies outside
// every screen today (a monitor that was removed) is ignored.
struct SPlacement {
    bool maximized = false;
    std::optional<SRect> rect; // the window's rectangle, none: the default place and size
};

class CWindowPlacement {
public:
    // Smallest size of the main window.
    static constexpr int kMinWidth = 400;
    static constexpr int kMinHeight = 200;

    // "Position": left, top, right, bottom as signed 32-bit numbers, least significant byte first.
    static std::vector<uint8_t> EncodeRect(const SRect& rect);
    static bool DecodeRect(const std::vector<uint8_t>& bytes, SRect& rect);

    // True when the user can reach the window: its top edge lies on a screen, with at least
    // 100 pixels of its width (or all of a narrower window) on that screen.
    static bool IsReachable(const SRect& window, const std::vector<SRect>& screens);

    // "Maximized" 1 wins over "Position"; a usable "Position" is widened to the smallest size.
    static SPlacement Load(const CAppSettings& settings, const std::vector<SRect>& screens);
    static void Save(CAppSettings& settings, const SRect& rect, bool maximized);

    // The height of the upper pane: the stored "PaneSize" limited to 0..total, or two thirds
    // of the total (rounded down) when none is stored.
    static std::optional<int32_t> LoadPaneSize(const CAppSettings& settings);
    static int PaneSize(std::optional<int32_t> stored, int total);
};
