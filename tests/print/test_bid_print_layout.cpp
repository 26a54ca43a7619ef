#include "print/bid_print_layout.h"
#include "print/print_fixture.h"

#include <gtest/gtest.h>

namespace {

// A layout with the header drawn on a recording device; Ops() are the ops drawn after it.
struct LayoutFixture {
    CAngebotList list;
    CBidPrintLayout layout;
    CRecordingDevice device{TestCaps()};

    explicit LayoutFixture(bool prices = true) {
        layout.SetPrintPrices(prices);
        layout.BeginPage(device);
        layout.PrintHeader("Rohbau");
        device.StartPage(1);
    }
    const std::vector<Op>& Ops() const { return device.pages.back(); }
    const CBidPrintLayout::Columns& Col() const { return layout.ColumnPositions(); }
    // The text drawn on line y that ends at x (a right-aligned column), or "<none>".
    std::string EndingAt(int x, int y) const {
        for (const Op& op : Ops())
            if (op.type == Op::Text && op.y == y && RightEnd(op) == x) return op.text;
        return "<none>";
    }
};

} // namespace

TEST(BidPrintLayout, DeviceUnitsFollowTheResolution) {
    // 600 div dpi for 600 dpi and coarser; a finer device is scaled by dpi / 600.
    const int cases[][3] = {{600, 10, 10}, {300, 25, 13}, {96, 10, 2}, {1200, 10, 20}, {720, 100, 120}};
    for (const auto& [dpi, v, expected] : cases) {
        CRecordingDevice device({4800, 6800, 100, 100, dpi, dpi});
        CBidPrintLayout layout;
        ASSERT_TRUE(layout.BeginPage(device));
        EXPECT_EQ(layout.ToDeviceX(v), expected) << dpi;
        EXPECT_EQ(layout.ToDeviceY(v), expected) << dpi;
    }
}

TEST(BidPrintLayout, RecordColumnsAndTotals) {
    const struct {
        const char *kind, *unit, *posType, *flags;
        bool prices;
        const char *line, *columns; // wage | other | EP | GP | % | GP effective
    } cases[] = {
        {"P", "m", "N", "X", true, "2,000 m", "200,00|100,00|300,00|600,00|15,00|0,10"},
        {"P", "m", "N", "X", false, "2,000 m", "__________|__________||||"},
        {"P", "psch", "N", "", true, "2,000 psch", "<none>|<none>|nur GP|600,00|15,00|0,10"},
        {"P", "PSCH", "N", "", false, "2,000 PSCH", "<none>|<none>|nur GP|||"},
        {"P", "m", "A", "", true, "2,000 m", "<none>|<none>|300,00|nur EP||"},
        {"P", "m", "E", "", false, "2,000 m", "<none>|<none>||nur EP||"},
        {"P", "%", "N", " Z", true, "2,000 % Zuschlag auf 300,00", "<none>|<none>||600,00|15,00|0,10"},
        {"T", "m", "", "", true, "Kurztext 01", "<none>|<none>|<none>|600,00|<none>|0,10"},
        {"T", "m", "", "", false, "Kurztext 01", "<none>|<none>|<none>|__________|<none>|__________"},
    };
    for (const auto& c : cases) {
        LayoutFixture f(c.prices);
        const int r = AddPrintPos(f.list, 1, 0, 1, "01", 2, 300, c.unit);
        f.list.SetText(r, Fld::Kind, c.kind);
        f.list.SetText(r, Fld::PosType, c.posType);
        f.list.SetText(r, Fld::Flags, c.flags);
        f.list.SetDouble(r, Fld::WageShare, 200);
        f.list.SetDouble(r, Fld::OtherShare, 100);
        f.list.SetDouble(r, Fld::SurchargePct, 1.15 * 100 - 100); // 14.999999999999986 prints as 15,00
        // 0.3 - 0.1 is 0.19999999999999998 in binary; the VAT amount must still read 0,20.
        f.list.SetDouble(r, Fld::TotalNet, 0.1);
        f.list.SetDouble(r, Fld::TotalGross, 0.3);
        EXPECT_TRUE(f.layout.PrintRecord(f.list, r));
        EXPECT_TRUE(f.layout.PrintTotals(f.list, r, 19, true));
        const auto line = FindText(f.Ops(), c.line);
        ASSERT_TRUE(line) << c.line;
        std::string columns, totals;
        for (int x : {f.Col().wage, f.Col().other, f.Col().ep, f.Col().gp, f.Col().percent, f.Col().gpEff})
            columns += "|" + f.EndingAt(x, line->y);
        EXPECT_EQ(columns.substr(1), c.columns) << c.kind << c.unit << c.posType << c.prices;
        for (const char* text : {"Gesamtsumme Netto", "19% MWSt.", "Gesamtsumme Brutto"})
            totals += "|" + f.EndingAt(f.Col().gpEff, FindText(f.Ops(), text).value().y);
        EXPECT_EQ(totals, c.prices ? "|0,10|0,20|0,30" : "|_______________|_______________|_______________");
    }
}

