#include "app/recent_file_list.h"

#include <gtest/gtest.h>

TEST(RecentFileList, MostRecentFirstAtMostFour) {
    CRecentFileList recent;
    for (const char* p : {"/a/1.D83", "/a/2.D83", "/a/3.D83", "/a/4.D83", "/a/5.D83"})
        recent.Add(p);
    ASSERT_EQ(recent.Count(), 4);
    EXPECT_EQ(recent.Path(0), "/a/5.D83");
    EXPECT_EQ(recent.Path(3), "/a/2.D83");
    // Reopening moves the entry to the front without a duplicate.
    recent.Add("/a/3.D83");
    EXPECT_EQ(recent.Count(), 4);
    EXPECT_EQ(recent.Path(0), "/a/3.D83");
    EXPECT_EQ(recent.Path(1), "/a/5.D83");
    EXPECT_EQ(recent.Path(2), "/a/4.D83");
    recent.Remove(1);
    EXPECT_EQ(recent.Count(), 3);
    EXPECT_EQ(recent.Path(1), "/a/4.D83");
    recent.Remove(7); // out of range: nothing
    recent.Add("");
    EXPECT_EQ(recent.Count(), 3);
    EXPECT_EQ(recent.Path(9), "");
}

TEST(RecentFileList, SettingsSectionDateien) {
    CMemorySettingsStore store;
    CAppSettings settings(store);
    CRecentFileList recent;
    recent.Add("/b/\xc3\x9c"
               "bersicht.D83"); // UTF-8 paths are kept as they are
    recent.Add("/b/zwei.P83");
    recent.Save(settings);
    std::string value;
    ASSERT_TRUE(store.GetUtf8("Dateien/datei1", value));
    EXPECT_EQ(value, "/b/zwei.P83");
    ASSERT_TRUE(store.GetUtf8("Dateien/datei2", value));
    EXPECT_EQ(value, "/b/\xc3\x9c"
                     "bersicht.D83");
    ASSERT_TRUE(store.GetUtf8("Dateien/datei3", value)); // unused entries are emptied
    EXPECT_EQ(value, "");

    // Untrusted: empty entries and repeated paths are skipped on loading.
    settings.SetRecentFile(1, "");
    settings.SetRecentFile(3, "/b/zwei.P83");
    settings.SetRecentFile(4, "/b/\xc3\x9c"
                              "bersicht.D83");
    CRecentFileList loaded;
    loaded.Load(settings);
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.Path(0), "/b/\xc3\x9c"
                              "bersicht.D83");
    EXPECT_EQ(loaded.Path(1), "/b/zwei.P83");
}

TEST(RecentFileList, DisplayNamesAndMenuTexts) {
    struct Case {
        const char* path;
        const char* shown;
    };
    const Case cases[] = {
        {"/home/bau/LV_Los02.D83", "/home/bau/LV_Los02.D83"},
        {"/work/shared/samples/gaeb90/LV_Los02.D83", "/.../gaeb90/LV_Los02.D83"},
        {"/x/Ein_sehr_langer_Dateiname_eines_LV.D83", "Ein_sehr_langer_Dateiname_e..."},
        // Characters, not bytes, are counted.
        {"/home/bau/Angebote/\xc3\x96lwerk/\xc3\x9c"
         "bersicht.P83",
         "/.../\xc3\x96lwerk/\xc3\x9c"
         "bersicht.P83"},
        {"/home/bau/\xc3\x84nderungen_Ausschreibung.P83", "\xc3\x84nderungen_Ausschreibung.P8..."},
    };
    for (const Case& c : cases) {
        CRecentFileList recent;
        recent.Add(c.path);
        EXPECT_EQ(recent.DisplayName(0), c.shown) << c.path;
    }
    CRecentFileList recent;
    recent.Add("/a/Bau & Co.ovf");
    recent.Add("/a/b.D83");
    EXPECT_EQ(recent.MenuText(0), "&1 /a/b.D83");
    EXPECT_EQ(recent.MenuText(1), "&2 /a/Bau && Co.ovf");
}
