// The printout of real bills of quantities, opened as the application opens them, on the
// recording device. Skipped when the samples are missing.
#include "app/bid_document.h"
#include "common/number_format.h"
#include "common/text_util.h"
#include "model/calculation.h"
#include "model/display_tree.h"
#include "print/print_fixture.h"
#include "print/print_page_loop.h"
#include "support/scripted_shell.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct SamplePrint : ::testing::Test {
    CScriptedShell shell;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    CBidDocument doc{shell, settings};
    CBidPrintLayout layout;

    // Opens the sample; false (and the test is skipped) when it is missing.
    bool Open(const std::string& name) {
        const std::filesystem::path dir = testsupport::SamplesDir("gaeb90");
        if (dir.empty()) return false;
        const std::string path = (dir / name).string();
        EXPECT_TRUE(doc.OpenFile(path, CBidDocument::TypeForPath(path)));
        return true;
    }
    CAngebotList& List() { return doc.List(); }

    // Every page of the bid, recalculated as the Print command does.
    std::vector<std::vector<Op>> Print() {
        CalcAll(List());
        CPrintPageLoop loop(layout);
        loop.Prepare(List());
        CRecordingDevice device(TestCaps());
        for (int page = 1; loop.ContinuePrinting(); ++page) {
            device.StartPage(page);
            EXPECT_TRUE(loop.PrintPage(device, page));
        }
        return device.pages;
    }
    // Sets the unit price of every position (not of the contract texts) and calculates it.
    void PriceAll(double (*price)(int)) {
        for (int i = 0; i < List().Count(); ++i)
            if (List().GetChar(i, Fld::Kind) == Kind::Position &&
                List().GetChar(i, Fld::PosType) != PosType::ContractText) {
                List().SetDouble(i, Fld::UnitPrice, price(i));
                RecalcPosition(List(), i);
            }
    }
};

// The texts right of a label on its line, joined by "|".
std::string RightOf(const std::vector<Op>& ops, const std::string& label) {
    const auto line = FindText(ops, label);
    if (!line) return "<no " + label + ">";
    std::string texts;
    for (const Op& op : ops)
        if (op.type == Op::Text && op.y == line->y && op.x > line->x) texts += "|" + op.text;
    return texts.empty() ? "" : texts.substr(1);
}

double Amount(const std::string& text) {
    CNumberFormat format;
    return format.ParseNumber(text);
}

} // namespace

// A unit price of 10,00 for each of the 62 positions (4757,5 units; two positions have no
// quantity): the bid's total, not the 30,00 of the last area, which ends the file.
TEST_F(SamplePrint, TotalsOfAnLvWithoutClosingSumLine) {
    if (!Open("Sample-2024-06-30_Result.d83"))
        GTEST_SKIP() << "Beispieldateien nicht vorhanden (../shared/samples), Test uebersprungen";
    PriceAll([](int) { return 10.0; });
    const auto pages = Print();
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(RightOf(pages.back(), "Gesamtsumme Netto"), "47.575,00");
    EXPECT_EQ(RightOf(pages.back(), "0% MWSt."), "0,00");
    EXPECT_EQ(RightOf(pages.back(), "Gesamtsumme Brutto"), "47.575,00");
}

// The contract-regulation block comes first; the title is the LV's. Totals and VAT add up to
// the cent and follow the rates of the positions.
TEST_F(SamplePrint, TitleVatAndTotalsOfAnLvAfterTheContractBlock) {
    if (!Open("Flechtingen GS AA.d83"))
        GTEST_SKIP() << "Beispieldateien nicht vorhanden (../shared/samples), Test uebersprungen";
    const auto unpriced = Print();
    ASSERT_GT(unpriced.size(), 50u);
    for (const auto& page : unpriced)
        EXPECT_EQ(TrimRight(RightOf(page, "Angebot \xfc"
                                          "ber:")),
                  "Grundschule Flechtingen - Au\xdf"
                  "enanlagen");
    EXPECT_EQ(RightOf(unpriced.back(), "0% MWSt."), "0,00");

    // Prices with cents and 19 % VAT on every position: many sums of rounded amounts.
    PriceAll([](int i) { return 1.01 + (i % 97) * 3.37; });
    int lv = -1;
    for (int i = 0; i < List().Count() && lv == -1; ++i)
        if (List().GetChar(i, Fld::Kind) == Kind::Lv &&
            List().GetChar(i, Fld::PosType) != PosType::ContractText)
            lv = i;
    ASSERT_NE(lv, -1);
    SetVatForAll(List(), lv, 19.0);
    auto pages = Print();
    const std::string net = RightOf(pages.back(), "Gesamtsumme Netto"),
                      vat = RightOf(pages.back(), "19% MWSt."),
                      gross = RightOf(pages.back(), "Gesamtsumme Brutto");
    EXPECT_NEAR(Amount(net) + Amount(vat), Amount(gross), 0.001) << net << " + " << vat << " = " << gross;
    EXPECT_DOUBLE_EQ(Amount(net), CNumberFormat::RoundTo(List().GetDouble(lv, Fld::TotalNet), 2));
    EXPECT_DOUBLE_EQ(Amount(gross), CNumberFormat::RoundTo(List().GetDouble(lv, Fld::TotalGross), 2));

    // Every printed amount of the GP eff. column is the one the grid shows, rounded to cents;
    // no long-text line runs into the "% Zu/Ab" column; no position number into the short text.
    const CBidPrintLayout::Columns columns = layout.ColumnPositions();
    std::vector<std::string> printed, shown;
    for (const auto& page : pages)
        for (const Op& op : page) {
            if (IsFont(op, 9, false) && op.x < columns.gp) {
                EXPECT_LE(VisibleRightEnd(op), columns.gp) << op.text;
            }
            if (IsFont(op, 9, true) && op.x == 100) {
                EXPECT_LT(VisibleRightEnd(op), columns.text) << op.text;
            }
            if (IsFont(op, 9, true) && RightEnd(op) == columns.gpEff && !op.text.empty())
                printed.push_back(op.text);
        }
    const CDisplayTree tree(List());
    for (int r : tree.Order()) {
        const char kind = List().GetChar(r, Fld::Kind), posType = List().GetChar(r, Fld::PosType);
        const bool group = std::string("XOLTSK").find(kind) != std::string::npos;
        if (!group &&
            (kind != Kind::Position || posType == PosType::Alternative || posType == PosType::Eventual))
            continue;
        std::string text;
        CNumberFormat().FormatNumber(CNumberFormat::RoundTo(List().GetDouble(r, Fld::TotalNet), 2), 2, text);
        shown.push_back(text);
    }
    EXPECT_EQ(printed, shown);

    // One position at 7 %: several rates, the line without a percentage.
    for (int i = 0; i < List().Count(); ++i)
        if (List().GetChar(i, Fld::Kind) == Kind::Position && List().GetDouble(i, Fld::TotalNet) > 0) {
            List().SetDouble(i, Fld::VatPct, 7.0);
            RecalcPosition(List(), i);
            break;
        }
    pages = Print();
    EXPECT_FALSE(FindText(pages.back(), "19% MWSt."));
    EXPECT_NE(RightOf(pages.back(), "MWSt."), "<no MWSt.>");
}
