#include "qt_test_support.h"

#include "app/qt/check_commands.h"
#include "app/qt/check_dialog.h"
#include "app/qt/memo_view.h"
#include "app/qt/tree_list_view.h"
#include "model/calculation.h"
#include "model/info_blocks.h"
#include "model/project_file.h"
#include "support/record_builder.h"
#include "support/test_support.h"
#include "ui/position_list.h"
#include "ui/qt/float_edit.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tlst_tree.h"
#include <QStatusBar>

#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

enum Record { kLv, kTitle, kA, kB, kC, kD, kE, kF, kTitleSum, kLvSum };

// LV > Titel > a (priced), b (no price), c (split price, no shares), d (priced), e (priced, an
// empty supplement of the bidder), f (an alternative without price); the sums. Bidder,
// currency and 19 % VAT are set, so that only the rows lack something.
std::string MakeBid(const std::string& name) {
    CAngebotList list;
    AddRec(list, "L", 1, 0, 1);
    list.SetText(kLv, Fld::ShortText, "Neubau Kita");
    AddRec(list, "T", 2, 1, 2);
    const struct {
        const char* oz;
        const char* text;
        double ep;
        const char* flags;
        const char* posType;
    } rows[] = {
        {"01.0010", "Mauerwerk", 10.0, "", "N"},         {"01.0020", "Beton", 0.0, "", "N"},
        {"01.0030", "Schalung", 0.0, "X", "N"},          {"01.0040", "Estrich", 20.0, "", "N"},
        {"01.0050", "Fenster", 300.0, "        X", "N"}, {"01.0060", "Putz alternativ", 0.0, "", "A"}};
    double id = 3;
    for (const auto& row : rows) {
        const int r = AddPos(list, id++, 2, 3, 2.0, row.ep, row.flags, row.posType);
        list.SetText(r, Fld::OZ, row.oz);
        list.SetText(r, Fld::ShortText, row.text);
    }
    list.SetText(kE, Fld::SupplementIndex, "01B1");
    AddRec(list, "S", id++, 2, 3);
    AddRec(list, "S", id, 1, 2);
    list.SetText(kLv, Fld::InfoText,
                 std::string(InfoKey::Bidder) + "\r\nBau GmbH\r\n" + InfoKey::Currency + "\r\nEUR");
    list.LinkDisplayChain();
    list.BuildAllLabels();
    SetVatForAll(list, kLv, 19.0);
    const std::string path = (testsupport::TestDir() / name).string();
    EXPECT_TRUE(SaveProjectFile(list, path));
    return path;
}

struct CheckWindow : ::testing::Test {
    void SetUp() override {
        TestApp();
        frame = std::make_unique<CScriptedFrame>(&store);
        frame->resize(1100, 650);
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        tree = frame->ListView()->Tree();
        model = frame->ListView()->Model();
    }
    void TearDown() override {
        frame->Document().SetModified(false);
        frame.reset();
    }
    void Open(const std::string& path) {
        frame->OpenFromOutside(QString::fromStdString(path));
        ASSERT_TRUE(frame->messages.empty());
        tree->setFocus(Qt::OtherFocusReason);
    }
    int SelectedRecord() const { return frame->ListView()->SelectedRecord(); }
    // The column of the open cell editor over the selected row, -1 for none.
    int EditorColumn() const {
        return tree->NumEditor()->isVisible() && tree->Editor()->EditRow() == model->SelectedRow()
                   ? tree->Editor()->EditColumn()
                   : -1;
    }
    CCheckCommands& Check() { return frame->CheckCommands(); }

    CMemorySettingsStore store;
    std::unique_ptr<CScriptedFrame> frame;
    CTLstTree* tree = nullptr;
    CTLstModel* model = nullptr;
};

} // namespace

TEST_F(CheckWindow, CheckDialogListsGapsAndHintsApartAndShowsTheChosenOne) {
    Open(MakeBid("kita.ovf"));
    CBidCheck check;
    check.Run(frame->Document().List());
    {
        CCheckDialog dialog(check, frame.get());
        QTreeWidget* list = dialog.List();
        ASSERT_EQ(list->topLevelItemCount(), 2);
        EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Offene Eingaben (3)"));
        EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Hinweise (1)"));
        QTreeWidgetItem* c = dialog.ItemOf(false, 1);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->text(0), QStringLiteral("01.0030"));
        EXPECT_EQ(c->text(2), QStringLiteral("Einheitspreis fehlt"));
        // A group chooses nothing; a single click selects, a double click closes with the finding.
        dialog.Choose(list->topLevelItem(0));
        EXPECT_FALSE(dialog.Chosen().has_value());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        const QPoint at = list->visualItemRect(c).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_FALSE(dialog.Chosen().has_value());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(dialog.Chosen().has_value());
        EXPECT_EQ(dialog.Chosen()->record, static_cast<int>(kC));
        EXPECT_FALSE(dialog.isVisible());
    }
    // Through the command: the row of the chosen finding selected, the editor on its cell.
    Check().runCheckDialog = [](const CBidCheck& found) {
        return std::optional<SBidFinding>(found.Gaps()[1]);
    };
    frame->Action(Command::CheckBid)->trigger();
    EXPECT_EQ(SelectedRecord(), kC);
    EXPECT_EQ(EditorColumn(), ColumnNumber(PosCol::OtherShare));

    // F3 names what the next open row lacks; the entry that fills it takes the hint away.
    IGrid& grid = frame->ListView()->Grid();
    grid.SelectRow(grid.FindItemByRecord(kA));
    frame->Action(Command::NextOpenEntry)->trigger();
    EXPECT_EQ(SelectedRecord(), kB);
    const QString hint = frame->statusBar()->currentMessage();
    EXPECT_TRUE(hint.contains(QStringLiteral("Einheitspreis fehlt"))) << hint.toStdString();
    ASSERT_TRUE(tree->NumEditor()->isVisible());
    QTest::keyClicks(tree->NumEditor(), "5");
    QTest::keyClick(tree->NumEditor(), Qt::Key_Return);
    EXPECT_EQ(frame->statusBar()->currentMessage(), QString());
}
