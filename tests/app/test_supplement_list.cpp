#include "app/supplement_list.h"
#include "model/supplements.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Plays the window: the editor holds a text the test types; every call is logged.
class CFakeHost : public ISupplementListHost {
public:
    void RowsChanged() override { log.push_back("rows"); }
    void SelectRow(int row) override {
        selected = row;
        log.push_back("select " + std::to_string(row));
    }
    void ShowEditor(int row, int column, const std::string& text, bool editable) override {
        shown = true;
        editorRow = row;
        editorColumn = column;
        editorText = text;
        editorEditable = editable;
        typed = false;
        log.push_back("show " + std::to_string(row) + "/" + std::to_string(column));
    }
    void HideEditor() override {
        shown = false;
        log.push_back("hide");
    }
    bool TakeEditorText(std::string& text) override {
        if (!typed) return false;
        text = editorText;
        typed = false;
        return true;
    }

    void Type(const std::string& text) {
        ASSERT_TRUE(shown);
        editorText = text;
        typed = true;
    }

    std::vector<std::string> log;
    int selected = -2;
    bool shown = false;
    int editorRow = -1, editorColumn = -1;
    std::string editorText;
    bool editorEditable = false;
    bool typed = false;
};

struct SupplementListFixture : ::testing::Test {
    SupplementListFixture() {
        // 0: client 01, bidder 02 and 03 (one text given); 1: no flag; 2: bidder 01.
        pos = AddPos(list, 1, 0, 1, 1, 0, "       XX");
        list.SetText(pos, Fld::OZ, "1.1.10");
        list.SetText(pos, Fld::LongText, "Farbe 'RAL 9010' Fabrikat '...' Typ '...'");
        list.SetText(pos, Fld::SupplementIndex, "01A102B103B1");
        list.SetText(pos, Fld::BidderTexts, "'Muster'\r\n");
        plain = AddPos(list, 2, 0, 1, 1, 0, "");
        list.SetText(plain, Fld::SupplementIndex, "01B1");
        other = AddPos(list, 3, 0, 1, 1, 0, "        X");
        list.SetText(other, Fld::SupplementIndex, "01B1");
        list.SetText(other, Fld::BidderTexts, "'alt'\r\n");
        supplements.onStored = [this] { ++stored; };
        supplements.recordStep = [this](const std::string& name, const std::function<void()>& change) {
            steps.push_back(name);
            change();
        };
    }

    std::vector<std::string> RowTexts() const {
        std::vector<std::string> texts;
        for (const auto& row : supplements.Rows())
            texts.push_back(row.number + "=" + row.text);
        return texts;
    }

    CAngebotList list;
    int pos = -1, plain = -1, other = -1;
    CFakeHost host;
    CSupplementList supplements{list, &host};
    int stored = 0;
    std::vector<std::string> steps;
};

using Rows = std::vector<std::string>;

} // namespace

TEST_F(SupplementListFixture, EnterStoresIntoTheRecordAsOneStep) {
    supplements.ShowSupplements(pos);
    supplements.OnCellClicked(1, 1);
    EXPECT_EQ(host.selected, 1);
    ASSERT_TRUE(host.shown);
    EXPECT_TRUE(host.editorEditable);
    EXPECT_EQ(host.editorText, "");
    host.Type("Typ 'F' 3\r\nx");
    EXPECT_TRUE(supplements.OnEditorKey(SupplementKey::Enter));
    EXPECT_FALSE(host.shown);
    // The apostrophes are left out, the line break becomes a blank; the row with a missing
    // text before it is written as well, one line per row.
    EXPECT_EQ(list.GetText(pos, Fld::BidderTexts), "'Muster'\r\n'Typ F 3 x'\r\n");
    EXPECT_EQ(RowTexts(), (Rows{"02=Muster", "03=Typ F 3 x"}));
    EXPECT_EQ(stored, 1);
    EXPECT_EQ(steps, (std::vector<std::string>{"Texterg\xe4nzung 03 1.1.10"}));
    EXPECT_EQ(host.selected, 1);

    // Opened and closed again without typing: nothing is stored.
    supplements.OnCellClicked(0, 1);
    supplements.OnEditorKey(SupplementKey::Enter);
    EXPECT_EQ(stored, 1);
    // The same text typed again is no change either.
    supplements.OnCellClicked(0, 1);
    host.Type("Muster");
    supplements.OnEditorKey(SupplementKey::Enter);
    EXPECT_EQ(stored, 1);
}

TEST_F(SupplementListFixture, EveryOtherWayOfLeavingStores) {
    // Focus loss, a click outside the rows, a click on another row, another record shown,
    // a command: each stores what was typed into the record it was typed for.
    struct Leave {
        const char* name;
        std::function<void(CSupplementList&)> leave;
    };
    const std::vector<Leave> ways = {
        {"focus lost", [](CSupplementList& s) { s.OnEditorFocusLost(); }},
        {"click below the rows", [](CSupplementList& s) { s.OnCellClicked(-1, 0); }},
        {"click on another row", [](CSupplementList& s) { s.OnCellClicked(1, 1); }},
        {"other row selected", [](CSupplementList& s) { s.SetCurrentRow(1); }},
        {"other record", [this](CSupplementList& s) { s.ShowSupplements(other); }},
        {"command", [](CSupplementList& s) { s.CommitPending(); }},
    };
    for (const Leave& way : ways) {
        list.SetText(pos, Fld::BidderTexts, "'Muster'\r\n");
        supplements.ShowSupplements(pos);
        supplements.OnCellClicked(0, 1);
        host.Type(std::string("neu ") + way.name);
        way.leave(supplements);
        EXPECT_EQ(list.GetText(pos, Fld::BidderTexts), std::string("'neu ") + way.name + "'\r\n''\r\n")
            << way.name;
        EXPECT_EQ(list.GetText(other, Fld::BidderTexts), "'alt'\r\n") << way.name;
    }
    EXPECT_EQ(stored, static_cast<int>(ways.size()));
}
