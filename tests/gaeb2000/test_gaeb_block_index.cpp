#include "gaeb2000/gaeb_block_index.h"
#include "gaeb2000/gaeb_tag_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string DataPath(const char* folder, const char* name) {
    return std::string(ORVAK_TEST_DATA) + "/" + folder + "/" + name;
}

// A file of `positions` positions in two LV areas, each with a description.
std::string GeneratedLv(int positions) {
    std::string text = "#begin[GAEB]\r\n #begin[Vergabe]\r\n  #begin[AG]\r\n   #begin[Adresse]\r\n"
                       "    [Name1]Stadt[end]\r\n   #end[Adresse]\r\n  #end[AG]\r\n  #begin[LV]\r\n";
    for (int area = 0; area < 2; ++area) {
        text += "   #begin[LVBereich]\r\n    [OZ]0" + std::to_string(area + 1) + "[end]\r\n";
        for (int p = 0; p < positions / 2; ++p) {
            text +=
                "    #begin[Position]\r\n     [OZ]" + std::to_string(p) + "[end]\r\n     [Menge]1,5[end]\r\n";
            text += "     #begin[Beschreibung]\r\n      [Langtext]Zeile eins\r\n      Zeile zwei[end]\r\n"
                    "     #end[Beschreibung]\r\n    #end[Position]\r\n";
        }
        text += "   #end[LVBereich]\r\n";
    }
    return text + "  #end[LV]\r\n #end[Vergabe]\r\n#end[GAEB]\r\n";
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

TEST(GaebBlockIndex, FollowsTheFileOrderOfAnEditedTree) {
    // Items and blocks added before the index is built stand elsewhere in the file order
    // than in the order they were made; the index must follow the file order.
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagText(GeneratedLv(20)));
    std::vector<CGaebTagNode*> positions;
    for (int32_t i = 0; i < tree.Count(); ++i)
        if (tree.Node(i)->HasName("Position")) positions.push_back(tree.Node(i));
    ASSERT_EQ(positions.size(), 20u);
    for (CGaebTagNode* pos : positions) {
        tree.AppendItem("EP", pos);
        tree.AppendItem("GB", pos);
    }
    CGaebTagNode* an = tree.InsertBlock("AN", tree.FindBlock("AG", nullptr), false);
    ASSERT_NE(an, nullptr);
    tree.AppendItem("Name1", tree.InsertBlock("Adresse", an, true));
    ExpectSameAsTree(tree);

    CGaebBlockIndex index(tree);
    const CGaebTagNode* first = tree.FindBlock("AG", nullptr);
    EXPECT_EQ(index.FindInside("Adresse", an), tree.FindBlock("Adresse", tree.FirstChild(an)));
    EXPECT_EQ(index.FindInside("Adresse", first), tree.FindBlock("Adresse", tree.FirstChild(first)));
    EXPECT_NE(index.FindInside("Adresse", an), index.FindInside("Adresse", first));
}
