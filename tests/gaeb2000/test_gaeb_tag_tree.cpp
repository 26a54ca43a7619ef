#include "gaeb2000/gaeb_tag_tree.h"

#include "common/text_util.h"

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
    const CGaebTagNode* prev = nullptr;
    for (const CGaebTagNode* n = tree.FirstRoot(); n; n = tree.Next(n)) {
        if (fileOrder.size() > static_cast<size_t>(tree.Count()))
            return ::testing::AssertionFailure() << "file order loops";
        if (n->PrevIndex() != (prev ? prev->Index() : -1))
            return ::testing::AssertionFailure() << "prev link of node " << n->Index();
        if (n->Depth() < 0) return ::testing::AssertionFailure() << "negative depth at node " << n->Index();
        const CGaebTagNode* parent = tree.Parent(n);
        if (parent && (!parent->IsBlock() || parent->Depth() + 1 != n->Depth()))
            return ::testing::AssertionFailure() << "parent of node " << n->Index();
        fileOrder.push_back(n);
        prev = n;
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

bool IsGaeb2000Name(const std::string& name) {
    return EndsWithNoCase(name, ".p83") || EndsWithNoCase(name, ".p84");
}

std::string NamesInFileOrder(const CGaebTagTree& tree) {
    std::string names;
    for (const CGaebTagNode* n = tree.FirstRoot(); n; n = tree.Next(n))
        names += (names.empty() ? "" : " ") + n->Name();
    return names;
}

const CGaebTagNode* Item(const CGaebTagTree& tree, const char* block, const char* item) {
    return tree.FindNode(1, item, tree.FindNode(0, block, nullptr));
}

} // namespace

TEST(GaebTagTree, ReadsFileWithNestedBlocksAndMultiLineValues) {
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagFile(DataPath("small.P83")));
    EXPECT_FALSE(tree.IsPending());
    EXPECT_EQ(tree.DepthCounter(), -1);
    EXPECT_TRUE(LinksConsistent(tree));

    const CGaebTagNode* root = tree.FirstRoot();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Name(), "GAEB");
    EXPECT_EQ(root->Depth(), 0);
    EXPECT_EQ(root->ParentIndex(), -1);

    const CGaebTagNode* version = Item(tree, "GAEBInfo", "Version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->Value(), "1.2");
    EXPECT_EQ(version->Depth(), 2);
    EXPECT_EQ(tree.Parent(version)->Name(), "GAEBInfo");
    EXPECT_EQ(Item(tree, "LVInfo", "Bez")->Value(), "Stra\xdf"
                                                    "enbau Los 1");

    // "Menge" follows the closed "Beschreibung": it belongs to the position.
    const CGaebTagNode* pos = tree.FindNode(0, "Position", nullptr);
    const CGaebTagNode* menge = tree.FindNode(1, "Menge", pos);
    ASSERT_NE(menge, nullptr);
    EXPECT_EQ(tree.Parent(menge), pos);
    EXPECT_EQ(menge->Depth(), pos->Depth() + 1);
    EXPECT_EQ(menge->Value(), "1250,000");
    EXPECT_EQ(tree.FindNode(1, "Langtext", tree.FindNode(0, "Beschreibung", pos))->Value(),
              "Oberboden abtragen und seitlich lagern,\r\nDicke bis 30 cm.\r\n einger\xfc"
              "ckt\r\n");

    // Blanks after "[end]" go, blanks inside the value stay.
    const CGaebTagNode* pos2 = tree.NextSibling(pos);
    ASSERT_NE(pos2, nullptr);
    EXPECT_EQ(tree.FindNode(1, "Menge", pos2)->Value(), "12,5");
    EXPECT_EQ(tree.FindNode(1, "Kurztext", tree.FindNode(0, "Beschreibung", pos2))->Value(),
              "  Boden l\xf6sen  ");
    EXPECT_EQ(tree.NextSibling(pos2), nullptr);
}

