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

#include <QAction>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
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

QStringList MenuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
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

TEST_F(FrameFixture, ToolbarAndStatusHints) {
    CScriptedFrame frame(&store);
    EXPECT_EQ(frame.windowTitle(), kTitle);
    // Every toolbar button has its picture (a resource that went missing shows nothing).
    const QList<QToolBar*> bars = frame.findChildren<QToolBar*>();
    ASSERT_EQ(bars.size(), 1);
    for (const QAction* tool : bars[0]->actions()) {
        if (!tool->isSeparator()) {
            EXPECT_FALSE(tool->icon().isNull()) << tool->text().toStdString();
        }
    }
    // The status bar says "Bereit" and each command's hint while it is pointed at.
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Bereit"));
    QStatusTipEvent hint(frame.Action(Command::Save)->statusTip());
    QCoreApplication::sendEvent(&frame, &hint);
    EXPECT_EQ(frame.statusBar()->currentMessage(), frame.Action(Command::Save)->statusTip());
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(&frame, &none);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Bereit"));
}

TEST_F(FrameFixture, EnablingFollowsTheDocumentAndTheHelp) {
    CScriptedFrame frame(&store);
    EXPECT_FALSE(frame.Action(Command::Save)->isEnabled());
    EXPECT_TRUE(frame.Action(Command::Open)->isEnabled());
    frame.OpenFromOutside(QString::fromStdString(MakeBid(dir, "kita.ovf")));
    EXPECT_TRUE(frame.messages.empty());
    EXPECT_TRUE(frame.Action(Command::Save)->isEnabled());

    // Help shown: only Help acts.
    frame.Action(Command::Help)->trigger();
    EXPECT_TRUE(frame.IsHelpShown());
    EXPECT_TRUE(frame.Action(Command::Help)->isChecked());
    EXPECT_FALSE(frame.Action(Command::Save)->isEnabled());
    EXPECT_FALSE(frame.Action(Command::Open)->isEnabled());
    frame.Action(Command::Help)->trigger();
    EXPECT_FALSE(frame.IsHelpShown());
    EXPECT_TRUE(frame.Action(Command::Save)->isEnabled());

    // The LV information command opens its dialog; closed unchanged, the bid stays unmodified.
    QString title;
    QTimer::singleShot(0, [&title] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            title = dialog->windowTitle();
            dialog->close();
        }
    });
    frame.Action(Command::LvInfo)->trigger();
    EXPECT_EQ(title, QStringLiteral("Informationen zum Leistungsverzeichnis"));
    EXPECT_TRUE(frame.messages.empty());
    EXPECT_FALSE(frame.Document().IsModified());
}

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

