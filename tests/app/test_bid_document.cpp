#include "app/bid_document.h"
#include "app/bidder_fields.h"
#include "app/messages.h"
#include "app/recent_file_list.h"
#include "common/safe_file.h"
#include "model/calculation.h"
#include "model/project_file.h"
#include "support/record_builder.h"
#include "support/scripted_shell.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

fs::path TempDir() {
    return testsupport::TestDir();
}

// A small priced bid saved as a project file.
std::string MakeProjectFile(const std::string& name) {
    CAngebotList list;
    const int lv = AddRec(list, "L", 1, 0, 1);
    list.SetText(lv, Fld::InfoText, "#INFORMATION ZU PROJEKT: \r\nSchule");
    AddRec(list, "T", 2, 1, 2);
    RecalcPosition(list, AddPos(list, 3, 2, 3, 12.5, 3.1));
    AddRec(list, "S", 4, 2, 3);
    AddRec(list, "S", 5, 1, 2);
    list.LinkDisplayChain();
    const std::string path = (TempDir() / name).string();
    EXPECT_TRUE(SaveProjectFile(list, path));
    return path;
}

struct DocumentFixture : ::testing::Test {
    CScriptedShell shell;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    CBidDocument doc{shell, settings};
};

} // namespace

TEST_F(DocumentFixture, OpensProjectFileAndCalculates) {
    const std::string path = MakeProjectFile("open.ovf");
    ASSERT_TRUE(doc.OpenFile(path, CBidDocument::TypeForPath(path)));
    EXPECT_EQ(doc.List().Count(), 5);
    EXPECT_DOUBLE_EQ(doc.List().GetDouble(2, Fld::TotalPrice), 38.75);
    EXPECT_DOUBLE_EQ(doc.List().GetDouble(0, Fld::TotalPrice), 38.75);
    EXPECT_EQ(shell.title, "Fenwold 2014 Angebotsbearbeitung - open.ovf");
    EXPECT_TRUE(doc.IsOpen());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(DocumentFixture, SaveCommandWritesProjectFileWithBidder) {
    const std::string path = MakeProjectFile("save.ovf");
    ASSERT_TRUE(doc.OpenFile(path, OpenType::Project));
    doc.SetModified(true);
    shell.savePath = (TempDir() / "saved.ovf").string();
    shell.saveBidder = "Bau GmbH";
    ASSERT_TRUE(doc.SaveCommand(2));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(shell.lastFilters, "Angebotsdateien (*.ovf)|*.ovf||");
    EXPECT_EQ(shell.lastProposed, (TempDir() / "save").string());
    EXPECT_EQ(shell.title, "Fenwold 2014 Angebotsbearbeitung - saved.ovf");
    std::string stored;
    EXPECT_TRUE(settings.Bidder(stored));
    EXPECT_EQ(stored, "Bau GmbH");

    CAngebotList back;
    ASSERT_TRUE(LoadRecords(back, shell.savePath));
    ASSERT_EQ(back.Count(), 5);
    EXPECT_NE(back.GetText(0, Fld::InfoText).find("#INFORMATION ZU BIETER/AUFTRAGNEHMER:\r\nBau GmbH"),
              std::string::npos);
    EXPECT_EQ(back.GetDouble(4, Fld::SortNo), 5.0);
}

TEST_F(DocumentFixture, FailedSaveKeepsModifiedAndReports) {
    const std::string path = MakeProjectFile("fail.ovf");
    ASSERT_TRUE(doc.OpenFile(path, OpenType::Project));
    doc.SetModified(true);
    const std::string target = (TempDir() / "no_such_folder" / "x.ovf").string();
    EXPECT_FALSE(doc.SaveTo(target, OpenType::Project, nullptr));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0],
              Msg::Format(Msg::CannotSave, target) + "\r\n\r\nDatei oder Ordner nicht vorhanden");
    EXPECT_EQ(shell.title, "Fenwold 2014 Angebotsbearbeitung - fail.ovf *")
        << "no file that was not written; the bid still modified";
    EXPECT_EQ(doc.Path(), path);
}