TEST(GaebTagTree, ContinuationLinesLoseAtMostTheirIndentation) {
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagText("#begin[GAEB]\n #begin[A]\n  [Drei]eins\n  zwei\n   drei[end]\n"
                                 "[Flach]eins\nzwei\n\t drei\nx[end]y[end]\n #end[A]\n#end[GAEB]\n"));
    EXPECT_EQ(Item(tree, "A", "Drei")->Value(), "eins\r\nzwei\r\n drei");
    EXPECT_EQ(Item(tree, "A", "Flach")->Value(), "eins\r\nzwei\r\n\t drei\r\nx");
}

TEST(GaebTagTree, CapitalNamesWithoutIndentationReadLikeAnyOther) {
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagFile(DataPath("caps_no_indent.P83")));
    EXPECT_TRUE(LinksConsistent(tree));
    const CGaebTagNode* pos = tree.FindNode(0, "Position", nullptr);
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->Name(), "POSITION");
    EXPECT_EQ(pos->Depth(), 4);
    EXPECT_EQ(tree.FindNode(1, "Menge", pos)->Value(), "93.000");
    const CGaebTagNode* text = tree.FindNode(1, "langtext", tree.FindNode(0, "beschreibung", pos));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Name(), "LANGTEXT");
    EXPECT_EQ(text->Value(), "Zeile eins\r\n  acht Blanks vorn\r\n\tTab vorn\r\n");
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

TEST(GaebTagTree, SurplusEndLinesAndTrailingLines) {
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagText(
        "#begin[A]\n#end[A]\n#end[A]\n#end[X]\n[I]1[end]\n#begin[B]\n [J]2[end]\n#end[B]\n"));
    EXPECT_EQ(tree.DepthCounter(), -1);
    EXPECT_TRUE(LinksConsistent(tree)); // also: no negative depth
    EXPECT_EQ(NamesInFileOrder(tree), "A I B J");
    const CGaebTagNode* i = tree.NextSibling(tree.FirstRoot());
    EXPECT_EQ(i->Depth(), 0);
    EXPECT_EQ(i->ParentIndex(), -1);
    EXPECT_EQ(tree.FindNode(1, "J", tree.NextSibling(i))->Depth(), 1);

    // Counts behind and after the outermost end line, empty lines, an end-of-file byte.
    EXPECT_TRUE(
        tree.ReadTagText("#begin[GAEB]\r\n\r\n [V]1[end]\r\n  \r\n#end[GAEB]43|109\r\n\r\n43|109\r\n\x1a"));
    EXPECT_EQ(tree.Count(), 2);
    // CR alone is no line end: the whole file is one begin line.
    EXPECT_TRUE(tree.ReadTagText("#begin[GAEB]\r [V]1[end]\r#end[GAEB]\r"));
    EXPECT_EQ(tree.Count(), 1);
}

TEST(GaebTagTree, MarkersInsideValuesAndStlbBauLines) {
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagText("#begin[GAEB]\n [Bez]Teil #end und #begin[X][end]\n"
                                 " [Text]erste\n siehe #end[A] unten\n [end]\n"
                                 " #begin[Position]\n  #begin[STLBBau]\n   [Langtext]eins\n   zwei[end]\n"
                                 "  #end[STLBBau]\n  [Menge]1[end]\n #end[Position]\n#end[GAEB]\n"));
    EXPECT_TRUE(LinksConsistent(tree));
    EXPECT_EQ(NamesInFileOrder(tree),
              "GAEB Bez Text Position   #begin[STLBBau] Langtext   #end[STLBBau] Menge");
    EXPECT_EQ(Item(tree, "GAEB", "Bez")->Value(), "Teil #end und #begin[X]");
    EXPECT_EQ(Item(tree, "GAEB", "Text")->Value(), "erste\r\nsiehe #end[A] unten\r\n");

    // STLB-Bau lines keep the depth counter; their items are indented one blank more.
    const CGaebTagNode* pos = tree.FindNode(0, "Position", nullptr);
    const CGaebTagNode* begin = tree.FirstChild(pos);
    EXPECT_EQ(begin->GetKind(), CGaebTagNode::StlbBegin);
    EXPECT_EQ(begin->Depth(), 2);
    EXPECT_EQ(tree.FindNode(CGaebTagNode::StlbEnd, "  #end[STLBBau]", pos)->Depth(), 2);
    EXPECT_EQ(tree.FindNode(1, "Langtext", pos)->Value(), "eins\r\nzwei");
    EXPECT_EQ(tree.FindNode(1, "Menge", pos)->Depth(), 2);
}