TEST_F(FrameFixture, FailedOpenEmptiesTheViews) {
    CScriptedFrame frame(&store);
    frame.OpenFromOutside(QString::fromStdString(MakeBid(dir, "gut.ovf")));
    const std::string bad = (dir.path() + QStringLiteral("/kaputt.ovf")).toStdString();
    std::ofstream(bad) << "kein Angebot";
    frame.OpenFromOutside(QString::fromStdString(bad));
    ASSERT_EQ(frame.messages.size(), 1u);
    EXPECT_EQ(frame.messages[0],
              Msg::Format(Msg::CannotOpen, bad) + "\r\n\r\nDatensatz 1: Die Datei endet mitten im Datensatz");
    EXPECT_EQ(frame.windowTitle(), kTitle);
    EXPECT_EQ(frame.ListView()->Model()->RowCount(), 0);
    EXPECT_EQ(frame.MemoView()->LongText(), QString());
    EXPECT_FALSE(frame.Action(Command::Save)->isEnabled());
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

TEST_F(FrameFixture, RecentFilesInTheMenuAndInQSettings) {
    QSettings qsettings(QStringLiteral("Valdorhaus"), QStringLiteral("Tessaron_Orvak"));
    qsettings.clear();
    std::vector<std::string> paths;
    {
        CScriptedFrame frame; // the product's QSettings store
        for (int i = 1; i <= 5; ++i) {
            paths.push_back(MakeBid(dir, "los" + std::to_string(i) + ".ovf"));
            frame.OpenFromOutside(QString::fromStdString(paths.back()));
        }
        // Four entries, most recent first, before "Beenden" and followed by a separator.
        const QStringList texts = MenuTexts(frame.FileMenu());
        ASSERT_EQ(texts.indexOf(QStringLiteral("&Beenden")), 19);
        for (int n = 0; n < 4; ++n)
            EXPECT_TRUE(texts[14 + n].endsWith(QStringLiteral("los%1.ovf").arg(5 - n))) << n;
        EXPECT_EQ(texts[18], QStringLiteral("-"));
        qsettings.sync();
        EXPECT_EQ(qsettings.value(QStringLiteral("Dateien/datei1")).toString().toStdString(), paths[4]);

        // Reopening entry 3 puts it in front; a file that went is said and leaves menu and settings.
        frame.OnOpenRecent(2);
        EXPECT_EQ(frame.RecentFiles().Path(0), paths[2]);
        fs::remove(paths[3]);
        frame.OnOpenRecent(2);
        ASSERT_EQ(frame.messages.size(), 1u);
        EXPECT_EQ(frame.messages[0], Msg::Format(Msg::FileMissing, paths[3]));
        EXPECT_EQ(MenuTexts(frame.FileMenu()).indexOf(QStringLiteral("&Beenden")), 18);
        EXPECT_EQ(frame.windowTitle(), kTitle + QStringLiteral(" - los3.ovf")); // the open bid stays
        qsettings.sync();
        EXPECT_EQ(qsettings.value(QStringLiteral("Dateien/datei4")).toString(), QString());
    }
    // The next start finds them.
    CScriptedFrame again;
    EXPECT_EQ(again.RecentFiles().Count(), 3);
    EXPECT_EQ(again.RecentFiles().Path(0), paths[2]);
    EXPECT_TRUE(MenuTexts(again.FileMenu())[14].startsWith(QStringLiteral("&1 ")));
    qsettings.clear();
}

TEST_F(FrameFixture, SettingsRestoreAndStore) {
    CAppSettings settings(store);
    settings.SetPosition(CWindowPlacement::EncodeRect({20, 30, 620, 430}));
    settings.SetPaneSize(150);
    // Fewer widths than columns: only the first columns change.
    settings.SetColumnWidths(EncodeColumnWidths({210, 90}));
    {
        CScriptedFrame frame(&store);
        EXPECT_EQ(frame.geometry(), QRect(20, 30, 600, 400));
        const QHeaderView* header = frame.ListView()->Tree()->header();
        EXPECT_EQ(header->sectionSize(0), 210);
        EXPECT_EQ(header->sectionSize(1), 90);
        EXPECT_EQ(header->sectionSize(2), frame.ListView()->Tree()->DefaultColumnWidth(2));
        frame.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(frame.Splitter()->sizes().value(0), 150);
        frame.ListView()->Tree()->header()->resizeSection(2, 333);
    }
    // Stored when the window went: pane, placement, widths of all thirteen columns.
    int32_t pane = 0;
    ASSERT_TRUE(settings.PaneSize(pane));
    EXPECT_EQ(pane, 150);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(settings.ColumnWidths(bytes));
    const std::vector<int> widths = DecodeColumnWidths(bytes, 13);
    ASSERT_EQ(widths.size(), 13u);
    EXPECT_EQ(widths[0], 210);
    EXPECT_EQ(widths[2], 333);
    ASSERT_TRUE(settings.Position(bytes));
    EXPECT_EQ(bytes, CWindowPlacement::EncodeRect({20, 30, 620, 430}));

    // Values of another type are ignored; a position off every screen is not used.
    store.SetString("HDSettings", "150,100,180");
    store.SetString("Position", "20,30,620,430");
    {
        CScriptedFrame frame(&store);
        EXPECT_EQ(frame.ListView()->Tree()->header()->sectionSize(0),
                  frame.ListView()->Tree()->DefaultColumnWidth(0));
        EXPECT_NE(frame.geometry().topLeft(), QPoint(20, 30));
    }
    settings.SetPosition(CWindowPlacement::EncodeRect({5000, 4000, 5600, 4400}));
    {
        CScriptedFrame frame(&store);
        EXPECT_LT(frame.geometry().left(), 5000);
    }
}

TEST_F(FrameFixture, HelpReplacesBothPanes) {
    CScriptedFrame frame(&store);
    frame.show();
    frame.Action(Command::Help)->trigger();
    ASSERT_NE(frame.HelpView(), nullptr);
    EXPECT_TRUE(frame.HelpView()->isVisible());
    EXPECT_FALSE(frame.Splitter()->isVisible());
    EXPECT_EQ(frame.HelpView()->documentTitle(), QStringLiteral("Angebotsbearbeitung Hilfe"));
    for (const char* picture : {":/help/liste.png", ":/help/speichern.png"})
        EXPECT_FALSE(QImage(QString::fromLatin1(picture)).isNull()) << picture;
    // The link "Hilfe drucken" prints the page.
    int printed = 0;
    frame.HelpView()->printHandler = [&] { ++printed; };
    Q_EMIT frame.HelpView()->anchorClicked(CHtmHelpView::PrintUrl());
    EXPECT_EQ(printed, 1);
    // F1 again: the panes are back.
    frame.Action(Command::Help)->trigger();
    EXPECT_EQ(frame.HelpView(), nullptr);
    EXPECT_TRUE(frame.Splitter()->isVisible());
}

TEST_F(FrameFixture, MessageBoxesSpeakGerman) {
    CMainFrame frame(&store);
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        box->button(QMessageBox::No)->click();
    });
    const IShell::Answer answer = frame.MessageBox(Msg::Format(Msg::AskSaveChanges, "/tmp/a.D83"), "",
                                                   IShell::Buttons::YesNoCancel, IShell::Icon::Question);
    EXPECT_EQ(answer, IShell::Answer::No);
    buttons.sort();
    EXPECT_EQ(buttons,
              QStringList({QStringLiteral("&Ja"), QStringLiteral("&Nein"), QStringLiteral("Abbrechen")}));
}

