#include "ui/qt/calendar_button.h"
#include "ui/qt/calendar_dlg.h"
#include "ui/qt/date_edit.h"

#include "qt_test_support.h"

#include <QApplication>
#include <QCalendarWidget>
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

// A window with the date field and its calendar button.
class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        layout->addWidget(edit = new CDateEdit(window.get()));
        layout->addWidget(button = new CCalendarButton(window.get()));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        edit->setFocus();
    }

    std::unique_ptr<QWidget> window;
    CDateEdit* edit = nullptr;
    CCalendarButton* button = nullptr;
};

QPushButton* ButtonOf(CCalendarDlg& dialog, const char* utf8) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == QString::fromUtf8(utf8)) return b;
    return nullptr;
}

// Runs action on the calendar dialog once its own loop runs.
void WhenCalendarOpens(std::function<void(CCalendarDlg&)> action) {
    QTimer::singleShot(0, [action] {
        auto* dialog = qobject_cast<CCalendarDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(*dialog);
    });
}

TEST_F(CalendarTest, DialogDateAndButtons) {
    CCalendarDlg dialog(window.get());
    dialog.SetDate("15.03.2024");
    EXPECT_EQ(dialog.Calendar()->selectedDate(), QDate(2024, 3, 15));
    dialog.Calendar()->setSelectedDate(QDate(2024, 2, 29));
    EXPECT_EQ(dialog.GetDate(), "29.02.2024");
    dialog.SetDate("31.02.2024");
    EXPECT_EQ(dialog.Calendar()->selectedDate(), QDate::currentDate());
    ASSERT_NE(ButtonOf(dialog, "&Datum übernehmen"), nullptr);
    EXPECT_TRUE(ButtonOf(dialog, "&Datum übernehmen")->isDefault()); // Enter takes the date
}

TEST(CalendarDlgPlacement, BelowTheAnchorRightAlignedOnScreen) {
    const QRect screen(0, 0, 800, 600);
    const std::pair<QRect, QPoint> cases[] = {
        {QRect(300, 100, 20, 20), QPoint(120, 120)}, // right edges in line, top on the bottom
        {QRect(100, 100, 20, 20), QPoint(0, 120)},   // kept inside on the left
        {QRect(300, 500, 20, 20), QPoint(120, 320)}, // no room below: above the anchor
        {QRect(900, 100, 20, 20), QPoint(600, 120)}, // anchor off the screen
    };
    for (const auto& [anchor, expected] : cases)
        EXPECT_EQ(CCalendarDlg::Placement(anchor, QSize(200, 180), screen), expected) << anchor.x();
}

TEST_F(CalendarTest, ButtonOpensTheCalendarForTheField) {
    EXPECT_FALSE(button->icon().isNull());
    button->Attach(edit);
    edit->SetText("15.03.2024");
    edit->SetModified(false);

    QRect opened;
    WhenCalendarOpens([&opened](CCalendarDlg& dialog) {
        opened = dialog.frameGeometry();
        dialog.Calendar()->setSelectedDate(QDate(2024, 3, 20));
        ButtonOf(dialog, "&Datum übernehmen")->click();
    });
    button->click();
    EXPECT_EQ(edit->text(), QStringLiteral("20.03.2024"));
    EXPECT_TRUE(edit->IsModified());
    const QRect screen = button->screen()->availableGeometry();
    EXPECT_EQ(opened.topLeft(), CCalendarDlg::Placement(button->ScreenRect(), opened.size(), screen));

    WhenCalendarOpens([](CCalendarDlg& dialog) {
        EXPECT_EQ(dialog.GetDate(), "20.03.2024");
        dialog.Calendar()->setSelectedDate(QDate(2024, 3, 1));
        ButtonOf(dialog, "&Abbrechen")->click();
    });
    button->click();
    EXPECT_EQ(edit->text(), QStringLiteral("20.03.2024"));
}

} // namespace
