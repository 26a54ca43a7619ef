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