// The real open dialog: the GAEB filter decides the type by the first line.
TEST_F(FrameFixture, OpenDialogTakesTheTypeFromTheFilter) {
    const QString d83 = dir.path() + QStringLiteral("/klein.d83");
    ASSERT_TRUE(
        QFile::copy(QString::fromStdString(std::string(ORVAK_TEST_DATA) + "/gaeb90/lv_basic.D83"), d83));
    CMainFrame frame(&store);
    QStringList filters;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        filters = dialog->nameFilters();
        dialog->selectNameFilter(filters.value(1));
        dialog->selectFile(d83);
        static_cast<QDialog*>(dialog)->accept();
    });
    frame.OnOpen();
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(frame.Document().GetOpenType(), OpenType::Gaeb90);
    EXPECT_EQ(frame.windowTitle(), kTitle + QStringLiteral(" - klein.d83"));
}

TEST_F(FrameFixture, OpeningFromOutside) {
    CScriptedFrame frame(&store);
    // A missing file named on the command line: 61245.
    const QString missing = dir.path() + QStringLiteral("/fehlt.D83");
    frame.OpenFromOutside(missing);
    ASSERT_EQ(frame.messages.size(), 1u);
    EXPECT_EQ(frame.messages[0], Msg::Format(Msg::FileMissing, missing.toStdString()));
    EXPECT_FALSE(frame.Document().IsOpen());

    // A file dropped on the window opens after the drop (by its first line: GAEB 90).
    const std::string d83 = std::string(ORVAK_TEST_DATA) + "/gaeb90/lv_basic.D83";
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(d83))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &drop);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame.Document().GetOpenType(), OpenType::Gaeb90);
    EXPECT_EQ(frame.windowTitle(), kTitle + QStringLiteral(" - lv_basic.D83"));
    EXPECT_EQ(frame.messages.size(), 1u);
    // The LV names its price shares: they title columns 5 and 6 of the view.
    EXPECT_EQ(frame.ListView()->Model()->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Stoffe"));
}

// Every sample bill of quantities opens in the window without a message.
TEST_F(FrameFixture, SamplesOpenWithoutMessage) {
    const fs::path samples = ORVAK_SAMPLES;
    if (!fs::exists(samples)) GTEST_SKIP() << "samples not found: " << samples;
    CScriptedFrame frame(&store);
    int opened = 0;
    for (const char* folder : {"gaeb90", "gaeb2000"}) {
        if (!fs::exists(samples / folder)) continue;
        for (const auto& entry : fs::directory_iterator(samples / folder)) {
            frame.messages.clear();
            frame.OpenFromOutside(QString::fromStdString(entry.path().string()));
            EXPECT_TRUE(frame.messages.empty()) << entry.path() << ": " << frame.messages.front();
            EXPECT_TRUE(frame.Document().IsOpen()) << entry.path();
            EXPECT_GT(frame.ListView()->Model()->RowCount(), 0) << entry.path();
            ++opened;
        }
    }
    EXPECT_GT(opened, 0);
}
