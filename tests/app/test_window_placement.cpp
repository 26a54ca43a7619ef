#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace {

const std::vector<SRect> kScreens = {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};

struct PlacementFixture : ::testing::Test {
    CMemorySettingsStore store;
    CAppSettings settings{store};
};

} // namespace

TEST(WindowPlacement, ReachableOnSomeScreen) {
    struct Case {
        SRect window;
        bool reachable;
    };
    const Case cases[] = {
        {{100, 100, 900, 700}, true},      {{2000, 50, 2800, 600}, true}, // on the second screen
        {{3150, 50, 3950, 600}, false},  // 50 pixels of it on a screen: out of reach
        {{-700, 100, 120, 600}, true},   // 120 pixels on the first screen
        {{100, -300, 900, 200}, false},  // top edge above every screen
        {{100, 1100, 900, 1500}, false}, // below every screen (a removed monitor)
        {{5000, 5000, 5800, 5600}, false}, {{100, 100, 100, 500}, false}, // empty
        {{0, 0, 2000000, 500}, false},                                    // absurdly large
    };
    for (const Case& c : cases)
        EXPECT_EQ(CWindowPlacement::IsReachable(c.window, kScreens), c.reachable)
            << c.window.left << "," << c.window.top;
    EXPECT_FALSE(CWindowPlacement::IsReachable({100, 100, 900, 700}, {}));
}

TEST_F(PlacementFixture, MaximizedWinsOverPosition) {
    settings.SetPosition(CWindowPlacement::EncodeRect({100, 100, 900, 700}));
    settings.SetMaximized(1);
    SPlacement p = CWindowPlacement::Load(settings, kScreens);
    EXPECT_TRUE(p.maximized);
    EXPECT_FALSE(p.rect.has_value());
    settings.SetMaximized(0);
    p = CWindowPlacement::Load(settings, kScreens);
    EXPECT_FALSE(p.maximized);
    ASSERT_TRUE(p.rect.has_value());
    EXPECT_EQ(*p.rect, (SRect{100, 100, 900, 700}));
}

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

