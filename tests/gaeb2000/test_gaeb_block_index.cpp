#include "gaeb2000/gaeb_block_index.h"
#include "gaeb2000/gaeb_tag_tree.h"
#include "p83_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string DataPath(const char* folder, const char* name) {
    return std::string(ORVAK_TEST_DATA) + "/" + folder + "/" + name;
}

// The index answers every search from every node as the tree's own walk does.
void ExpectSameAsTree(const CGaebTagTree& tree) {
    CGaebBlockIndex index(tree);
    for (const char* name : {"Beschreibung", "POSITION", "lvbereich", "Adresse", "AG", "LVInfo", "Fehlt"}) {
        EXPECT_EQ(index.Find(name, nullptr), tree.FindBlock(name, nullptr)) << name;
        for (int32_t i = 0; i < tree.Count(); ++i) {
            const CGaebTagNode* start = tree.Node(i);
            ASSERT_EQ(index.Find(name, start), tree.FindBlock(name, start)) << name << " from node " << i;
        }
    }
}

} // namespace

TEST(GaebBlockIndex, FindsWhatTheTreeWalkFinds) {
    for (const std::string& path :
         {DataPath("gaeb2000", "small.P83"), DataPath("gaeb2000", "caps_no_indent.P83"),
          DataPath("p83", "kita.P83"), DataPath("p83", "rtf_caps.P83")}) {
        SCOPED_TRACE(path);
        CGaebTagTree tree;
        ASSERT_TRUE(tree.ReadTagFile(path));
        ExpectSameAsTree(tree);
    }
}
