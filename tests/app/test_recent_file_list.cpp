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
