#include "app/print_settings_fields.h"
#include "print/bid_print_layout.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct PrintFieldsFixture : ::testing::Test {
    CAngebotList list;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    int lv = -1, pos = -1;

    void SetUp() override {
        // A contract-regulation block in front of the LV, then the LV with one position.
        AddRec(list, "L", 1, 0, 1, "C");
        lv = AddRec(list, "L", 2, 0, 1);
        pos = AddPos(list, 3, 2, 2, 1, 100);
        list.LinkDisplayChain();
    }
    void SetInfo(const std::string& text) { list.SetText(lv, Fld::InfoText, text); }
    std::string Block(const char* key) {
        CInfoBlocks blocks(list);
        blocks.LoadFromSelection(pos);
        std::string value;
        blocks.GetBlock(key, value);
        return value;
    }
};

} // namespace

TEST_F(PrintFieldsFixture, OpeningShowsTheBlocksOnOneLineAndBothOptionsOn) {
    SetInfo(std::string(InfoKey::Bidder) + "\r\nBau GmbH\r\nHauptstr. 1\r\n" + InfoKey::Currency +
            "\r\nABCD  1\r\n");
    settings.SetBidder("aus den Einstellungen");
    CPrintSettingsFields f(list, settings);
    f.SetPrintPrices(false);
    f.SetPrintLongTexts(false);
    f.Open(pos, "24.06.2025");
    EXPECT_EQ(f.Bidder(), "Bau GmbH Hauptstr. 1"); // two lines as one
    EXPECT_EQ(f.Currency(), "ABCD");               // four letters, two blanks and a digit
    EXPECT_EQ(f.DateText(), "24.06.2025");
    EXPECT_TRUE(f.PrintPrices()); // every opening starts with both on
    EXPECT_TRUE(f.PrintLongTexts());
    EXPECT_FALSE(f.RecordsChanged());
    std::string value;
    ASSERT_TRUE(settings.Bidder(value));
    EXPECT_EQ(value, "Bau GmbH Hauptstr. 1"); // written back at once, as every change

    // After OK the one line is the block's first value line.
    CBidPrintLayout layout;
    ASSERT_TRUE(f.StoreSettings(layout));
    EXPECT_EQ(Block(InfoKey::Bidder).substr(0, 20), "Bau GmbH Hauptstr. 1");
    EXPECT_EQ(layout.BidderText(), "Bau GmbH Hauptstr. 1");
    EXPECT_EQ(layout.Currency(), "ABCD");

    // Without blocks: the settings, else nothing and "EUR".
    CAngebotList bare;
    AddRec(bare, "L", 1, 0, 1);
    CMemorySettingsStore emptyStore;
    CAppSettings empty(emptyStore);
    CPrintSettingsFields g(bare, empty);
    g.Open(0, "01.01.2025");
    EXPECT_EQ(g.Bidder(), "");
    EXPECT_EQ(g.Currency(), "EUR");
}

TEST_F(PrintFieldsFixture, TypedBidderStaysAfterCancelButNotInTheLayout) {
    CBidPrintLayout layout;
    layout.SetBidderText("Vorher GmbH");
    layout.SetPrintPrices(false);
    {
        CPrintSettingsFields f(list, settings);
        f.Open(pos, "24.06.2025");
        f.SetBidder("Neu GmbH");
        f.SetCurrency("CHF");
        f.SetPrintPrices(true);
        EXPECT_TRUE(f.RecordsChanged());
    } // cancelled: no StoreSettings
    std::string value;
    ASSERT_TRUE(settings.Bidder(value));
    EXPECT_EQ(value, "Neu GmbH");
    ASSERT_TRUE(settings.Currency(value));
    EXPECT_EQ(value, "CHF");
    CInfoBlocks top(list);
    top.ParseLines(list.GetText(lv, Fld::InfoText));
    ASSERT_TRUE(top.GetBlock(InfoKey::Bidder, value)); // the LV is a top-level record
    EXPECT_EQ(value, "Neu GmbH");
    EXPECT_EQ(layout.BidderText(), "Vorher GmbH"); // the printed footer keeps the previous bidder
    EXPECT_FALSE(layout.PrintPrices());

    // Typing back what was shown is no change of the bid.
    CPrintSettingsFields g(list, settings);
    g.Open(pos, "24.06.2025");
    g.SetBidder("Anders");
    g.SetBidder("Neu GmbH");
    EXPECT_FALSE(g.RecordsChanged());
}

TEST_F(PrintFieldsFixture, DateIsCheckedAtOk) {
    struct Case {
        const char* typed;
        bool valid;
        const char* field; // the field's text after the check
        const char* footer;
    };
    const Case cases[] = {
        {"31.04.2013", false, "31.04.2013", nullptr},     {"29.02.00  ", true, "29.02.2000", "29.02.2000"},
        {"01.01.61  ", true, "01.01.1961", "01.01.1961"}, {"01.01.60  ", true, "01.01.2060", "01.01.2060"},
        {"  .  .    ", true, "  .  .    ", ""},           {"12.05.    ", false, "12.05.    ", nullptr},
    };
    for (const Case& c : cases) {
        CBidPrintLayout layout;
        layout.SetDateText("vorher");
        CPrintSettingsFields f(list, settings);
        f.Open(pos, "24.06.2025");
        f.SetDateText(c.typed);
        f.SetPrintPrices(false);
        EXPECT_EQ(f.StoreSettings(layout), c.valid) << c.typed;
        EXPECT_EQ(f.DateText(), c.field) << c.typed;
        EXPECT_EQ(layout.DateText(), c.footer ? c.footer : "vorher") << c.typed;
        EXPECT_EQ(layout.PrintPrices(), !c.valid) << c.typed; // nothing stored while invalid
    }
    EXPECT_NE(CPrintSettingsFields::InvalidDateMessage("31.04.2013").find("31.04.2013"), std::string::npos);
}

TEST_F(PrintFieldsFixture, EveryRecordChangeRunsThroughOneWrapper) {
    CPrintSettingsFields f(list, settings);
    std::vector<std::string> before, after;
    f.recordChanges = [&](const std::function<void()>& change) {
        before.push_back(list.GetText(lv, Fld::InfoText));
        change();
        after.push_back(list.GetText(lv, Fld::InfoText));
    };
    f.Open(pos, "24.06.2025");
    f.SetBidder("Bau GmbH");
    f.SetBidder("Bau GmbH"); // no change, no call
    f.SetCurrency("CHF");
    f.SetDateText("01.02.2025"); // the date and the options change no record
    f.SetPrintLongTexts(false);
    CBidPrintLayout layout;
    ASSERT_TRUE(f.StoreSettings(layout));
    ASSERT_EQ(before.size(), 4u); // open, bidder, currency, OK
    EXPECT_EQ(before[1].find("Bau GmbH"), std::string::npos);
    EXPECT_NE(after[1].find("Bau GmbH"), std::string::npos);
    EXPECT_NE(after[2].find("CHF"), std::string::npos);
    EXPECT_EQ(after.back(), list.GetText(lv, Fld::InfoText));
}
