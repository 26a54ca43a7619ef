#include "qt_test_support.h"

#include "app/messages.h"
#include "app/qt/memo_view.h"
#include "app/qt/tree_list_view.h"
#include "model/calculation.h"
#include "model/project_file.h"
#include "support/record_builder.h"
#include "ui/qt/float_edit.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tlst_tree.h"
#include "ui/qt/tt_edit.h"

#include <QAction>
#include <QHeaderView>
#include <QPaintEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

enum Record { kLv, kTitle, kA, kRemark, kSplit, kC, kTitleSum, kLvSum };

// LV > Titel > a (EP 10,004 stored, shown 10,00), a remark, a split price (5 + 2,5), c; sums.
std::string MakeBid(const QTemporaryDir& dir, const std::string& name) {
    CAngebotList list;
    AddRec(list, "L", 1, 0, 1);
    list.SetText(kLv, Fld::ShortText, "Neubau Kita");
    AddRec(list, "T", 2, 1, 2);
    list.SetText(kTitle, Fld::OZ, "01");
    AddPos(list, 3, 2, 3, 2.0, 10.004);
    list.SetText(kA, Fld::OZ, "01.0010");
    list.SetText(kA, Fld::ShortText, "Mauerwerk aus Kalksandstein");
    AddRec(list, "B", 4, 2, 3);
    AddPos(list, 5, 2, 3, 1.0, 7.5, "X");
    list.SetDouble(kSplit, Fld::OtherShare, 5.0);
    list.SetDouble(kSplit, Fld::WageShare, 2.5);
    AddPos(list, 6, 2, 3, 3.0, 1.25);
    AddRec(list, "S", 7, 2, 3);
    AddRec(list, "S", 8, 1, 2);
    for (int p : {kA, kSplit, kC}) {
        list.SetDouble(p, Fld::VatPct, 19.0);
        RecalcPosition(list, p);
    }
    list.LinkDisplayChain();
    list.BuildAllLabels();
    const std::string path = (dir.path() + QLatin1Char('/')).toStdString() + name;
    EXPECT_TRUE(SaveProjectFile(list, path));
    return path;
}

struct GridEditing : ::testing::Test {
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(dir.isValid());
        frame = std::make_unique<CScriptedFrame>(&store);
        path = MakeBid(dir, "kita.ovf");
        frame->OpenFromOutside(QString::fromStdString(path));
        frame->resize(1000, 600);
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        tree = frame->ListView()->Tree();
        model = frame->ListView()->Model();
        tree->setFocus(Qt::OtherFocusReason);
    }
    void TearDown() override {
        frame->Document().SetModified(false);
        frame.reset();
    }

    QModelIndex Index(int record, int column = 0) const {
        return model->IndexOfRow(model->FindItemByRecord(record), column);
    }
    QPoint CellPoint(int record, int column) const {
        return {tree->header()->sectionViewportPosition(column) + tree->header()->sectionSize(column) / 2,
                tree->visualRect(Index(record)).center().y()};
    }
    void Click(int record, int column) {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, CellPoint(record, column));
    }
    QString Cell(int record, int column) const { return model->data(Index(record, column)).toString(); }
    double Field(int record, Fld field) const { return frame->Document().List().GetDouble(record, field); }
    // The open editor (none: nullptr) and whether it stands over the cell.
    QLineEdit* OpenEditor() const {
        if (tree->NumEditor()->isVisible()) return tree->NumEditor();
        if (tree->TextEditor()->isVisible()) return tree->TextEditor();
        return nullptr;
    }
    bool EditorOver(int record, int column) const {
        const QLineEdit* editor = OpenEditor();
        if (!editor) return false;
        const QRect row = tree->visualRect(Index(record));
        return editor->geometry() == QRect(tree->header()->sectionViewportPosition(column), row.top(),
                                           tree->header()->sectionSize(column), row.height());
    }

    QTemporaryDir dir;
    CMemorySettingsStore store;
    std::unique_ptr<CScriptedFrame> frame;
    std::string path;
    CTLstTree* tree = nullptr;
    CTLstModel* model = nullptr;
};

} // namespace

TEST_F(GridEditing, EveryCommandCommitsThePendingEntryFirst) {
    // Save with a value still in the editor: the saved file has it.
    Click(kC, 7);
    QTest::keyClicks(tree->NumEditor(), QStringLiteral("7,25"));
    frame->savePath = (dir.path() + QStringLiteral("/neu.ovf")).toStdString();
    QTest::keyClick(tree->NumEditor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(OpenEditor(), nullptr);
    EXPECT_FALSE(frame->Document().IsModified());
    CAngebotList saved;
    ASSERT_TRUE(LoadRecords(saved, frame->savePath));
    EXPECT_DOUBLE_EQ(saved.GetDouble(kC, Fld::UnitPrice), 7.25);
    EXPECT_NEAR(saved.GetDouble(kLv, Fld::TotalPrice), 20.01 + 7.5 + 21.75, 1e-9);

    // Opening another file with a value in the editor: it belongs to this bid, which asks to be
    // saved; it never lands in the file opened next, and the history goes with the bid.
    Click(kA, 7);
    QTest::keyClicks(tree->NumEditor(), QStringLiteral("55"));
    frame->answers = {IShell::Answer::No};
    frame->OpenFromOutside(QString::fromStdString(path));
    ASSERT_EQ(frame->messages.size(), 1u);
    EXPECT_EQ(frame->messages[0], Msg::Format(Msg::AskSaveChanges, frame->savePath));
    EXPECT_DOUBLE_EQ(Field(kA, Fld::UnitPrice), 10.004);
    EXPECT_EQ(OpenEditor(), nullptr);
    EXPECT_FALSE(frame->Action(Command::Undo)->isEnabled());

    // Every other command of the menu, and closing the window.
    int price = 1;
    for (const Command command : {Command::Calculate, Command::LvInfo, Command::Preview, Command::Print,
                                  Command::Help, Command::About}) {
        if (frame->IsHelpShown()) frame->OnHelp();
        if (frame->IsPreviewShown()) frame->ClosePreview();
        Click(kA, 7);
        QTest::keyClicks(tree->NumEditor(), QString::number(++price));
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
        });
        frame->Action(command)->trigger();
        EXPECT_DOUBLE_EQ(Field(kA, Fld::UnitPrice), price) << static_cast<int>(command);
    }
    if (frame->IsHelpShown()) frame->OnHelp();
    Click(kC, 7);
    QTest::keyClicks(tree->NumEditor(), QStringLiteral("8"));
    frame->answers = {IShell::Answer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_DOUBLE_EQ(Field(kC, Fld::UnitPrice), 8.0);
}

namespace {

// The region of the paint events a widget receives.
class CPaintRecorder : public QObject {
public:
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace
