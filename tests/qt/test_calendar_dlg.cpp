#include "ui/qt/calendar_button.h"
#include "ui/qt/calendar_dlg.h"
#include "ui/qt/date_edit.h"

#include "qt_test_support.h"
#include <QCalendarWidget>

#include <QDate>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

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

} // namespace
