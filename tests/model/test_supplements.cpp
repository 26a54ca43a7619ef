#include "model/gaeb_text.h"
#include "model/supplements.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// A position with the bidder-supplement flag, its long text, directory and bidder texts.
int AddSupplementPos(CAngebotList& list, const std::string& longText, const std::string& index,
                     const std::string& bidderTexts, const std::string& flags = "        X") {
    const int r = AddPos(list, list.Count() + 1.0, 0, 1, 1.0, 0.0, flags);
    list.SetText(r, Fld::LongText, longText);
    list.SetText(r, Fld::SupplementIndex, index);
    list.SetText(r, Fld::BidderTexts, bidderTexts);
    return r;
}

std::string Placeholder(const std::string& number) {
    return "[" + number + ": ...]";
}

} // namespace

// Directories, flags and line ends as the completeness check lists them are tested there;
// here the quoting of the texts.
TEST(Supplements, SplitBidderTextsGivesTheTextsWithoutTheirQuotes) {
    const struct {
        const char* what;
        std::string bidderTexts;
        Texts texts;
    } cases[] = {
        {"empty", "", {}},
        {"no final break", "'Muster'\r\n'F 3'", {"Muster", "F 3"}},
        {"bare CR", "'a'\r'b'\r", {"a", "b"}},
        {"one character quote stays", "'", {"'"}},
        {"one character stays", "x\r\n'b'", {"x", "b"}},
        {"empty text and missing quotes", "''\r\nohne\r\n'c'", {"", "ohne", "c"}},
        {"apostrophe inside a text", "'O'Neill'\r\n'x'", {"O'Neill", "x"}},
        // A text of several lines as a D84 gives it: the line that opens an apostrophe goes on
        // to the line that closes it, unless the next line opens a text of its own.
        {"text of several lines",
         "'Muster AG\r\nTyp 5'\r\n'RAL 9016'\r\n",
         {"Muster AG\r\nTyp 5", "RAL 9016"}},
        {"unclosed text stops at the next text", "'offen\r\n'b'", {"offen", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSupplements::SplitBidderTexts(c.bidderTexts), c.texts) << c.what;
}

TEST(Supplements, SlotsFollowTheLinesMarkedWithTheirNumber) {
    // The reader's marks: the place of 02 is looked for from its marked line on, so a stray
    // apostrophe before it takes nothing away.
    const std::string text = "01\tFabrikat 'A'\r\n\tHinweis: ' allein\r\n02\tTyp '...'\r\n";
    const auto entries = CSupplements::Entries("01B102B1");
    const auto marked = CSupplements::FindSlots(text, entries);
    ASSERT_EQ(marked.size(), 2u);
    EXPECT_EQ(marked[1].open, text.find("'...'"));
    // Without the marks the stray apostrophe opens the second place.
    const auto unmarked = CSupplements::FindSlots(text, entries, false);
    ASSERT_EQ(unmarked.size(), 2u);
    EXPECT_EQ(unmarked[1].open, text.find("' allein"));
}

TEST(Supplements, MergeSkipsTheClientsPlacesAndMarksTheBidders) {
    CAngebotList list;
    const int r = AddSupplementPos(list, "Farbe 'RAL 9010', R'w 32 dB, Fabrikat '...', Typ '...'",
                                   "01A102B103B1", "'Muster'\r\n''\r\n");
    const SMergedLongText merged = CSupplements::MergeBidderTexts(list, r, Placeholder, true);
    EXPECT_EQ(merged.text, "Farbe 'RAL 9010', R'w 32 dB, Fabrikat 'Muster', Typ '[03: ...]'");
    ASSERT_EQ(merged.marks.size(), 2u);
    EXPECT_EQ(merged.text.substr(merged.marks[0].start, merged.marks[0].length), "Muster");
    EXPECT_EQ(merged.marks[0].number, "02");
    EXPECT_TRUE(merged.marks[0].filled);
    EXPECT_EQ(merged.text.substr(merged.marks[1].start, merged.marks[1].length), "[03: ...]");
    EXPECT_FALSE(merged.marks[1].filled);

    // Without emptyIsMissing an empty text stays empty; the stored long text is unchanged.
    const SMergedLongText kept = CSupplements::MergeBidderTexts(list, r, Placeholder, false);
    EXPECT_EQ(kept.text, "Farbe 'RAL 9010', R'w 32 dB, Fabrikat 'Muster', Typ ''");
    EXPECT_EQ(list.GetText(r, Fld::LongText), "Farbe 'RAL 9010', R'w 32 dB, Fabrikat '...', Typ '...'");

    // A record without bidder entries keeps its text; no record, no text.
    const int client = AddSupplementPos(list, "Farbe 'grau'", "01A1", "");
    EXPECT_EQ(CSupplements::MergeBidderTexts(list, client, Placeholder, true).text, "Farbe 'grau'");
    EXPECT_TRUE(CSupplements::MergeBidderTexts(list, 99, Placeholder, true).text.empty());
}
