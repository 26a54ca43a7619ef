#include "print/print_fixture.h"
#include "print/print_page_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// Prints every page in order; returns the number of pages.
int PrintAll(CPrintPageLoop& loop, CRecordingDevice& device, int maxPages = 100000) {
    int page = 0;
    while (loop.ContinuePrinting() && page < maxPages) {
        device.StartPage(++page);
        EXPECT_TRUE(loop.PrintPage(device, page));
    }
    return page;
}

// The position numbers as drawn (9 points bold at the left margin), in order.
std::vector<std::string> DrawnOz(const std::vector<Op>& ops) {
    std::vector<std::string> oz;
    for (const Op& op : ops)
        if (IsFont(op, 9, true) && op.x == 100 && !op.text.empty()) oz.push_back(op.text);
    return oz;
}

bool HasTotals(const std::vector<Op>& ops) {
    return FindText(ops, "Gesamtsumme Netto").has_value();
}

// An LV with n positions (each with the long text) and the closing sum line.
struct Bill {
    CAngebotList list;
    explicit Bill(int n, const std::string& longText = "") {
        const int lv = AddRec(list, "L", 1, 0, 0);
        list.SetText(lv, Fld::ShortText, "Rohbauarbeiten");
        list.SetText(lv, Fld::OZ, "LV");
        for (int i = 0; i < n; ++i)
            list.SetText(AddPrintPos(list, i + 2, 1, 1, "P" + std::to_string(i + 1)), Fld::LongText,
                         longText);
        const int sum = AddRec(list, "S", n + 2, 1, 1);
        list.SetText(sum, Fld::OZ, "S");
        list.LinkDisplayChain();
    }
};

struct PrintRun {
    CBidPrintLayout layout;
    CPrintPageLoop loop{layout};
    CRecordingDevice device;
    int pages = 0;
    PrintRun(const CAngebotList& list, DeviceCaps caps = TestCaps(), bool ready = true)
        : device(caps, ready) {
        layout.SetDateText("01.01.2000");
        loop.Prepare(list);
    }
    PrintRun& All(int maxPages = 100000) {
        pages = PrintAll(loop, device, maxPages);
        return *this;
    }
};

} // namespace

TEST(PrintPageLoop, EmptyListPrintsNothing) {
    CAngebotList list;
    PrintRun run(list);
    EXPECT_FALSE(run.loop.ContinuePrinting());
    EXPECT_FALSE(run.loop.PrintPage(run.device, 1));
    EXPECT_TRUE(run.device.ops.empty());
}

TEST(PrintPageLoop, RecordsInTreeOrderThenTotals) {
    // The position belongs to the first title although it follows the second in the list.
    CAngebotList list;
    list.SetText(AddRec(list, "T", 1, 0, 0), Fld::OZ, "01");
    list.SetText(0, Fld::ShortText, "Erdarbeiten");
    list.SetText(AddRec(list, "T", 2, 0, 0), Fld::OZ, "02");
    AddPrintPos(list, 3, 1, 1, "01.0010");
    const int sum = AddRec(list, "S", 4, 0, 0);
    list.SetDouble(sum, Fld::TotalNet, 10.0);
    list.SetDouble(sum, Fld::TotalGross, 11.9);
    list.LinkDisplayChain();
    PrintRun run(list);
    run.loop.SetVatRate(19);
    EXPECT_EQ(run.All().pages, 1);
    EXPECT_EQ(run.loop.LastPage(), 1);
    EXPECT_EQ(DrawnOz(run.device.ops), (std::vector<std::string>{"01", "01.0010", "02"}));
    EXPECT_EQ(FindText(run.device.ops, "Erdarbeiten")->font.height, -8 * 12); // the header's title
    EXPECT_TRUE(FindText(run.device.ops, "19% MWSt.") && FindText(run.device.ops, "1,90"));
    int rules = 0; // the rule above totals that follow records on the same page
    for (const Op& op : run.device.ops)
        rules += op.type == Op::Line && op.x == 100 && op.x2 == run.layout.ColumnPositions().gpEff;
    EXPECT_EQ(rules, 1);
    EXPECT_FALSE(run.loop.PrintPage(run.device, 2));
}

TEST(PrintPageLoop, EveryRecordOnceAndTotalsAloneWhenTheyDoNotFit) {
    bool totalsAlone = false;
    for (int n = 1; n < 60; ++n) {
        Bill bill(n);
        PrintRun run(bill.list);
        run.All();
        std::vector<std::string> oz{"LV"};
        for (int i = 1; i <= n; ++i)
            oz.push_back("P" + std::to_string(i));
        oz.push_back("S");
        EXPECT_EQ(DrawnOz(run.device.ops), oz) << n;
        for (int p = 1; p <= run.pages; ++p)
            EXPECT_EQ(HasTotals(run.device.pages[p - 1]), p == run.pages) << n;
        // Totals alone: header, totals and footer, without the rule above the totals (header
        // 4 lines, signature 2, footer 1).
        const auto& last = run.device.pages.back();
        if (run.pages > 1 && DrawnOz(last).empty()) {
            totalsAlone = true;
            EXPECT_EQ(
                std::count_if(last.begin(), last.end(), [](const Op& op) { return op.type == Op::Line; }), 7);
        }
    }
    EXPECT_TRUE(totalsAlone);
}

