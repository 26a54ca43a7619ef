#include "gaeb2000/gaeb_tag_tree.h"

#include "common/text_util.h"
#include "p83_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string DataPath(const char* name) {
    return std::string(ORVAK_TEST_DATA) + "/gaeb2000/" + name;
}

// Every link of the tree agrees with every other: file order runs through all nodes,
// children follow their parent, depths match, and the sibling walk gives the file order.
::testing::AssertionResult LinksConsistent(const CGaebTagTree& tree) {
    std::vector<const CGaebTagNode*> fileOrder;
    for (const CGaebTagNode* n = tree.FirstRoot(); n; n = tree.Next(n)) {
        if (fileOrder.size() > static_cast<size_t>(tree.Count()))
            return ::testing::AssertionFailure() << "file order loops";
        if (n->Depth() < 0) return ::testing::AssertionFailure() << "negative depth at node " << n->Index();
        const CGaebTagNode* parent = tree.Parent(n);
        if (parent && (!parent->IsBlock() || parent->Depth() + 1 != n->Depth()))
            return ::testing::AssertionFailure() << "parent of node " << n->Index();
        fileOrder.push_back(n);
    }
    if (fileOrder.size() != static_cast<size_t>(tree.Count()))
        return ::testing::AssertionFailure() << "file order misses nodes";

    std::vector<const CGaebTagNode*> walk;
    std::vector<const CGaebTagNode*> stack;
    for (const CGaebTagNode* n = tree.FirstRoot(); n || !stack.empty();) {
        if (!n) {
            n = tree.NextSibling(stack.back());
            stack.pop_back();
            continue;
        }
        walk.push_back(n);
        stack.push_back(n);
        n = tree.FirstChild(n);
    }
    if (walk != fileOrder) return ::testing::AssertionFailure() << "sibling walk differs from file order";
    return ::testing::AssertionSuccess();
}

// Every node in file order as "depth name" or, for an item, "depth name=value", each
// followed by "|"; with LinksConsistent it shows every parent.
std::string Outline(const CGaebTagTree& tree) {
    std::string out;
    for (const CGaebTagNode* n = tree.FirstRoot(); n; n = tree.Next(n))
        out += std::to_string(n->Depth()) + " " + n->Name() + (n->IsItem() ? "=" + n->Value() : "") + "|";
    return out;
}

} // namespace

TEST(GaebTagTree, ReadsFileWithNestedBlocksAndMultiLineValues) {
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagFile(DataPath("small.P83")));
    EXPECT_FALSE(tree.IsPending());
    EXPECT_EQ(tree.DepthCounter(), -1);
    EXPECT_TRUE(LinksConsistent(tree));
    // "ME" and "Menge" follow the closed "Beschreibung": they belong to the position. Blanks
    // after "[end]" go, blanks inside a value stay; continuation lines lose their indentation.
    EXPECT_EQ(Outline(tree),
              "0 GAEB|1 GAEBInfo|2 Version=1.2|2 Datum=01.02.2024|1 Vergabe|2 DP=83|2 LV|3 LVInfo|"
              "4 Bez=Stra\xdf"
              "enbau Los 1|3 LVBereich|4 OZ=01|4 Bez=Erdarbeiten|4 Position|5 OZ=010010|"
              "5 Beschreibung|6 Kurztext=Oberboden abtragen|6 Langtext=Oberboden abtragen und "
              "seitlich lagern,\r\nDicke bis 30 cm.\r\n einger\xfc"
              "ckt\r\n|5 ME=m2|5 Menge=1250,000|4 Position|5 OZ=010020|5 Menge=12,5|5 ME=m3|"
              "5 Beschreibung|6 Kurztext=  Boden l\xf6sen  |");
}

TEST(GaebTagTree, MalformedLinesStopTheReadKeepingEarlierNodes) {
    const std::pair<const char*, int> cases[] = {
        {"#begin[GAEB]\n [V]1[end]\n #begin[Position\n", 2},
        {"#begin[GAEB]\n Menge 1\n", 1},
        {"#begin[GAEB]\n [Menge 1\n", 1},
        {"Vorspann\n#begin[GAEB]\n", 0},
    };
    for (const auto& [text, nodes] : cases) {
        CGaebTagTree tree;
        EXPECT_FALSE(tree.ReadTagText(text)) << text;
        EXPECT_EQ(tree.Count(), nodes) << text;
    }
}

TEST(GaebTagTree, AppendItemAndInsertBlockKeepTheFileOrder) {
    CGaebTagTree tree;
    ASSERT_TRUE(
        tree.ReadTagText("#begin[GAEB]\n #begin[Vergabe]\n  #begin[AG]\n  #end[AG]\n  #begin[Position]\n"
                         "   [OZ]1[end]\n   #begin[Beschreibung]\n    [Kurztext]x[end]\n"
                         "   #end[Beschreibung]\n   [Menge]1[end]\n  #end[Position]\n #end[Vergabe]\n"
                         "#end[GAEB]\n"));
    CGaebTagNode* pos = tree.FindBlock("Position", nullptr);
    ASSERT_NE(tree.AppendItem("EP", pos), nullptr);
    tree.AppendItem("GB", pos);

    CGaebTagNode* an = tree.InsertBlock("AN", tree.FindBlock("AG", nullptr), false);
    CGaebTagNode* address = tree.InsertBlock("Adresse", an, true);
    tree.AppendItem("Name1", address);
    tree.AppendItem("PLZ", address);
    tree.AppendItem("DVNr", an);
    tree.AppendItem("VergNr", an);
    EXPECT_EQ(tree.AppendItem("X", tree.FindItem("OZ", pos)), nullptr);
    EXPECT_EQ(tree.InsertBlock("X", nullptr, false), nullptr);

    EXPECT_TRUE(LinksConsistent(tree));
    EXPECT_EQ(Outline(tree),
              "0 GAEB|1 Vergabe|2 AN|3 DVNr=|3 VergNr=|3 Adresse|4 Name1=|4 PLZ=|2 AG|2 Position|"
              "3 OZ=1|3 EP=|3 GB=|3 Beschreibung|4 Kurztext=x|3 Menge=1|");

    // A block inserted before the first node becomes the new first root.
    CGaebTagNode* front = tree.InsertBlock("Vorn", tree.FirstRoot(), false);
    EXPECT_EQ(tree.FirstRoot(), front);
    EXPECT_TRUE(LinksConsistent(tree));
}
