#include "gaeb2000/gaeb_tag_tree.h"
#include "p83_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(GaebTagTree, NodesAndValuesStayInPlaceWhileTheTreeGrows) {
    // More nodes than fit in one chunk of storage: pointers taken early stay valid.
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagText(p83test::GeneratedLv(2000)));
    ASSERT_GT(tree.Count(), 10000);
    const CGaebTagNode* name1 = tree.FindItem("Name1", tree.FindBlock("Adresse", nullptr));
    ASSERT_NE(name1, nullptr);
    const std::string_view stadt = name1->ValueView();
    CGaebTagNode* lv = tree.FindBlock("LV", nullptr);
    for (int n = 0; n < 10000; ++n)
        tree.SetValue(tree.AppendItem("Zusatz" + std::to_string(n % 7), lv), std::string(300, 'x'));
    EXPECT_EQ(name1->Value(), "Stadt");
    EXPECT_EQ(stadt, "Stadt");
    EXPECT_EQ(tree.FindItem("zusatz6", lv)->Value(), std::string(300, 'x'));

    // Multi-line values are joined by CR LF and lose the indentation of their item.
    const CGaebTagNode* text = tree.FindItem("Langtext", tree.FindBlock("Beschreibung", nullptr));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Value(), "Zeile eins\r\nZeile zwei");
}

TEST(GaebTagTree, SetValueLeavesOtherValuesAlone) {
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagText("#begin[A]\n [Eins]1234[end]\n [Zwei]5678[end]\n [Leer][end]\n#end[A]\n"));
    CGaebTagNode* block = tree.FirstRoot();
    CGaebTagNode* one = tree.FindItem("Eins", block);
    CGaebTagNode* two = tree.FindItem("Zwei", block);
    CGaebTagNode* empty = tree.FindItem("Leer", block);
    ASSERT_TRUE(one && two && empty);

    // Shorter, then longer than before, then empty, then longer again: the neighbour stays.
    for (const std::string value : {"12", "123456789", "", "abcdefghijkl", "x"}) {
        tree.SetValue(one, value);
        EXPECT_EQ(one->Value(), value);
        EXPECT_EQ(two->Value(), "5678");
    }
    tree.SetValue(empty, "neu");
    EXPECT_EQ(empty->Value(), "neu");
    EXPECT_EQ(one->Value(), "x");
    // Blocks carry no value.
    tree.SetValue(block, "nie");
    EXPECT_EQ(block->Value(), "");
}

TEST(GaebTagTree, KeepsEachSpellingOfAName) {
    CGaebTagTree tree;
    ASSERT_TRUE(
        tree.ReadTagText("#begin[GAEB]\n [Menge]1[end]\n [MENGE]2[end]\n [menge]3[end]\n#end[gaeb]\n"));
    std::vector<std::string> names;
    for (const CGaebTagNode* n = tree.FirstRoot(); n; n = tree.Next(n)) {
        names.push_back(n->Name());
        EXPECT_TRUE(n->IsBlock() || n->HasName("mEnGe"));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"GAEB", "Menge", "MENGE", "menge"}));
}

TEST(GaebTagTree, FindsTheStlbMarkerInAnyCaseAndAfterLikeLetters) {
    // "sSTLBbau": the marker starts at the second of two letters that could begin it.
    for (const std::string marker : {"STLBBau", "stlbbau", "sSTLBbau", "Bau_STLBBAU"}) {
        CGaebTagTree tree;
        ASSERT_TRUE(tree.ReadTagText("#begin[GAEB]\n\t #begin[" + marker +
                                     "]\n  [Langtext]eins\n\t zwei[end]\n #end[" + marker +
                                     "]\n#end[GAEB]\n"))
            << marker;
        std::vector<CGaebTagNode::Kind> kinds;
        for (const CGaebTagNode* n = tree.FirstRoot(); n; n = tree.Next(n))
            kinds.push_back(n->GetKind());
        EXPECT_EQ(kinds,
                  (std::vector<CGaebTagNode::Kind>{CGaebTagNode::Kind::Block, CGaebTagNode::Kind::StlbBegin,
                                                   CGaebTagNode::Kind::Item, CGaebTagNode::Kind::StlbEnd}))
            << marker;
    }
}

TEST(GaebTagTree, SetValueTakesAPartOfTheOldValue) {
    CGaebTagTree tree;
    ASSERT_TRUE(tree.ReadTagText("#begin[A]\n [Text]  eingerueckt[end]\n#end[A]\n"));
    CGaebTagNode* item = tree.FindItem("Text", tree.FirstRoot());
    ASSERT_NE(item, nullptr);
    tree.SetValue(item, item->ValueView().substr(2));
    EXPECT_EQ(item->Value(), "eingerueckt");
}