TEST(PrintPageLoop, LongTextSplitAcrossPagesLosesNothing) {
    std::string words, unbroken(20000, 'z');
    for (int i = 1; i <= 1500; ++i)
        words += "Wort" + std::to_string(i) + (i % 7 == 0 ? "\t" : " ");
    for (size_t i = 0; i < unbroken.size(); i += 97)
        unbroken[i] = static_cast<char>('a' + i % 26);
    for (const std::string& text : {words, unbroken}) {
        CAngebotList list;
        AddPrintPos(list, 1, 0, 0, "1");
        list.SetText(AddPrintPos(list, 2, 0, 0, "2"), Fld::LongText, text);
        list.LinkDisplayChain();
        PrintRun run(list);
        run.All();
        ASSERT_GT(run.pages, 2);
        std::string drawn;
        for (const auto& ops : run.device.pages) {
            const int headings = FindText(ops, "Langtext")->y;
            for (const Op& op : ops)
                if (IsFont(op, 9, false) && op.y > headings && op.y < run.layout.BottomLimit() &&
                    op.x <= run.layout.ColumnPositions().gp)
                    drawn += op.text;
        }
        std::string expected;
        for (char c : text)
            if (c != '\r' && c != '\n' && c != '\t') expected += c;
        EXPECT_EQ(drawn, expected);
    }
}

TEST(PrintPageLoop, ResumesAtEveryStageOfARecord) {
    // Pages of growing height end the first page after the short text (stage 1), after the
    // quantity line (stage 2) and inside the long text (stage 2 + n).
    std::set<int> stages;
    for (int height = 900; height < 1700; height += 7) {
        CAngebotList list;
        list.SetText(AddPrintPos(list, 1, 0, 0, "1"), Fld::LongText, "Zeile A\r\nZeile B\r\nZeile C");
        list.LinkDisplayChain();
        DeviceCaps caps = TestCaps();
        caps.pageHeight = height;
        PrintRun run(list, caps);
        run.device.StartPage(1);
        run.loop.PrintPage(run.device, 1);
        stages.insert(std::min(run.layout.ResumeStage(), 3));
        for (int page = 2; run.loop.ContinuePrinting() && page < 100; ++page)
            run.loop.PrintPage(run.device, page);
        std::vector<std::string> body; // the record's texts, without the page headers
        for (const Op& op : run.device.ops)
            if ((IsFont(op, 9, true) && op.text != "1") || op.text.rfind("Zeile", 0) == 0)
                body.push_back(op.text);
        EXPECT_EQ(body, (std::vector<std::string>{"Kurztext 1", "1,000 m", "10,00", "10,00", "10,00",
                                                  "Zeile A", "Zeile B", "Zeile C"}))
            << height;
    }
    EXPECT_EQ(stages, (std::set<int>{0, 1, 2, 3}));
}

TEST(PrintPageLoop, PagingBackAndJumpingGiveTheSamePage) {
    Bill bill(80, "Erste Zeile des Langtexts\nZweite Zeile\nDritte Zeile mit etwas mehr Text");
    PrintRun sequential(bill.list);
    const int pages = sequential.All().pages;
    ASSERT_GE(pages, 5);
    for (int page : {2, 1, pages, 3}) { // a preview paging back
        CRecordingDevice again(TestCaps());
        again.StartPage(page);
        EXPECT_TRUE(sequential.loop.PrintPage(again, page));
        EXPECT_EQ(again.pages[page - 1], sequential.device.pages[page - 1]) << page;
    }
    EXPECT_FALSE(sequential.loop.PrintPage(sequential.device, pages + 1));

    // Runs that start at a later page have the pagination of a run from page 1.
    PrintRun jump(bill.list);
    jump.loop.BeginPrinting(jump.device, 3);
    EXPECT_TRUE(jump.device.ops.empty());
    for (int page : {3, pages, 2}) {
        jump.device.StartPage(page);
        EXPECT_TRUE(jump.loop.PrintPage(jump.device, page));
        EXPECT_EQ(jump.device.pages[page - 1], sequential.device.pages[page - 1]) << page;
    }
    PrintRun last(bill.list);
    last.device.StartPage(pages);
    EXPECT_TRUE(last.loop.PrintPage(last.device, pages));
    EXPECT_EQ(last.device.pages[pages - 1], sequential.device.pages[pages - 1]);
}

TEST(PrintPageLoop, DegenerateDevicesStillEnd) {
    Bill bill(3, "Langtext");
    DeviceCaps tiny = TestCaps();
    tiny.pageHeight = 1500; // the totals never fit below the header
    PrintRun small(bill.list, tiny);
    EXPECT_LT(small.All(1000).pages, 1000);
    EXPECT_FALSE(small.loop.ContinuePrinting());
    EXPECT_EQ(DrawnOz(small.device.ops).size(), 5u);
    EXPECT_TRUE(HasTotals(small.device.ops));

    PrintRun unready(bill.list, TestCaps(), false); // no printer settings: nothing drawn
    EXPECT_EQ(unready.All().pages, 1);
    EXPECT_TRUE(unready.device.ops.empty());
}

TEST(PrintPageLoop, TwentyThousandPositions) {
    Bill bill(20000, "Mauerwerk aus Kalksandstein, 24 cm dick.");
    PrintRun run(bill.list);
    run.All();
    const auto oz = DrawnOz(run.device.ops);
    ASSERT_EQ(oz.size(), 20002u);
    EXPECT_EQ(oz[20000], "P20000");
}
