#include "app/bid_document.h"
#include "app/hand_in_check.h"
#include "app/messages.h"
#include "common/number_format.h"
#include "common/safe_file.h"
#include "gaeb2000/gaeb_tag_tree.h"
#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/xml_names.h"
#include "model/bid_vat_rate.h"
#include "model/calculation.h"
#include "model/info_blocks.h"
#include "support/record_builder.h"
#include "support/scripted_shell.h"
#include "support/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The lines of a GAEB 90 file without the line numbers.
std::vector<std::string> Records(const fs::path& file) {
    std::vector<std::string> lines;
    SplitInfoLines(testsupport::ReadBytes(file), lines);
    std::vector<std::string> records;
    for (const std::string& line : lines)
        if (!line.empty()) records.push_back(line.substr(0, 74));
    return records;
}

std::string Record99(const fs::path& d84) {
    for (const std::string& r : Records(d84))
        if (r.rfind("99", 0) == 0) return r;
    return std::string();
}

// A priced GAEB 90 bid opened from a copy of the fixture, with the window's hand-in questions.
struct HandIn : ::testing::Test {
    CScriptedShell shell;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    CBidDocument doc{shell, settings};
    CHandInCheck handIn{doc};
    std::vector<std::string> asked;            // the texts of the gap question
    std::vector<HandInAnswer> gapAnswers;      // its answers in turn
    std::vector<const SBidFinding*> shownGaps; // what "Zur ersten Lücke" showed
    fs::path dir = testsupport::TestDir();

    void SetUp() override {
        fs::copy_file(testsupport::FixturePath("d84/lv_bid.D83"), dir / "lv_bid.D83");
        ASSERT_TRUE(doc.OpenFile((dir / "lv_bid.D83").string(), OpenType::Gaeb90));
        doc.beforeHandIn = [this] { return handIn.BeforeSave(); };
        handIn.askGaps = [this](const std::string& text) {
            asked.push_back(text);
            const HandInAnswer a = gapAnswers.empty() ? HandInAnswer::Cancel : gapAnswers.front();
            if (!gapAnswers.empty()) gapAnswers.erase(gapAnswers.begin());
            return a;
        };
        handIn.goToFirstGap = [this](const CBidCheck& check) { shownGaps.push_back(check.FirstRowGap()); };
        settings.SetVat(19);
        // Every position priced.
        CAngebotList& list = doc.List();
        for (int r = 0; r < list.Count(); ++r)
            if (list.GetChar(r, Fld::Kind) == Kind::Position) {
                list.SetDouble(r, Fld::UnitPrice, 10.0 + r);
                RecalcPosition(list, r);
            }
        CalcAll(list);
    }
    bool Save(const std::string& name) {
        return doc.SaveTo((dir / name).string(), OpenType::Gaeb90, nullptr);
    }
};

} // namespace

TEST_F(HandIn, NoVatRateAsksFirstAndCancelSavesNothing) {
    shell.answers = {IShell::Answer::Cancel};
    EXPECT_FALSE(Save("a.D84"));
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0], "Kein Mehrwertsteuersatz gesetzt. 19 % in alle Positionen einsetzen?");
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(fs::exists(dir / "a.D84"));
}

TEST_F(HandIn, YesSetsTheDialogsRateInEveryPosition) {
    settings.SetVat(7);
    shell.answers = {IShell::Answer::Yes};
    gapAnswers = {HandInAnswer::Continue};
    ASSERT_TRUE(Save("b.D84"));
    EXPECT_EQ(shell.messages[0], "Kein Mehrwertsteuersatz gesetzt. 7 % in alle Positionen einsetzen?");
    const BidVatRate vat = FindBidVatRate(doc.List());
    EXPECT_EQ(vat.kind, BidVatKind::Single);
    EXPECT_DOUBLE_EQ(vat.rate, 7.0);
    // The question about gaps came (no bidder), but no longer about VAT.
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].find("Mehrwertsteuersatz"), std::string::npos);
    EXPECT_NE(asked[0].find("Kein Bieter angegeben"), std::string::npos);
    // Record 99: the rate beside net and gross.
    const std::string r99 = Record99(dir / "b.D84");
    ASSERT_FALSE(r99.empty());
    EXPECT_EQ(r99.substr(21, 4), "0700");
    const double net = std::atof(r99.substr(2, 12).c_str()) / 100.0;
    const double gross = std::atof(r99.substr(25, 12).c_str()) / 100.0;
    EXPECT_NEAR(gross, net * 1.07, 0.05);
    EXPECT_GT(net, 0.0);
    // The rates came as one step of the history, which takes them back.
    EXPECT_EQ(doc.UndoName(), CBidDocument::kVatForAllStepName);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(FindBidVatRate(doc.List()).kind, BidVatKind::None);
}

