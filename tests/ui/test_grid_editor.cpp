#include "common/number_format.h"
#include "model/calculation.h"
#include "support/record_builder.h"
#include "ui/grid_editor.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"

#include <functional>
#include <gtest/gtest.h>

#include <memory>

namespace {

using Row = IGrid::Row;

// The window's part of the editing, played: the editor shown and hidden, what the user typed.
// Hiding an editor that has the focus makes it lose the focus, as a real one does.
class CFakeHost : public ICellEditorHost {
public:
    void ShowEditor(const SCellEditorSpec& spec) override {
        shown.push_back(spec);
        open = true;
        focused = true;
        modified = false;
    }
    void HideEditor() override {
        ++hides;
        open = false;
        if (focused && editor) {
            focused = false;
            editor->OnEditorFocusLost();
        }
        focused = false;
    }
    bool TakeEntry(std::string& text) override {
        if (!modified) return false;
        modified = false;
        text = typed;
        return true;
    }
    // The whole text is selected when an editor opens: the keys replace it.
    void TypeIntoEditor(const std::string& keys) override { Type(keys); }

    // The user typed: the editor's text is now `text`.
    void Type(const std::string& text) {
        typed = text;
        modified = !shown.back().readOnly;
    }
    // The focus went elsewhere (a click into another pane).
    void LoseFocus() {
        focused = false;
        editor->OnEditorFocusLost();
    }
    const SCellEditorSpec& Last() const { return shown.back(); }

    CGridEditor* editor = nullptr;
    std::vector<SCellEditorSpec> shown;
    std::string typed;
    bool open = false;
    bool focused = false;
    bool modified = false;
    int hides = 0;
};

// LV > Titel > position a (plain), remark, position b (split price), position c (plain);
// an LV sum line. Every entry is counted; questions are answered from `answer`.
struct EditorFixture : ::testing::Test {
    CAngebotList list;
    CMemoryGrid grid;
    CFakeHost host;
    std::unique_ptr<CCellRules> rules;
    std::unique_ptr<CGridEditor> editor;
    int lv = -1, title = -1, a = -1, remark = -1, b = -1, c = -1, sum = -1;
    int committed = 0;
    int questions = 0;
    bool answer = true;
    std::function<void()> duringQuestion;

    void SetUp() override {
        CNumberFormat::SetUserSeparators(",", ".");
        lv = AddRec(list, "L", 1, 0, 1);
        title = AddRec(list, "T", 2, 1, 2);
        a = AddPos(list, 3, 2, 3, 2.0, 10.0);
        remark = AddRec(list, "B", 4, 2, 3);
        b = AddPos(list, 5, 2, 3, 1.0, 7.5, "X");
        list.SetDouble(b, Fld::OtherShare, 5.0);
        list.SetDouble(b, Fld::WageShare, 2.5);
        c = AddPos(list, 6, 2, 3, 3.0, 1.25);
        sum = AddRec(list, "S", 7, 1, 2);
        for (int p : {a, b, c})
            RecalcPosition(list, p);
        list.LinkDisplayChain();
        SetupPositionColumns(grid);
        FillList(grid, list, "", "");
        CalcAll(list);
        RefreshNumbers(grid, list);
        rules = std::make_unique<CCellRules>(grid, list, [this](CellQuestion) {
            ++questions;
            if (duringQuestion) duringQuestion();
            return answer;
        });
        editor = std::make_unique<CGridEditor>(grid, *rules, host);
        editor->onEntryCommitted = [this] { ++committed; };
        host.editor = editor.get();
    }
    Row RowOf(int record) const { return grid.FindItemByRecord(record); }
    void Click(int record, PosCol column) { editor->OnLeftButtonDown(RowOf(record), ColumnNumber(column)); }
    void Select(int record) { grid.SelectRow(RowOf(record)); }
    bool OpenOn(int record, PosCol column) const {
        return host.open && host.Last().row == RowOf(record) && host.Last().column == ColumnNumber(column);
    }
};

} // namespace