TEST(BidPrintLayout, MergeBidderTexts) {
    const char* cases[][5] = {
        // kind, long text, supplement index, bidder texts, merged
        {"P", "Fabrikat: '' Typ: '' Farbe: ''", "01A102B103B1", "'Acme'\r\n",
         "Fabrikat: '' Typ: 'Acme' Farbe: '***Bietertext fehlt***'"},
        {"P", "a 'vom AG' b 'alt' c", "01A102B1", "'x y'\r\n", "a 'vom AG' b 'x y' c"},
        {"T", "'alt'", "01B1", "'neu'\r\n", "'alt'"},
        {"P", "'' '' ''", "01B102X103B1", "'a'\r\n'b'\r\n", "'a' '' ''"}, // an unknown entry ends the index
        {"P", "nur ''", "01B102B1", "'a'\r\n'b'\r\n", "nur 'a'"},
        {"P", "''", "01B", "'a'", "'a'"},
        {"P", "''''''''''''''''''''''", "00B100B100B100B100B100B100B100B100B100B100B1",
         "'0''1''2''3''4''5''6''7''8''9''10'", "'0''1''2''3''4''5''6''7''8''9'''"},
    };
    for (const auto& c : cases) {
        CAngebotList list;
        const int r = AddRec(list, c[0], 1, 0, 1);
        list.SetText(r, Fld::LongText, c[1]);
        list.SetText(r, Fld::SupplementIndex, c[2]);
        list.SetText(r, Fld::BidderTexts, c[3]);
        EXPECT_EQ(CBidPrintLayout().MergeBidderTexts(list, r), c[4]) << c[1];
    }
}

TEST(BidPrintLayout, LongTextLines) {
    LayoutFixture f;
    const int p = AddPrintPos(f.list, 1, 0, 1, "1");
    std::string words;
    for (int i = 0; i < 40; ++i)
        words += "Wort" + std::to_string(i) + " ";
    const std::string text = words + "Ende\r\n\n" + std::string(200, 'x') + "\nsiehe " +
                             std::string(150, 'u') + " fertig\nA\tB\n\tC\nAAAAAAAAA\tD";
    f.list.SetText(p, Fld::LongText, text);
    f.list.SetText(p, Fld::SupplementIndex, "01B1"); // such texts start one tab left of the text column
    EXPECT_TRUE(f.layout.PrintRecord(f.list, p));

    const int tab = 8 * 36, start = f.Col().text - tab, column = f.Col().gp - start;
    std::vector<Op> lines;
    std::string drawn;
    for (const Op& op : f.Ops())
        if (IsFont(op, 9, false) && op.x < f.Col().gp) {
            EXPECT_LE(RightEnd(op), f.layout.RightEdge()) << op.text;
            lines.push_back(op);
            drawn += op.text;
        }
    EXPECT_EQ(drawn, WithoutBreaks(text));

    // A word wider than the column is cut at the column's edge.
    EXPECT_TRUE(FindText(lines, std::string(static_cast<size_t>(column / 36), 'x')));
    // Tab stops every eight blanks from the start.
    const auto a = FindText(lines, "A"), b = FindText(lines, "B"), c = FindText(lines, "C"),
               d = FindText(lines, "D");
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(b->x, a->x + tab);
    EXPECT_EQ(c->x, start + tab);
    EXPECT_EQ(d->x, start + 2 * tab);
}
