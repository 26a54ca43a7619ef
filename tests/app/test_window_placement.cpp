#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace {

const std::vector<SRect> kScreens = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};

struct PlacementFixture : ::testing::Test {
    CMemorySettingsStore store;
    CAppSettings settings{store};
};

} // namespace

TEST_F(PlacementFixture, UntrustedPositionsAreIgnoredOrWidened) {
    EXPECT_FALSE(CWindowPlacement::Load(settings, kScreens).rect.has_value()); // nothing stored
    settings.SetPosition(std::vector<uint8_t>(15, 1));
    EXPECT_FALSE(CWindowPlacement::Load(settings, kScreens).rect.has_value());
    settings.SetPosition(CWindowPlacement::EncodeRect({4000, 100, 4800, 700}));
    EXPECT_FALSE(CWindowPlacement::Load(settings, kScreens).rect.has_value());
    // A value of another type is not read as a position.
    store.SetString("Position", "100,100,900,700");
    EXPECT_FALSE(CWindowPlacement::Load(settings, kScreens).rect.has_value());
    store.SetString("Maximized", "1");
    EXPECT_FALSE(CWindowPlacement::Load(settings, kScreens).maximized);
    // Smaller than the window may be: widened to 400 x 200.
    settings.SetPosition(CWindowPlacement::EncodeRect({10, 10, 110, 60}));
    const SPlacement p = CWindowPlacement::Load(settings, kScreens);
    ASSERT_TRUE(p.rect.has_value());
    EXPECT_EQ(*p.rect, (SRect{10, 10, 410, 210}));

    CWindowPlacement::Save(settings, {1, 2, 603, 404}, true);
    int32_t maximized = 0;
    ASSERT_TRUE(settings.Maximized(maximized));
    EXPECT_EQ(maximized, 1);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(settings.Position(bytes));
    EXPECT_EQ(bytes, CWindowPlacement::EncodeRect({1, 2, 603, 404}));
}