TEST_F(EditorFixture, LeavingCommitsAChangedEntryOnce) {
    // A click elsewhere takes the focus: the entry is committed once and the editor closes.
    Click(a, PosCol::UnitPrice);
    host.Type("12,50");
    host.LoseFocus();
    EXPECT_EQ(committed, 1);
    EXPECT_FALSE(editor->IsOpen());
    EXPECT_DOUBLE_EQ(list.GetDouble(a, Fld::UnitPrice), 12.5);
    EXPECT_EQ(grid.GetItemText(RowOf(a), 8), "25,00");
    host.LoseFocus();
    EXPECT_EQ(committed, 1);

    // Scrolling, a header press, a command: committed, then hidden.
    Click(c, PosCol::UnitPrice);
    host.Type("2");
    editor->HideEditors();
    EXPECT_EQ(committed, 2);
    EXPECT_FALSE(host.open);
    EXPECT_DOUBLE_EQ(list.GetDouble(c, Fld::UnitPrice), 2.0);

    // Escape keeps the typed value.
    Click(c, PosCol::SurchargePct);
    host.Type("-5");
    EXPECT_TRUE(editor->OnEditorKey(EditorKey::Escape));
    EXPECT_EQ(committed, 3);
    EXPECT_DOUBLE_EQ(list.GetDouble(c, Fld::SurchargePct), -5.0);
    EXPECT_EQ(grid.GetItemText(RowOf(c), 10), "5,70");

    // A question during the commit takes the focus from the editor: still one entry.
    duringQuestion = [this] { host.LoseFocus(); };
    Click(title, PosCol::VatPct);
    host.Type("7");
    EXPECT_TRUE(editor->OnEditorKey(EditorKey::Escape));
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(committed, 4);
    EXPECT_DOUBLE_EQ(list.GetDouble(c, Fld::VatPct), 7.0);
}

TEST_F(EditorFixture, EnterAndDownGoToTheNextEditableCellOfTheColumn) {
    Click(a, PosCol::UnitPrice);
    host.Type("12,5");
    // The remark and the split price's EP are passed over.
    EXPECT_TRUE(editor->OnEditorKey(EditorKey::Enter));
    EXPECT_EQ(committed, 1);
    EXPECT_TRUE(OpenOn(c, PosCol::UnitPrice));
    EXPECT_EQ(grid.SelectedRow(), RowOf(c));
    EXPECT_FALSE(host.Last().readOnly);
    host.Type("3");
    // No editable EP below: nothing happens, the entry stays in the editor.
    EXPECT_TRUE(editor->OnEditorKey(EditorKey::Down));
    EXPECT_EQ(committed, 1);
    EXPECT_TRUE(OpenOn(c, PosCol::UnitPrice));
    EXPECT_TRUE(host.modified);
    // Up goes back over the same rows.
    EXPECT_TRUE(editor->OnEditorKey(EditorKey::Up));
    EXPECT_EQ(committed, 2);
    EXPECT_DOUBLE_EQ(list.GetDouble(c, Fld::UnitPrice), 3.0);
    EXPECT_TRUE(OpenOn(a, PosCol::UnitPrice));
    // The Sonstiges column: only b has it.
    Click(b, PosCol::OtherShare);
    EXPECT_TRUE(editor->OnEditorKey(EditorKey::Down));
    EXPECT_TRUE(OpenOn(b, PosCol::OtherShare));
    // A collapsed title hides its rows from Enter and Down.
    grid.Expand(RowOf(title), false);
    Click(title, PosCol::SurchargePct);
    EXPECT_TRUE(editor->OnEditorKey(EditorKey::Down));
    EXPECT_TRUE(OpenOn(title, PosCol::SurchargePct));
    EXPECT_TRUE(editor->OnEditorKey(EditorKey::Up));
    EXPECT_TRUE(OpenOn(lv, PosCol::SurchargePct));
    EXPECT_TRUE(editor->OnEditorKey(EditorKey::Up)); // the first row: nothing happens
    EXPECT_TRUE(OpenOn(lv, PosCol::SurchargePct));
}
