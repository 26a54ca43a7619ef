#include "qt_test_support.h"

#include "app/qt/memo_view.h"
#include "app/qt/qt_text.h"
#include "app/qt/tree_list_view.h"
#include "common/text_util.h"
#include "model/supplements.h"
#include "print/bid_print_layout.h"
#include "support/record_builder.h"
#include "support/test_support.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tlst_tree.h"
#include <QAction>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

QPoint CellCenter(QTreeWidget* list, int row, int column) {
    const QRect rect = list->visualItemRect(list->topLevelItem(row));
    const QHeaderView* head = list->header();
    return {head->sectionViewportPosition(column) + head->sectionSize(column) / 2, rect.center().y()};
}

void ClickCell(CMemoView* memo, int row, int column) {
    QTreeWidget* list = memo->SupplementList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCenter(list, row, column));
}

// The first record of the list that lists bidder supplements.
int FirstSupplementRecord(const CAngebotList& list) {
    for (int r = 0; r < list.Count(); ++r)
        if (CSupplements::HasBidderSupplements(list, r))
            for (const SSupplementEntry& entry : CSupplements::Entries(list.GetText(r, Fld::SupplementIndex)))
                if (entry.IsBidders()) return r;
    return -1;
}

// The main window with a fixture opened, shown and active.
struct MemoFrame : ::testing::Test {
    void Open(const std::string& fixture) {
        TestApp();
        const fs::path folder = testsupport::Workspace({fixture});
        source = folder / fs::path(fixture).filename();
        frame = std::make_unique<CScriptedFrame>(&store);
        frame->OpenFromOutside(QString::fromStdString(source.string()));
        ASSERT_TRUE(frame->messages.empty());
        frame->resize(1100, 700);
        frame->show();
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        memo = frame->MemoView();
        record = FirstSupplementRecord(List());
        ASSERT_NE(record, -1);
        Select(record);
    }
    void TearDown() override {
        if (frame) frame->Document().SetModified(false);
        frame.reset();
    }
    CAngebotList& List() { return frame->Document().List(); }
    void Select(int r) {
        const CTLstModel* model = frame->ListView()->Model();
        frame->ListView()->Tree()->setCurrentIndex(model->IndexOfRow(model->FindItemByRecord(r)));
        ASSERT_EQ(frame->ListView()->SelectedRecord(), r);
    }
    // Another position than the supplement record.
    int OtherPosition() {
        for (int r = 0; r < List().Count(); ++r)
            if (r != record && List().GetText(r, Fld::Kind) == "P") return r;
        return -1;
    }
    void TypeIntoFirstSupplement(const QString& text) {
        ClickCell(memo, 0, 1);
        QLineEdit* editor = memo->SupplementEditor();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->isVisible());
        ASSERT_TRUE(editor->hasFocus());
        QTest::keyClicks(editor, text);
    }
    // Saves the bid beside the bill (extension "D84" or "P84") and opens the bill again, which
    // reads the bid in.
    void SaveAndReopen(const std::string& extension) {
        frame->savePath = fs::path(source).replace_extension(extension).string();
        // The question for a VAT rate before a bid without one is handed in: no.
        frame->answers.push_back(IShell::Answer::No);
        frame->Action(Command::Save)->trigger();
        std::erase_if(frame->messages,
                      [](const std::string& m) { return m.rfind("Kein Mehrwertsteuersatz", 0) == 0; });
        ASSERT_TRUE(frame->messages.empty()) << ::testing::PrintToString(frame->messages);
        ASSERT_TRUE(fs::exists(frame->savePath));
        EXPECT_FALSE(frame->Document().IsModified());
        frame->OpenFromOutside(QString::fromStdString(source.string()));
        ASSERT_TRUE(frame->messages.empty()) << frame->messages.front();
        record = FirstSupplementRecord(List());
        ASSERT_NE(record, -1);
        Select(record);
    }

    CMemorySettingsStore store;
    fs::path source;
    std::unique_ptr<CScriptedFrame> frame;
    CMemoView* memo = nullptr;
    int record = -1;
};

} // namespace

TEST_F(MemoFrame, PendingTextGoesToItsRecordWhenLeft) {
    Open("gaeb90/lv_basic.D83");
    const int other = OtherPosition();
    ASSERT_NE(other, -1);
    const std::string otherTexts = List().GetText(other, Fld::BidderTexts);

    // Open with the editor still open: the question whether to save sees the typed text.
    TypeIntoFirstSupplement(QStringLiteral("Offen"));
    frame->Action(Command::Open)->trigger(); // the question is cancelled
    EXPECT_EQ(frame->messages.size(), 1u);
    EXPECT_EQ(CSupplements::BidderText(List(), record, 0), "Offen");
    frame->messages.clear();

    // Another row of the position list: the text goes to the record it was typed for.
    TypeIntoFirstSupplement(QStringLiteral("Auswahl"));
    Select(other);
    EXPECT_EQ(CSupplements::BidderText(List(), record, 0), "Auswahl");
    EXPECT_EQ(List().GetText(other, Fld::BidderTexts), otherTexts);
    EXPECT_TRUE(frame->Document().IsModified());

    // The focus going to the long text.
    Select(record);
    TypeIntoFirstSupplement(QStringLiteral("Fokus"));
    memo->LongTextField()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(CSupplements::BidderText(List(), record, 0), "Fokus");
    EXPECT_FALSE(memo->SupplementEditor()->isVisible());

    // A click into the list below the rows.
    TypeIntoFirstSupplement(QStringLiteral("Klick"));
    QTreeWidget* list = memo->SupplementList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 3));
    EXPECT_EQ(CSupplements::BidderText(List(), record, 0), "Klick");
    EXPECT_FALSE(memo->SupplementEditor()->isVisible());
}

// Saved with the editor still open on the first place; a text of two lines, as a D84 holds it,
// keeps its lines.
TEST_F(MemoFrame, PendingTextAndTextOfSeveralLinesGoIntoTheD84) {
    Open("gaeb90/lv_basic.D83");
    List().SetText(record, Fld::SupplementIndex, "01B102A103B1");
    List().SetText(record, Fld::LongText, List().GetText(record, Fld::LongText) + "\r\n03\tTyp: '....'");
    List().SetText(record, Fld::BidderTexts, "''\r\n'Muster AG\r\nWerk Nord'\r\n");
    Select(OtherPosition());
    Select(record);
    ASSERT_EQ(memo->SupplementList()->topLevelItemCount(), 2);
    TypeIntoFirstSupplement(QStringLiteral("Fabrikat \"Nord\" 5"));
    SaveAndReopen("D84");
    EXPECT_EQ(CSupplements::BidderText(List(), record, 0), "Fabrikat \"Nord\" 5");
    EXPECT_EQ(CSupplements::BidderText(List(), record, 1), "Muster AG\r\nWerk Nord");
    EXPECT_EQ(memo->SupplementList()->topLevelItem(0)->text(1), QStringLiteral("Fabrikat \"Nord\" 5"));
    EXPECT_TRUE(memo->LongText().contains(QStringLiteral("Fabrikat \"Nord\" 5")));
}
