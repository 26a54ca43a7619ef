// The history of the user's changes in the document: undo and redo of entries, the modified
// flag against the saved state, and what the history costs.

#include "app/bid_document.h"
#include "app/bidder_fields.h"
#include "app/record_dump.h"
#include "common/text_util.h"
#include "model/angebot.h"
#include "model/calculation.h"
#include "model/project_file.h"
#include "support/record_builder.h"
#include "support/scripted_shell.h"
#include "support/test_support.h"
#include "ui/cell_rules.h"
#include "ui/grid_editor.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"
#include "ui/typed_entry.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct History : ::testing::Test {
    CScriptedShell shell;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    CBidDocument doc{shell, settings};
    CMemoryGrid grid;
    std::unique_ptr<CCellRules> rules;
    bool answerYes = true; // to the questions 61220 and 61221

    void SetUp() override { SetupPositionColumns(grid); }

    // Opens the file and shows it in the grid, as the window does.
    void Open(const std::string& path) {
        ASSERT_TRUE(doc.OpenFile(path, CBidDocument::TypeForPath(path)));
        FillList(grid, doc.List(), doc.ShareTitle1(), doc.ShareTitle2());
        rules = std::make_unique<CCellRules>(grid, doc.List(), [this](CellQuestion) { return answerYes; });
    }
    void OpenBasic() { Open(testsupport::FixturePath("gaeb90/lv_basic.D83").string()); }

    // One entry typed into the grid, recorded as the window records it.
    void Enter(const std::string& oz, const std::string& column, const std::string& keys) {
        const IGrid::Row row = FindRowByOZ(grid, oz);
        ASSERT_NE(row, IGrid::kNoRow) << oz;
        const std::string name = CGridEditor::EntryName(grid, row, EntryColumnOfName(column));
        std::string reason;
        doc.RecordStep(name,
                       [&] { EXPECT_TRUE(EnterTypedValue(*rules, oz, column, keys, reason)) << reason; });
    }

    // The project file's bytes: every field of every record.
    std::string Bytes() const {
        std::string out;
        SaveRecords(doc.List(), out);
        return out;
    }
};

// Each kind of entry, undone and redone: every field byte for byte, the dump alike.
TEST_F(History, EachKindOfEntryIsUndoneAndRedoneByteForByte) {
    struct Case {
        const char* oz;
        const char* column;
        const char* keys;
        const char* name;
    };
    const Case cases[] = {
        {"01.02.0010", "EP", "12,5", "EP 01.02.0010"},         // basis of a surcharge position
        {"01.02.0050", "Menge", "7,25", "Menge 01.02.0050"},   // the bidder's quantity
        {"01.02.0080", "Sonstiges", "3", "Stoffe 01.02.0080"}, // a share (named by the LV) sets the EP too
        {"01.02.0080", "Lohn", "4,5", "Lohn 01.02.0080"},
        {"01.02.0030", "EP", "99", "EP 01.02.0030"},                  // alternative: totals kept
        {"01.02.0020", "Zuschlag", "-3", "% Zu/Abschlag 01.02.0020"}, // one position
        {"01", "Zuschlag", "5", "% Zu/Abschlag 01"},                  // handed down to a title's rows
        {"02.01.0020", "MWSt", "7", "% MWSt. 02.01.0020"},
        {"02", "MWSt", "16", "% MWSt. 02"},
    };
    OpenBasic();
    for (const Case& c : cases) {
        const std::string before = Bytes(), dumpBefore = DumpRecords(doc.List());
        Enter(c.oz, c.column, c.keys);
        const std::string after = Bytes(), dumpAfter = DumpRecords(doc.List());
        ASSERT_NE(after, before) << c.name;
        EXPECT_EQ(doc.UndoName(), c.name);
        ASSERT_TRUE(doc.Undo()) << c.name;
        EXPECT_TRUE(Bytes() == before) << c.name;
        EXPECT_EQ(DumpRecords(doc.List()), dumpBefore) << c.name;
        EXPECT_EQ(doc.RedoName(), c.name);
        ASSERT_TRUE(doc.Redo()) << c.name;
        EXPECT_TRUE(Bytes() == after) << c.name;
        EXPECT_EQ(DumpRecords(doc.List()), dumpAfter) << c.name;
    }
    EXPECT_EQ(doc.History().Count(), std::size(cases));
}

// The modified flag follows the history: back at the saved state it is clear, and the title
// says so; a calculation keeps it set until the next save; an open clears the history.
TEST_F(History, ModifiedFollowsTheSavedState) {
    OpenBasic();
    EXPECT_FALSE(doc.IsModified());
    Enter("01.02.0020", "EP", "5");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(shell.title.substr(shell.title.size() - 2), " *");
    ASSERT_TRUE(doc.Undo());
    EXPECT_FALSE(doc.IsModified()) << "back at the state of the open";
    EXPECT_EQ(shell.title.back(), '3');
    ASSERT_TRUE(doc.Redo());

    const std::string saved = (testsupport::TestDir() / "bid.ovf").string();
    ASSERT_TRUE(doc.SaveTo(saved, OpenType::Project, nullptr));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(shell.title.substr(shell.title.size() - 7), "bid.ovf");
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.IsModified()) << "undo after the save";
    ASSERT_TRUE(doc.Redo());
    EXPECT_FALSE(doc.IsModified());

    // "Projekt berechnen" is no step, but the bid stays modified whatever the history does.
    doc.Calculate();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.CanUndo());
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Redo());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.SaveTo(saved, OpenType::Project, nullptr));
    EXPECT_FALSE(doc.IsModified());

    // A new entry after an undo drops the undone steps; the saved state cannot come back.
    ASSERT_TRUE(doc.Undo());
    Enter("02.01.0020", "EP", "3");
    EXPECT_FALSE(doc.CanRedo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.IsModified());

    OpenBasic();
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
