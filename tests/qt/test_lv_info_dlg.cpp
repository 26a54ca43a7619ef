#include "qt_test_support.h"

#include "app/lv_info_fields.h"
#include "app/qt/lv_info_dlg.h"
#include "app/qt/tree_list_view.h"
#include "model/calculation.h"
#include "model/info_blocks.h"
#include "model/project_file.h"
#include "support/record_builder.h"
#include "support/test_support.h"
#include "ui/qt/tlst_tree.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

// An LV with name and dates, a title and two positions at 19 %.
struct DialogData {
    CAngebotList list;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    int lv = -1, title = -1, a = -1, b = -1;

    DialogData() {
        lv = AddRec(list, "L", 1, 0, 1);
        const std::string name = "Sporthalle Nord" + std::string(25, ' ');
        list.SetText(lv, Fld::InfoText,
                     std::string(InfoKey::Lv) + " \r\n" + name + "01.02.2603.04.2610:0005.06.26\r\n" +
                         InfoKey::Client + " \r\nStadt\r\nAmt 3\r\n" + InfoKey::Project +
                         " \r\nNeubau\r\nBauabschnitt 2");
        title = AddRec(list, "T", 2, 1, 2);
        a = AddPos(list, 3, 2, 3, 2.0, 50.0);
        b = AddPos(list, 4, 2, 3, 1.0, 100.0);
        AddRec(list, "S", 5, 2, 3);
        AddRec(list, "S", 6, 1, 2);
        list.LinkDisplayChain();
    }
};

} // namespace

TEST(LvInfoDlg, ShowsTheLvsTextsAndTakesARateInDigitsOnly) {
    TestApp();
    DialogData d;
    CLvInfoFields fields(d.list, d.settings);
    fields.Open(d.a);
    CLvInfoDlg dialog(fields, [] { return true; });
    // The LV's texts, read-only (several lines in the project field); bidder and VAT editable.
    EXPECT_EQ(dialog.NameField()->text(), QStringLiteral("Sporthalle Nord") + QString(25, QLatin1Char(' ')));
    EXPECT_EQ(dialog.ProjectField()->toPlainText(), QStringLiteral("Neubau\nBauabschnitt 2"));
    EXPECT_EQ(dialog.ClientField()->text(), QStringLiteral("Stadt  Amt 3"));
    EXPECT_EQ(dialog.AwardDeadlineField()->text(), QStringLiteral("05.06.26"));
    EXPECT_TRUE(dialog.NameField()->isReadOnly());
    EXPECT_TRUE(dialog.ProjectField()->isReadOnly());
    EXPECT_FALSE(dialog.BidderField()->isReadOnly());
    EXPECT_EQ(dialog.VatField()->text(), QStringLiteral("19")); // nothing stored: the default

    QLineEdit* vat = dialog.VatField();
    struct Typed {
        const char* keys;
        const char* shown;
    };
    // "2000": the third digit would make 200 and is refused, so is the fourth.
    for (const Typed t : {Typed{"7", "7"}, Typed{"100", "100"}, Typed{"101", "10"}, Typed{"1a2", "12"},
                          Typed{"-5", "5"}, Typed{"7,5", "75"}, Typed{"0", "0"}, Typed{"2000", "20"}}) {
        vat->clear();
        QTest::keyClicks(vat, QString::fromLatin1(t.keys));
        EXPECT_EQ(vat->text(), QString::fromLatin1(t.shown)) << t.keys;
    }
    // Each accepted rate went to the settings at once; an empty field changes nothing.
    vat->clear();
    QTest::keyClicks(vat, QStringLiteral("16"));
    vat->clear();
    int32_t stored = 0;
    EXPECT_TRUE(d.settings.Vat(stored));
    EXPECT_EQ(stored, 16);
}

namespace {

// The main window with a small LV opened as a project file.
struct LvInfoFrame : ::testing::Test {
    void SetUp() override {
        TestApp();
        DialogData d;
        for (int p : {d.a, d.b}) {
            d.list.SetDouble(p, Fld::VatPct, 19.0);
            RecalcPosition(d.list, p);
        }
        path = (testsupport::TestDir() / "halle.ovf").string();
        ASSERT_TRUE(SaveProjectFile(d.list, path));
        a = d.a;
        frame = std::make_unique<CScriptedFrame>(&store);
        frame->OpenFromOutside(QString::fromStdString(path));
        ASSERT_TRUE(frame->messages.empty());
        frame->Document().SetModified(false);
    }
    void TearDown() override {
        frame->Document().SetModified(false);
        frame.reset();
    }
    CAngebotList& List() { return frame->Document().List(); }

    // Opens the dialog by its command; `play` gets it while it is shown.
    void RunDialog(const std::function<void(CLvInfoDlg&)>& play) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CLvInfoDlg*>(QApplication::activeModalWidget());
            if (!dialog) return;
            shown = true;
            // A message would wait for a click: it is collected instead.
            dialog->showMessage = [this](const QString& text) { messages << text; };
            play(*dialog);
        });
        frame->Action(Command::LvInfo)->trigger();
        EXPECT_TRUE(shown);
    }
    static void Click(CLvInfoDlg& dialog, QDialogButtonBox::StandardButton button) {
        dialog.findChild<QDialogButtonBox*>()->button(button)->click();
    }
    std::string Bidder() {
        CInfoBlocks blocks(List());
        blocks.LoadFromSelection(a);
        std::string text;
        blocks.GetBlock(InfoKey::Bidder, text);
        return text;
    }

    CMemorySettingsStore store;
    std::string path;
    std::unique_ptr<CScriptedFrame> frame;
    QStringList messages;
    int a = -1;
};

} // namespace

TEST_F(LvInfoFrame, OkStoresTheBlocksAsOneStepCancelStoresNone) {
    RunDialog([](CLvInfoDlg& dialog) {
        dialog.BidderField()->setText(QStringLiteral("Abgebrochen GmbH"));
        Click(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(Bidder(), "");
    EXPECT_FALSE(frame->Document().IsModified());

    RunDialog([](CLvInfoDlg& dialog) {
        dialog.BidderField()->setText(QStringLiteral("Hochbau Nord GmbH"));
        Click(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(Bidder(), "Hochbau Nord GmbH");
    EXPECT_TRUE(frame->Document().IsModified());
    QAction* undo = frame->Action(Command::Undo);
    EXPECT_TRUE(undo->text().contains(QStringLiteral("LV-Informationen")));
    undo->trigger();
    EXPECT_EQ(Bidder(), "");
    EXPECT_TRUE(messages.isEmpty());
}