TEST(GaebTagTree, BrokenInputNeverCrashes) {
    CGaebTagTree tree;
    // A value that never reaches "[end]" swallows the rest and is not added.
    EXPECT_TRUE(tree.ReadTagText("#begin[GAEB]\n [Langtext]a\n b\n#end[GAEB]\n"));
    EXPECT_TRUE(tree.IsPending());
    EXPECT_EQ(NamesInFileOrder(tree), "GAEB");

    std::string noise;
    uint32_t seed = 12345;
    const char alphabet[] = "[]#beginend \r\n\t\x00\xff{}STLBBau";
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.push_back(alphabet[(seed >> 16) % (sizeof(alphabet) - 1)]);
    }
    noise += std::string(1 << 20, 'x'); // one long line
    tree.ReadTagText(noise);
    EXPECT_TRUE(LinksConsistent(tree));

    std::string deep;
    for (int i = 0; i <= CGaebTagTree::kMaxDepth; ++i)
        deep += "#begin[B]\n";
    ASSERT_TRUE(tree.ReadTagText(deep + "[Tief]1[end]\n"));
    EXPECT_EQ(tree.FindNode(1, "Tief", tree.Node(CGaebTagTree::kMaxDepth))->Depth(),
              CGaebTagTree::kMaxDepth + 1);
    EXPECT_FALSE(tree.ReadTagText(deep + "#begin[Zu tief]\n"));
}

