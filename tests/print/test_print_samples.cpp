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

