#include "model/calculation.h"
#include "print/print_fixture.h"
#include "print/print_page_loop.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <set>

namespace {

// Two titles and n positions of 10,00 with 19 % VAT and the long text (P1 belongs to title
// 02 although it comes first in the list), then the sum line; calculated.
struct Bill {
    CAngebotList list;
    explicit Bill(int n, const std::string& longText = "") {
        list.SetText(AddRec(list, "T", 1, 0, 0), Fld::OZ, "01");
        list.SetText(AddRec(list, "T", 2, 0, 0), Fld::OZ, "02");
        for (int i = 1; i <= n; ++i) {
            const int p = AddPrintPos(list, 2 + i, i == 1 ? 2 : 1, 1, "P" + std::to_string(i));
            list.SetText(p, Fld::LongText, longText);
            list.SetDouble(p, Fld::VatPct, 19.0);
            RecalcPosition(list, p);
        }
        AddRec(list, "S", n + 3, 0, 0);
        list.LinkDisplayChain();
        CalcAll(list);
    }
};

struct PrintRun {
    CBidPrintLayout layout;
    CPrintPageLoop loop{layout};
    CRecordingDevice device;
    int pages = 0;
    std::set<int> stages; // the resume stages at the pages' ends (2 + n counted as 3)
    explicit PrintRun(const CAngebotList& list, DeviceCaps caps = TestCaps(), bool ready = true)
        : device(caps, ready) {
        loop.Prepare(list);
    }
    bool Page(int page) {
        device.StartPage(page);
        return loop.PrintPage(device, page);
    }
    // Prints the pages after the last one printed, in order.
    PrintRun& All(int maxPages = 100000) {
        while (loop.ContinuePrinting() && pages < maxPages) {
            EXPECT_TRUE(Page(++pages));
            stages.insert(std::min(layout.ResumeStage(), 3));
        }
        return *this;
    }
    // The texts of every page below the column headings and above the footer, in order.
    std::vector<Op> Body() const {
        std::vector<Op> body;
        for (const auto& ops : device.pages)
            for (const Op& op : ops)
                if (op.type == Op::Text && op.y > FindText(ops, "Langtext")->y && op.y < layout.BottomLimit())
                    body.push_back(op);
        return body;
    }
};

// The position numbers as drawn (9 points bold at the left margin), in order.
std::vector<std::string> DrawnOz(const std::vector<Op>& ops) {
    std::vector<std::string> oz;
    for (const Op& op : ops)
        if (IsFont(op, 9, true) && op.x == 100 && !op.text.empty()) oz.push_back(op.text);
    return oz;
}

// The texts of the records, in order; the totals may run below the bottom limit.
std::vector<std::string> RecordTexts(const std::vector<Op>& body) {
    std::vector<std::string> texts;
    for (size_t i = 0; i < body.size() && body[i].text != "Gesamtsumme Netto"; ++i)
        texts.push_back(body[i].text);
    return texts;
}

bool HasTotals(const std::vector<Op>& ops) {
    return FindText(ops, "Gesamtsumme Netto").has_value();
}

} // namespace

TEST(PrintPageLoop, EveryPageHeightPrintsTheRecordsOnceInTreeOrder) {
    Bill bill(3, "Zeile A\r\nZeile B\r\nZeile C");
    DeviceCaps caps = TestCaps();
    caps.pageHeight = 20000;
    PrintRun tall(bill.list, caps);
    ASSERT_EQ(tall.All().pages, 1);
    EXPECT_EQ(DrawnOz(tall.device.ops), (std::vector<std::string>{"01", "P2", "P3", "02", "P1"}));
    EXPECT_TRUE(FindText(tall.device.ops, "19% MWSt.") && FindText(tall.device.ops, "5,70"));
    const auto expected = RecordTexts(tall.Body());

    // Pages of growing height end after a short text (resume stage 1), after a quantity line
    // (2), inside a long text (2 + n) or between records (0), and the totals move alone to a
    // further page when they do not fit; the tiniest pages never fit them.
    std::set<int> stages;
    bool totalsAlone = false;
    for (int height = 1000; height < 4000; height += 7) { // from a line's room below the header
        caps.pageHeight = height;
        PrintRun run(bill.list, caps);
        ASSERT_FALSE(run.All(100).loop.ContinuePrinting()) << height;
        stages.insert(run.stages.begin(), run.stages.end());
        EXPECT_EQ(RecordTexts(run.Body()), expected) << height;
        const auto& pages = run.device.pages;
        EXPECT_EQ(std::count_if(pages.begin(), pages.end(), HasTotals), 1) << height;
        EXPECT_TRUE(HasTotals(pages.back())) << height;
        totalsAlone = totalsAlone || (run.pages > 1 && DrawnOz(pages.back()).empty());
    }
    EXPECT_EQ(stages, (std::set<int>{0, 1, 2, 3}));
    EXPECT_TRUE(totalsAlone);
}

TEST(PrintPageLoop, LongTextSplitAcrossPagesLosesNothing) {
    // 1500 words, some after tabs, then a word of 20000 letters.
    std::string text, unbroken(20000, 'z');
    for (int i = 1; i <= 1500; ++i)
        text += "Wort" + std::to_string(i) + (i % 7 == 0 ? "\t" : " ");
    for (size_t i = 0; i < unbroken.size(); i += 97)
        unbroken[i] = static_cast<char>('a' + i % 26);
    Bill bill(2);
    bill.list.SetText(3, Fld::LongText, text + unbroken);
    PrintRun run(bill.list);
    ASSERT_GT(run.All().pages, 2);
    std::string drawn;
    for (const Op& op : run.Body())
        if (IsFont(op, 9, false) && op.x <= run.layout.ColumnPositions().gp) drawn += op.text;
    EXPECT_EQ(drawn, WithoutBreaks(text + unbroken));
}

namespace {} // namespace