TEST(GaebTagTree, FindNodeSearchesFromStartOverFollowingSiblingsOnly) {
    CGaebTagTree tree;
    ASSERT_TRUE(
        tree.ReadTagText("#begin[GAEB]\n #begin[A]\n  #begin[P1]\n  #end[P1]\n  #begin[P2]\n"
                         "   #begin[Beschreibung]\n    [Kurztext]x[end]\n   #end[Beschreibung]\n"
                         "  #end[P2]\n #end[A]\n #begin[B]\n  #begin[Beschreibung]\n  #end[Beschreibung]\n"
                         " #end[B]\n#end[GAEB]\n"));
    const CGaebTagNode* p1 = tree.FindNode(0, "P1", nullptr);
    const CGaebTagNode* inP2 = tree.FindNode(0, "Beschreibung", p1);
    ASSERT_NE(inP2, nullptr);
    EXPECT_EQ(tree.Parent(inP2)->Name(), "P2");
    EXPECT_EQ(tree.FindNode(0, "B", p1), nullptr);
    EXPECT_EQ(tree.FindNode(0, "Beschreibung", nullptr), inP2);
    const CGaebTagNode* b = tree.FindNode(0, "b", nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(tree.Parent(tree.FindNode(0, "Beschreibung", b)), b);
    // Items are searched among the direct children only.
    EXPECT_EQ(tree.FindNode(1, "Kurztext", tree.FindNode(0, "A", nullptr)), nullptr);
    EXPECT_NE(tree.FindNode(1, "Kurztext", inP2), nullptr);
}

TEST(GaebTagTree, AppendItemAndInsertBlockKeepTheFileOrder) {
    CGaebTagTree tree;
    ASSERT_TRUE(
        tree.ReadTagText("#begin[GAEB]\n #begin[Vergabe]\n  #begin[AG]\n  #end[AG]\n  #begin[Position]\n"
                         "   [OZ]1[end]\n   #begin[Beschreibung]\n    [Kurztext]x[end]\n"
                         "   #end[Beschreibung]\n   [Menge]1[end]\n  #end[Position]\n #end[Vergabe]\n"
                         "#end[GAEB]\n"));
    CGaebTagNode* pos = tree.FindNode(0, "Position", nullptr);
    CGaebTagNode* ep = tree.AppendItem("EP", pos);
    ASSERT_NE(ep, nullptr);
    EXPECT_EQ(ep->Index(), tree.Count() - 1);
    EXPECT_EQ(ep->Depth(), pos->Depth() + 1);
    EXPECT_EQ(ep->Value(), "");
    tree.AppendItem("GB", pos);

    CGaebTagNode* ag = tree.FindNode(0, "AG", nullptr);
    CGaebTagNode* an = tree.InsertBlock("AN", ag, false);
    CGaebTagNode* address = tree.InsertBlock("Adresse", an, true);
    tree.AppendItem("Name1", address)->SetValue("Bieter");
    tree.AppendItem("PLZ", address);
    tree.AppendItem("DVNr", an);
    tree.AppendItem("VergNr", an);
    EXPECT_EQ(tree.AppendItem("X", tree.FindNode(1, "OZ", pos)), nullptr);
    EXPECT_EQ(tree.InsertBlock("X", nullptr, false), nullptr);

    EXPECT_TRUE(LinksConsistent(tree));
    EXPECT_EQ(NamesInFileOrder(tree), "GAEB Vergabe AN DVNr VergNr Adresse Name1 PLZ AG "
                                      "Position OZ EP GB Beschreibung Kurztext Menge");
    EXPECT_EQ(an->Depth(), ag->Depth());
    EXPECT_EQ(tree.FirstChild(tree.FindNode(0, "Vergabe", nullptr)), an);
    EXPECT_EQ(tree.FindNode(1, "Name1", tree.FindNode(0, "Adresse", an))->Value(), "Bieter");

    // A block inserted before the first node becomes the new first root.
    CGaebTagNode* front = tree.InsertBlock("Vorn", tree.FirstRoot(), false);
    EXPECT_EQ(tree.FirstRoot(), front);
    EXPECT_TRUE(LinksConsistent(tree));
}

TEST(GaebTagTree, ReadsTwentyThousandPositions) {
    std::string text = "#begin[GAEB]\n #begin[Vergabe]\n  #begin[LV]\n   #begin[LVBereich]\n";
    for (int i = 0; i < 20000; ++i) {
        text += "    #begin[Position]\n     [OZ]" + std::to_string(i) +
                "[end]\n"
                "     #begin[Beschreibung]\n      [Kurztext]Kurz[end]\n"
                "      [Langtext]Zeile eins\n      Zeile zwei\n      [end]\n"
                "     #end[Beschreibung]\n     [ME]m2[end]\n     [Menge]1,000[end]\n"
                "    #end[Position]\n";
    }
    text += "   #end[LVBereich]\n  #end[LV]\n #end[Vergabe]\n#end[GAEB]\n";

    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagText(text));
    int positions = 0;
    for (const CGaebTagNode* pos = tree.FirstChild(tree.FindNode(0, "LVBereich", nullptr)); pos;
         pos = tree.NextSibling(pos))
        positions += tree.FindNode(0, "Beschreibung", pos) && tree.FindNode(1, "Menge", pos) ? 1 : 0;
    EXPECT_EQ(positions, 20000);
}

TEST(GaebTagTree, ReadsEverySampleFile) {
    const std::filesystem::path folder = std::filesystem::path(ORVAK_SAMPLES) / "gaeb2000";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no sample folder";
    // Positions per file, counted from the begin lines.
    const std::vector<std::pair<std::string, int>> expected = {
        {"LV_Los01", 13},      {"LV_Los02", 121}, {"Flechtingen", 585},
        {"Photovoltaik", 106}, {"02_ROHBAU", 69}, {"03_ZIMMERER", 20},
        {"07_FLACHDACH", 49},  {"08_GER", 22},    {"09_FENSTER", 18},
    };
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (!IsGaeb2000Name(name)) continue;
        ++files;
        CGaebTagTree tree;
        ASSERT_TRUE(tree.ReadTagFile(entry.path())) << name;
        EXPECT_FALSE(tree.IsPending()) << name;
        EXPECT_EQ(tree.DepthCounter(), -1) << name;
        EXPECT_TRUE(LinksConsistent(tree)) << name;
        int positions = 0;
        for (int i = 0; i < tree.Count(); ++i)
            positions += tree.Node(i)->IsBlock() && tree.Node(i)->HasName("Position") ? 1 : 0;
        for (const auto& [part, count] : expected) {
            if (name.find(part) != std::string::npos) {
                EXPECT_EQ(positions, count) << name;
            }
        }
    }
    EXPECT_GT(files, 0);
}
