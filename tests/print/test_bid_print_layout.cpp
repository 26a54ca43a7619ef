#include "print/bid_print_layout.h"
#include "print/print_fixture.h"

#include <gtest/gtest.h>

namespace {

// A layout with the header drawn on a recording device; Ops() are the ops drawn after it.
struct LayoutFixture {
    CAngebotList list;
    CBidPrintLayout layout;
    CRecordingDevice device{TestCaps()};
    size_t headerOps = 0;

    LayoutFixture() {
        layout.BeginPage(device);
        layout.PrintHeader("Rohbau");
        headerOps = device.ops.size();
    }
    std::vector<Op> Ops() const {
        return {device.ops.begin() + static_cast<long>(headerOps), device.ops.end()};
    }
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

TEST(BidPrintLayout, PositionColumns) {
    struct Case {
        const char *name, *unit, *posType, *flags;
        bool prices;
        const char *line, *wage, *other, *ep, *gp, *percent, *gpEff;
    };
    const Case cases[] = {
        {"priced", "m", "N", "X", true, "2,000 m", "200,00", "100,00", "300,00", "600,00", "-5,00", "570,00"},
        {"prices off", "m", "N", "X", false, "2,000 m", "__________", "__________", "", "", "", ""},
        {"lump sum", "psch", "N", "", true, "2,000 psch", "<none>", "<none>", "nur GP", "600,00", "-5,00",
         "570,00"},
        {"lump sum, prices off", "PSCH", "N", "", false, "2,000 PSCH", "<none>", "<none>", "nur GP", "", "",
         ""},
        {"alternative", "m", "A", "", true, "2,000 m", "<none>", "<none>", "300,00", "nur EP", "", ""},
        {"eventual, prices off", "m", "E", "", false, "2,000 m", "<none>", "<none>", "", "nur EP", "", ""},
        {"surcharge", "%", "N", " Z", true, "2,000 % Zuschlag auf 300,00", "<none>", "<none>", "", "600,00",
         "-5,00", "570,00"},
    };
    for (const Case& c : cases) {
        LayoutFixture f;
        f.layout.SetPrintPrices(c.prices);
        const int p = AddPrintPos(f.list, 1, 0, 1, "01.0010", 2, 300, c.unit);
        f.list.SetText(p, Fld::PosType, c.posType);
        f.list.SetText(p, Fld::Flags, c.flags);
        f.list.SetDouble(p, Fld::WageShare, 200);
        f.list.SetDouble(p, Fld::OtherShare, 100);
        f.list.SetDouble(p, Fld::SurchargePct, -5);
        f.list.SetDouble(p, Fld::TotalNet, 570);
        EXPECT_TRUE(f.layout.PrintRecord(f.list, p)) << c.name;
        const auto line = FindText(f.Ops(), c.line);
        ASSERT_TRUE(line) << c.name;
        EXPECT_TRUE(IsFont(*line, 9, true));
        const std::pair<int, const char*> columns[] = {
            {f.Col().wage, c.wage}, {f.Col().other, c.other},     {f.Col().ep, c.ep},
            {f.Col().gp, c.gp},     {f.Col().percent, c.percent}, {f.Col().gpEff, c.gpEff}};
        for (const auto& [x, expected] : columns)
            EXPECT_EQ(f.EndingAt(x, line->y), expected) << c.name << " at " << x;
    }
}

TEST(BidPrintLayout, GroupLinesAndTotals) {
    for (bool prices : {true, false}) {
        LayoutFixture f;
        f.layout.SetPrintPrices(prices);
        const int title = AddRec(f.list, "T", 1, 0, 1);
        f.list.SetText(title, Fld::Label, " Titel");
        f.list.SetText(title, Fld::OZ, "01");
        f.list.SetText(title, Fld::ShortText, "Erdarbeiten");
        f.list.SetDouble(title, Fld::TotalPrice, 1234.5);
        // 0.3 - 0.1 is 0.19999999999999998 in binary; the VAT amount must still read 0,20.
        f.list.SetDouble(title, Fld::TotalGross, 0.3);
        f.list.SetDouble(title, Fld::TotalNet, 0.1);
        EXPECT_TRUE(f.layout.PrintRecord(f.list, title));
        const auto label = FindText(f.Ops(), "Titel");
        const auto oz = FindText(f.Ops(), "01");
        const auto shortText = FindText(f.Ops(), "Erdarbeiten");
        ASSERT_TRUE(label && oz && shortText);
        EXPECT_TRUE(IsFont(*label, 8, true));
        EXPECT_EQ(oz->x, 100);
        EXPECT_EQ(oz->y, shortText->y);
        EXPECT_EQ(f.EndingAt(f.Col().gp, shortText->y), prices ? "1.234,50" : "__________");
        EXPECT_EQ(f.EndingAt(f.Col().gpEff, shortText->y), prices ? "0,10" : "__________");

        EXPECT_TRUE(f.layout.PrintTotals(f.list, title, 19, true));
        const std::pair<const char*, const char*> lines[] = {
            {"Gesamtsumme Netto", "0,10"}, {"19% MWSt.", "0,20"}, {"Gesamtsumme Brutto", "0,30"}};
        for (const auto& [text, value] : lines) {
            const auto op = FindText(f.Ops(), text);
            ASSERT_TRUE(op) << text;
            EXPECT_EQ(f.EndingAt(f.Col().gpEff, op->y), prices ? value : "_______________") << text;
        }
        const auto place = FindText(f.Ops(), "Ort, Datum");
        ASSERT_TRUE(place);
        EXPECT_EQ(place->y, 6800 * 85 / 100 + 20);
    }
}

TEST(BidPrintLayout, MergeBidderTexts) {
    const char* cases[][5] = {
        // kind, long text, supplement index, bidder texts, merged
        {"P", "Fabrikat: '' Typ: '' Farbe: ''", "01A102B103B1", "'Acme'\r\n",
         "Fabrikat: '' Typ: 'Acme' Farbe: '***Bietertext fehlt***'"},
        {"P", "a 'vom AG' b 'alt' c", "01A102B1", "'x y'\r\n", "a 'vom AG' b 'x y' c"},
        {"T", "'alt'", "01B1", "'neu'\r\n", "'alt'"},
        {"P", "'' ''", "01B102X103B1", "'a'\r\n'b'\r\n", "'a' ''"},
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
    EXPECT_TRUE(f.layout.PrintRecord(f.list, p));

    const int column = f.Col().gp - f.Col().text;
    const int tab = 8 * 36;
    std::vector<Op> lines;
    for (const Op& op : f.Ops())
        if (IsFont(op, 9, false) && op.x < f.Col().gp) lines.push_back(op);
    std::string drawn;
    for (const Op& op : lines) {
        EXPECT_LE(RightEnd(op), f.layout.RightEdge()) << op.text;
        drawn += op.text;
    }
    std::string expected;
    for (char c : text)
        if (c != '\r' && c != '\n' && c != '\t') expected += c;
    EXPECT_EQ(drawn, expected);

    // A line ends when a blank makes it wider than the column: the words up to it fit.
    ASSERT_GT(lines.size(), 12u);
    EXPECT_GT(RightEnd(lines[0]), f.Col().gp);
    EXPECT_LE(static_cast<int>(lines[0].text.find_last_of(' ', lines[0].text.size() - 2) + 1) * 36, column);
    size_t i = 0;
    while (lines[i].text.find("Ende") == std::string::npos)
        ++i;
    EXPECT_EQ(lines[i + 1].text, ""); // the empty line
    // A word wider than the column is cut at the column's edge.
    EXPECT_EQ(lines[i + 2].text, std::string(static_cast<size_t>(column / 36), 'x'));
    EXPECT_GT(lines[i + 2].y, lines[i + 1].y);
    // Tab stops every eight blanks from the text column.
    const auto a = FindText(lines, "A"), b = FindText(lines, "B"), c = FindText(lines, "C"),
               d = FindText(lines, "D");
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(b->x, a->x + tab);
    EXPECT_EQ(b->y, a->y);
    EXPECT_EQ(c->x, f.Col().text + tab);
    EXPECT_EQ(d->x, f.Col().text + 2 * tab);
}

TEST(BidPrintLayout, LongTextStartColumn) {
    // Supplement texts and sub-descriptions start one tab left of the text column.
    const char* cases[][4] = {{"P", "", "", ""},     {"P", "", "01B1", "<"}, {"B", "L", "", "<"},
                              {"B", "B", "", "<"},   {"B", "A", "", ""},     {"L", "", "01B1", ""},
                              {"P", "", "01B1", "S"}};
    for (const auto& c : cases) {
        LayoutFixture f;
        const int r = AddRec(f.list, c[0], 1, 0, 1);
        f.list.SetText(r, Fld::SubKind, c[1]);
        f.list.SetText(r, Fld::SupplementIndex, c[2]);
        const std::string text = c[3][0] == 'S' ? "STLB-Bau 2023" : "Langtext";
        f.list.SetText(r, Fld::LongText, text);
        f.layout.PrintRecord(f.list, r);
        const auto op = FindText(f.Ops(), text);
        ASSERT_TRUE(op) << c[0] << c[1] << c[2];
        EXPECT_EQ(op->x, f.Col().text - (c[3][0] == '<' ? 8 * 36 : 0)) << c[0] << c[1] << c[2];
    }
}

TEST(BidPrintLayout, SurchargeFromAFactorPrintsRounded) {
    LayoutFixture f;
    const int p = AddPrintPos(f.list, 1, 0, 1, "01.0010", 2, 300, "m");
    f.list.SetText(p, Fld::PosType, "N");
    f.list.SetDouble(p, Fld::SurchargePct, 1.15 * 100 - 100); // 14.999999999999986
    EXPECT_TRUE(f.layout.PrintRecord(f.list, p));
    const auto line = FindText(f.Ops(), "2,000 m");
    ASSERT_TRUE(line);
    EXPECT_EQ(f.EndingAt(f.Col().percent, line->y), "15,00");
}
