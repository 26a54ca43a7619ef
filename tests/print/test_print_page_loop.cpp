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

namespace {

// Appends a record with a short text.
int Text(CAngebotList& list, const std::string& kind, double id, double parent, int level,
         const std::string& shortText, const std::string& posType = "") {
    const int r = AddRec(list, kind, id, parent, level, posType);
    list.SetText(r, Fld::ShortText, shortText);
    return r;
}

// Appends a calculated position with a VAT rate.
void Priced(CAngebotList& list, double id, double parent, double quantity, double ep, double vat) {
    const int p = AddPos(list, id, parent, 3, quantity, ep);
    list.SetDouble(p, Fld::VatPct, vat);
    RecalcPosition(list, p);
}

// The contract-regulation block that GAEB 90 files put in front of the LV.
void ContractBlock(CAngebotList& list) {
    Text(list, "L", 1, 0, 1, "Vertragliche Regelungen", "C");
    Text(list, "B", 2, 1, 2, "", "C");
    Text(list, "S", 3, 1, 2, "Ende Vertragliche Regelungen", "C");
}

// An LV "Neubau" with the area Erdarbeiten (7470,00 and a lump sum of 512,06 at 19 %), a
// second area when `ausbau` is set (100,00 at the rate given), and its closing sum line when
// `closed` is set.
void Neubau(CAngebotList& list, bool closed, bool ausbau, double ausbauVat = 19.0) {
    Text(list, "L", 10, 0, 1, "Neubau");
    Text(list, "T", 11, 10, 2, "Erdarbeiten");
    Priced(list, 12, 11, 150, 49.80, 19.0);
    Priced(list, 13, 11, 1, 512.06, 19.0);
    Text(list, "S", 14, 11, 3, "Summe Erdarbeiten");
    if (ausbau) {
        Text(list, "T", 15, 10, 2, "Ausbau");
        Priced(list, 16, 15, 1, 100, ausbauVat);
        Text(list, "S", 17, 15, 3, "Summe Ausbau");
    }
    if (closed) Text(list, "S", 18, 10, 2, "SUMME Neubau");
}

} // namespace

// The header shows the short text of the bid's LV and the totals are those of the LV(s) with
// the rate the positions carry; neither the first record nor the record at the last index
// (often the sum of the last area) decides.
TEST(PrintPageLoop, TitleAndTotalsAreThoseOfTheLv) {
    const struct {
        const char* what;
        void (*build)(CAngebotList&);
        const char *title, *vatLabel, *totals; // Netto | MWSt. | Brutto
    } cases[] = {
        {"contract block, LV with its sum line",
         [](CAngebotList& l) {
             ContractBlock(l);
             Neubau(l, true, false);
         },
         "Neubau", "19% MWSt.", "7.982,06|1.516,59|9.498,65"},
        {"LV without a sum line of its own",
         [](CAngebotList& l) {
             ContractBlock(l);
             Neubau(l, false, true);
         },
         "Neubau", "19% MWSt.", "8.082,06|1.535,59|9.617,65"},
        {"two rates", [](CAngebotList& l) { Neubau(l, true, true, 7.0); }, "Neubau", "MWSt.",
         "8.082,06|1.523,59|9.605,65"},
        {"two LVs",
         [](CAngebotList& l) {
             Text(l, "L", 1, 0, 1, "Los 1");
             Priced(l, 2, 1, 10, 100, 0);
             Text(l, "S", 3, 1, 2, "Summe Los 1");
             Text(l, "L", 4, 0, 1, "Los 2");
             Priced(l, 5, 4, 5, 100, 0);
         },
         "Los 1", "0% MWSt.", "1.500,00|0,00|1.500,00"},
        {"no LV record",
         [](CAngebotList& l) {
             Text(l, "T", 1, 0, 1, "Rohbau");
             Priced(l, 2, 1, 2, 100, 19);
             Text(l, "T", 3, 0, 1, "Ausbau");
             Priced(l, 4, 3, 1, 50, 19);
             Text(l, "S", 5, 3, 2, "Summe Ausbau");
         },
         "Rohbau", "19% MWSt.", "250,00|47,50|297,50"},
    };
    for (const auto& c : cases) {
        CAngebotList list;
        c.build(list);
        list.LinkDisplayChain();
        CalcAll(list);
        PrintRun run(list);
        for (const auto& ops : run.All().device.pages) {
            const auto label = FindText(ops, "Angebot \xfc"
                                             "ber:");
            ASSERT_TRUE(label) << c.what;
            std::string title = "<none>";
            for (const Op& op : ops)
                if (IsFont(op, 12, true) && op.y == label->y && op.x > label->x) title = op.text;
            EXPECT_EQ(title, c.title) << c.what;
        }
        const std::vector<Op>& ops = run.device.pages.back();
        std::string totals;
        for (const char* text : {"Gesamtsumme Netto", c.vatLabel, "Gesamtsumme Brutto"}) {
            const auto line = FindText(ops, text);
            ASSERT_TRUE(line) << c.what << ": " << text;
            for (const Op& op : ops)
                if (op.y == line->y && op.x > line->x) totals += "|" + op.text;
        }
        EXPECT_EQ(totals.substr(1), c.totals) << c.what;
    }
}