// The P84 and X84 carry the same rule: the rate the positions carry beside their totals.
TEST(HandInTotals, P84AndX84CarryTheBidsRate) {
    const fs::path dir = testsupport::TestDir();
    CScriptedShell shell;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    settings.SetVat(19);
    CBidDocument doc{shell, settings};

    fs::copy_file(testsupport::FixturePath("p83/kita.P83"), dir / "kita.P83");
    ASSERT_TRUE(doc.OpenFile((dir / "kita.P83").string(), OpenType::Gaeb2000));
    ASSERT_TRUE(doc.SaveTo((dir / "none.P84").string(), OpenType::Gaeb2000, nullptr));
    std::string p84 = testsupport::ReadBytes(dir / "none.P84");
    EXPECT_NE(p84.find("[USt]0.00[end]"), std::string::npos);
    const int lv = CInfoBlocks::LvRecordOf(doc.List(), doc.List().FirstInChain());
    SetVatForAll(doc.List(), lv, 7.0);
    ASSERT_TRUE(doc.SaveTo((dir / "seven.P84").string(), OpenType::Gaeb2000, nullptr));
    p84 = testsupport::ReadBytes(dir / "seven.P84");
    EXPECT_NE(p84.find("[USt]7.00[end]"), std::string::npos);
    EXPECT_EQ(p84.find("[USt]0.00[end]"), std::string::npos);
    std::string total;
    CNumberFormat().FormatPlain(doc.List().GetDouble(lv, Fld::TotalPrice), 2, total);
    const size_t info = p84.find("#begin[LVInfo]");
    EXPECT_NE(p84.find("[Summe]" + total + "[end]", info), std::string::npos) << total;

    fs::copy_file(testsupport::FixturePath("gaebxml/lv_small.X83"), dir / "lv_small.X83");
    ASSERT_TRUE(doc.OpenFile((dir / "lv_small.X83").string(), OpenType::GaebXml));
    CAngebotList& list = doc.List();
    for (int r = 0; r < list.Count(); ++r)
        if (list.GetChar(r, Fld::Kind) == Kind::Position) list.SetDouble(r, Fld::UnitPrice, 10.0);
    const auto totals = [&](const std::string& name) {
        EXPECT_TRUE(doc.SaveTo((dir / name).string(), OpenType::GaebXml, nullptr));
        CGaebXmlDocument x84;
        EXPECT_TRUE(x84.Parse(testsupport::ReadBytes(dir / name)).Ok());
        const pugi::xml_node t = PathNamed(x84.Root(), "Award/BoQ/BoQInfo/Totals");
        return ChildText(t, "Total") + " " + ChildText(t, "VAT") + " " + ChildText(t, "VATAmount") + " " +
               ChildText(t, "TotalGross");
    };
    // No position carries a rate: 0 % and a gross equal to the net.
    for (int r = 0; r < list.Count(); ++r)
        if (list.GetChar(r, Fld::Kind) == Kind::Position) RecalcPosition(list, r);
    const std::string none = totals("none.X84");
    const std::string net = none.substr(0, none.find(' '));
    EXPECT_EQ(none, net + " 0.00 0.00 " + net);
    // Several rates: the largest net share's rate, the VAT as the positions give it.
    SetVatForAll(list, CInfoBlocks::LvRecordOf(list, list.FirstInChain()), 19.0);
    int first = -1;
    for (int r = 0; r < list.Count() && first == -1; ++r)
        if (list.GetChar(r, Fld::Kind) == Kind::Position && list.GetDouble(r, Fld::TotalPrice) > 0) first = r;
    list.SetDouble(first, Fld::VatPct, 7.0);
    RecalcPosition(list, first);
    const BidVatRate vat = FindBidVatRate(list);
    ASSERT_EQ(vat.kind, BidVatKind::Mixed);
    const std::string mixed = totals("mixed.X84");
    CalcAll(list);
    const int lv2 = CInfoBlocks::LvRecordOf(list, list.FirstInChain());
    const double g = CNumberFormat::RoundTo(list.GetDouble(lv2, Fld::TotalGross), 2);
    const double n = CNumberFormat::RoundTo(list.GetDouble(lv2, Fld::TotalNet), 2);
    std::string gross, vatAmount, rate;
    CNumberFormat().FormatPlain(vat.rate, 2, rate);
    CNumberFormat().FormatPlain(g, 2, gross);
    CNumberFormat().FormatPlain(CNumberFormat::RoundTo(g - n, 2), 2, vatAmount);
    EXPECT_EQ(mixed, net + " " + rate + " " + vatAmount + " " + gross);
}
