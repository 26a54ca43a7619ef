#include "qt_test_support.h"

#include "app/messages.h"
#include "app/qt/help_view.h"
#include "app/qt/memo_view.h"
#include "app/qt/tree_list_view.h"
#include "app/window_placement.h"
#include "model/calculation.h"
#include "model/project_file.h"
#include "support/record_builder.h"
#include "ui/column_widths.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tlst_tree.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const QString kTitle = QStringLiteral("Fenwold 2014 Angebotsbearbeitung");

// A small priced bid as a project file: LV > Titel > two positions, sums.
std::string MakeBid(const QTemporaryDir& dir, const std::string& name) {
    CAngebotList list;
    const int lv = AddRec(list, "L", 1, 0, 1);
    list.SetText(lv, Fld::Label, "Leistungsverzeichnis");
    list.SetText(lv, Fld::ShortText, "Neubau Kita");
    list.SetText(lv, Fld::LongText, "Neubau einer Kindertagesst\xe4tte\r\nBauabschnitt 1");
    const int title = AddRec(list, "T", 2, 1, 2);
    list.SetText(title, Fld::Label, "  Titel");
    const int pos = AddPos(list, 3, 2, 3, 1234.5, 2.0);
    list.SetText(pos, Fld::Label, "   Pos.");
    list.SetText(pos, Fld::ShortText, "Mauerwerk");
    list.SetText(pos, Fld::LongText, "Kalksandstein-Mauerwerk, 17,5 cm");
    RecalcPosition(list, pos);
    RecalcPosition(list, AddPos(list, 4, 2, 3, 1.0, 100.0));
    AddRec(list, "S", 5, 2, 3);
    AddRec(list, "S", 6, 1, 2);
    list.LinkDisplayChain();
    const std::string path = (dir.path() + QLatin1Char('/')).toStdString() + name;
    EXPECT_TRUE(SaveProjectFile(list, path));
    return path;
}

QString Cell(const CMainFrame& frame, int record, int column) {
    const CTLstModel* model = frame.ListView()->Model();
    return model->data(model->IndexOfRow(model->FindItemByRecord(record), column)).toString();
}

struct FrameFixture : ::testing::Test {
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(dir.isValid());
    }
    QTemporaryDir dir;
    CMemorySettingsStore store;
};

} // namespace

TEST_F(FrameFixture, OpenShowsTheWholeBillWithTheLongText) {
    CScriptedFrame frame(&store);
    const std::string path = MakeBid(dir, "kita.ovf");
    frame.openPath = path;
    frame.Action(Command::Open)->trigger();
    EXPECT_EQ(frame.lastFilters, CBidDocument::OpenFilters());
    EXPECT_EQ(frame.windowTitle(), kTitle + QStringLiteral(" - kita.ovf"));
    EXPECT_TRUE(frame.messages.empty());

    const CTLstModel* model = frame.ListView()->Model();
    const CTLstTree* tree = frame.ListView()->Tree();
    EXPECT_EQ(model->RowCount(), 6);
    // Every row expanded, the first row selected, its long text below.
    for (IGrid::Row r = 0; r < model->RowCount(); ++r)
        EXPECT_EQ(tree->isExpanded(model->IndexOfRow(r)), model->FirstChild(r) != IGrid::kNoRow) << r;
    EXPECT_EQ(tree->currentIndex().siblingAtColumn(0), model->IndexOfRow(model->FirstRow()));
    EXPECT_EQ(frame.MemoView()->LongText(),
              QString::fromUtf8("Neubau einer Kindertagesstätte\nBauabschnitt 1"));
    // Selecting another row shows its long text.
    frame.ListView()->Tree()->setCurrentIndex(model->IndexOfRow(model->FindItemByRecord(2)));
    EXPECT_EQ(frame.MemoView()->LongText(), QStringLiteral("Kalksandstein-Mauerwerk, 17,5 cm"));
    EXPECT_EQ(frame.ListView()->SelectedRecord(), 2);

    // The priced columns with German separators; the sums of the calculation are shown.
    EXPECT_EQ(Cell(frame, 2, 3), QStringLiteral("1.234,500"));
    EXPECT_EQ(Cell(frame, 2, 8), QStringLiteral("2.469,00"));
    EXPECT_EQ(Cell(frame, 0, 8), QStringLiteral("2.569,00"));
    // Weight, icon, shading and alignment reach the view as roles.
    const QModelIndex lvCell = model->IndexOfRow(model->FindItemByRecord(0));
    EXPECT_TRUE(model->data(lvCell, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(model->data(lvCell, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(model->data(lvCell, Qt::BackgroundRole).isValid());
    EXPECT_EQ(model->data(model->IndexOfRow(model->FindItemByRecord(1)), Qt::BackgroundRole)
                  .value<QBrush>()
                  .color(),
              QColor(238, 238, 238));
    EXPECT_EQ(model->data(model->IndexOfRow(model->FindItemByRecord(2), 3), Qt::TextAlignmentRole).toInt() &
                  Qt::AlignRight,
              Qt::AlignRight);

    // Calculation through the command: modified, the wait cursor gone again.
    frame.Action(Command::Calculate)->trigger();
    EXPECT_TRUE(frame.Document().IsModified());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Closing asks; Cancel keeps the window; No closes it.
    frame.show();
    frame.answers = {IShell::Answer::Cancel};
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.messages.back(), Msg::Format(Msg::AskSaveChanges, path));
    frame.answers = {IShell::Answer::No};
    EXPECT_TRUE(frame.close());
}

TEST_F(FrameFixture, SaveProposesTheNameAndTakesTheTypeExtension) {
    CScriptedFrame frame(&store);
    frame.OpenFromOutside(QString::fromStdString(MakeBid(dir, "kita.ovf")));
    frame.savePath = (dir.path() + QStringLiteral("/neu.ovf")).toStdString();
    frame.Action(Command::Save)->trigger();
    EXPECT_EQ(frame.lastProposed, (dir.path() + QStringLiteral("/kita")).toStdString());
    EXPECT_EQ(frame.lastExtension, "ovf");
    EXPECT_EQ(frame.windowTitle(), kTitle + QStringLiteral(" - neu.ovf"));
    EXPECT_TRUE(fs::exists(frame.savePath));
    EXPECT_TRUE(frame.messages.empty());
}
