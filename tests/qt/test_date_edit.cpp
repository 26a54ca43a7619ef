#include "ui/qt/calendar_button.h"
#include "ui/qt/calendar_dlg.h"
#include "ui/qt/date_edit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QDate>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) app = new QApplication(argc, argv);
    return *app;
}

// A window with the date field and its calendar button.
class DateEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        edit = new CDateEdit(window.get());
        button = new CCalendarButton(window.get());
        layout->addWidget(edit);
        layout->addWidget(button);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        edit->setFocus();
    }

    std::unique_ptr<QWidget> window;
    CDateEdit* edit = nullptr;
    CCalendarButton* button = nullptr;
};

// Runs action on the calendar dialog once it is open.
void WhenCalendarOpens(std::function<void(CCalendarDlg&)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<CCalendarDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(*dialog);
    });
}

QPushButton* ButtonOf(CCalendarDlg& dialog, const QString& text) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

TEST_F(DateEditTest, KeysGoThroughTheMask) {
    EXPECT_EQ(edit->text(), QStringLiteral("  .  .    "));
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, QStringLiteral("4"));   // dropped: no day 4x
    QTest::keyClicks(edit, QStringLiteral("15x")); // x beeps
    QTest::keyClicks(edit, QStringLiteral("13"));  // 3 dropped: no month 13
    QTest::keyClicks(edit, QStringLiteral("0200"));
    EXPECT_EQ(edit->text(), QStringLiteral("15.10.200 "));
    EXPECT_EQ(edit->cursorPosition(), 9);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("15.10.2   "));
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClick(edit, Qt::Key_Insert);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral(" 5.10.2   "));
    EXPECT_EQ(edit->cursorPosition(), 1);
    EXPECT_TRUE(edit->IsModified());

    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier); // the whole text: the empty date
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), QStringLiteral("  .  .    "));
}

TEST_F(DateEditTest, ValidateAndPaste) {
    edit->setText(QStringLiteral("29.02.00")); // a text from outside is the field's text
    EXPECT_EQ(edit->Text(), "29.02.00");
    EXPECT_TRUE(edit->ValidateDate());
    EXPECT_EQ(edit->text(), QStringLiteral("29.02.2000"));
    edit->SetText("31.04.2013");
    EXPECT_FALSE(edit->ValidateDate());
    EXPECT_EQ(edit->text(), QStringLiteral("31.04.2013"));
    edit->SetText("");
    EXPECT_TRUE(edit->ValidateDate());

    QApplication::clipboard()->setText(QStringLiteral("3.10.2024"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("03.10.2024"));
    QApplication::clipboard()->setText(QStringLiteral("morgen"));
    EXPECT_FALSE(edit->PasteDate());
    edit->SetReadOnly(true);
    QApplication::clipboard()->setText(QStringLiteral("1.1.24"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("1"));
    EXPECT_EQ(edit->text(), QStringLiteral("03.10.2024"));
}

TEST_F(DateEditTest, CalendarDialogDateAndButtons) {
    CCalendarDlg dialog(window.get());
    dialog.SetDate("15.03.2024");
    EXPECT_EQ(dialog.Calendar()->selectedDate(), QDate(2024, 3, 15));
    EXPECT_EQ(dialog.GetDate(), "15.03.2024");
    EXPECT_EQ(dialog.Calendar()->verticalHeaderFormat(), QCalendarWidget::ISOWeekNumbers);
    dialog.Calendar()->setSelectedDate(QDate(2024, 2, 29));
    EXPECT_EQ(dialog.GetDate(), "29.02.2024");
    dialog.SetDate("  .  .    ");
    EXPECT_EQ(dialog.Calendar()->selectedDate(), QDate::currentDate());
    dialog.SetDate("31.02.2024");
    EXPECT_EQ(dialog.Calendar()->selectedDate(), QDate::currentDate());

    QPushButton* take = ButtonOf(dialog, QString::fromUtf8("&Datum übernehmen"));
    ASSERT_NE(take, nullptr);
    EXPECT_TRUE(take->isDefault());
    EXPECT_NE(ButtonOf(dialog, QStringLiteral("&Abbrechen")), nullptr);
}

TEST(CalendarDlgPlacement, BelowTheAnchorRightAlignedOnScreen) {
    const QRect screen(0, 0, 800, 600);
    const QSize size(200, 180);
    struct Case {
        QRect anchor;
        QPoint expected;
    };
    const Case cases[] = {
        {QRect(300, 100, 20, 20), QPoint(120, 120)}, // right edges in line, top on the bottom
        {QRect(100, 100, 20, 20), QPoint(0, 120)},   // kept inside on the left
        {QRect(300, 500, 20, 20), QPoint(120, 320)}, // no room below: above the anchor
        {QRect(900, 100, 20, 20), QPoint(600, 120)}, // anchor off the screen
    };
    for (const Case& c : cases)
        EXPECT_EQ(CCalendarDlg::Placement(c.anchor, size, screen), c.expected)
            << c.anchor.x() << "," << c.anchor.y();
}

TEST_F(DateEditTest, CalendarOpensBelowTheButtonAndSetsTheField) {
    EXPECT_EQ(button->toolTip(), QStringLiteral("Kalender"));
    EXPECT_EQ(button->accessibleName(), QStringLiteral("Kalender"));
    EXPECT_FALSE(button->icon().isNull());
    button->Attach(edit);
    edit->SetText("15.03.2024");
    edit->SetModified(false);

    QRect anchor = button->ScreenRect();
    QRect opened;
    WhenCalendarOpens([&opened](CCalendarDlg& dialog) {
        opened = dialog.frameGeometry();
        dialog.Calendar()->setSelectedDate(QDate(2024, 3, 20));
        ButtonOf(dialog, QString::fromUtf8("&Datum übernehmen"))->click();
    });
    button->click();
    EXPECT_EQ(edit->text(), QStringLiteral("20.03.2024"));
    EXPECT_TRUE(edit->IsModified());
    const QRect screen = button->screen()->availableGeometry();
    EXPECT_EQ(opened.topLeft(), CCalendarDlg::Placement(anchor, opened.size(), screen));

    WhenCalendarOpens([](CCalendarDlg& dialog) {
        EXPECT_EQ(dialog.GetDate(), "20.03.2024");
        dialog.Calendar()->setSelectedDate(QDate(2024, 3, 1));
        ButtonOf(dialog, QStringLiteral("&Abbrechen"))->click();
    });
    button->click();
    EXPECT_EQ(edit->text(), QStringLiteral("20.03.2024"));
}

} // namespace
