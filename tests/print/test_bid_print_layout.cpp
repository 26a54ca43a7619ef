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

TEST(BidPrintLayout, TotalsAreRoundedToCentsAndAddUp) {
    const BidVatRate none, single{BidVatKind::Single, 19.0, {}}, reduced{BidVatKind::Single, 7.5, {}},
        mixed{BidVatKind::Mixed, 19.0, {}};
    const struct {
        double net, gross;
        BidVatRate vat;
        bool prices;
        const char *label, *values; // Netto | MWSt. | Brutto
    } cases[] = {
        // Sums of rounded totals lie just below the cent they stand for.
        {7470.0 + 512.06, 8889.3 + 609.35, single, true, "19% MWSt.", "7.982,06|1.516,59|9.498,65"},
        {6913.999999999999, 8227.66, single, true, "19% MWSt.", "6.914,00|1.313,66|8.227,66"},
        {0.1, 0.1 + 0.2, single, true, "19% MWSt.", "0,10|0,20|0,30"},
        {7470.0 + 512.06, 7470.0 + 512.06, none, true, "0% MWSt.", "7.982,06|0,00|7.982,06"},
        {100.0, 107.5, reduced, true, "7,5% MWSt.", "100,00|7,50|107,50"},
        {100.0, 115.0, mixed, true, "MWSt.", "100,00|15,00|115,00"},
        {100.0, 119.0, single, false, "19% MWSt.", "_______________|_______________|_______________"},
    };
    for (const auto& c : cases) {
        LayoutFixture f(c.prices);
        BidPrintSummary summary;
        summary.net = c.net;
        summary.gross = c.gross;
        summary.vat = c.vat;
        EXPECT_TRUE(f.layout.PrintTotals(summary, true));
        std::string values;
        for (const char* text : {"Gesamtsumme Netto", c.label, "Gesamtsumme Brutto"}) {
            const auto label = FindText(f.Ops(), text);
            ASSERT_TRUE(label) << text;
            values += "|" + f.EndingAt(f.Col().gpEff, label->y);
        }
        EXPECT_EQ(values.substr(1), c.values) << c.label;
    }
}

TEST(BidPrintLayout, MergeBidderTexts) {
    const char* cases[][5] = {
        // kind, long text, supplement index, bidder texts, merged
        {"P", "Fabrikat: '' Typ: '' Farbe: ''", "01A102B103B1", "'Acme'\r\n",
         "Fabrikat: '' Typ: 'Acme' Farbe: '***Bietertext fehlt***'"},
        {"P", "a 'vom AG' b 'alt' c", "01A102B1", "'x y'\r\n", "a 'vom AG' b 'x y' c"},
        {"T", "'alt'", "01B1", "'neu'\r\n", "'alt'"},
        // An entry of an unknown owner is not the bidder's: the next bidder entry takes the next
        // text, as the memo pane lists it.
        {"P", "'' '' ''", "01B102X103B1", "'a'\r\n'b'\r\n", "'a' '' 'b'"},
        {"P", "nur ''", "01B102B1", "'a'\r\n'b'\r\n", "nur 'a'"},
        {"P", "''", "01B", "'a'", "''"}, // an incomplete entry is ignored, as in the memo pane
        // More than ten places; BidderTexts is split by lines, not by apostrophes.
        {"P", "''''''''''''''''''''''", "00B100B100B100B100B100B100B100B100B100B100B1",
         "'0'\r\n'1'\r\n'2'\r\n'3'\r\n'4'\r\n'5'\r\n'6'\r\n'7'\r\n'8'\r\n'9'\r\n'10'\r\n",
         "'0''1''2''3''4''5''6''7''8''9''10'"},
        {"P", "a '' b ''", "01B102B1", "'O'Neill'\r\n'x'\r\n", "a 'O'Neill' b 'x'"},
        // An apostrophe of the wording shifts no place.
        {"P", "Schallschutz R'w 32 dB, Fabrikat '...', Typ '...'", "01B102B1", "'Muster'\r\n'F 3'\r\n",
         "Schallschutz R'w 32 dB, Fabrikat 'Muster', Typ 'F 3'"},
        // A text of several lines (as a D84 holds it) stays one text.
        {"P", "Fabrikat: '....' Farbe: '....'", "01B102B1", "'Muster AG\r\nTyp 5'\r\n'RAL 9016'\r\n",
         "Fabrikat: 'Muster AG\r\nTyp 5' Farbe: 'RAL 9016'"},
        // Doubled apostrophes around a place (RTF bookmarks in the file's own apostrophes).
        {"P", "Hersteller ''...''\r\nZelltyp ''mono''\r\nModultyp ''...''", "01B102A103B1", "'A'\r\n'C'\r\n",
         "Hersteller ''A''\r\nZelltyp ''mono''\r\nModultyp ''C''"},
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
