#include "ui/qt/date_edit.h"

#include "qt_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window with the date field.
class DateEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        window = std::make_unique<QWidget>();
        edit = new CDateEdit(window.get());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        edit->setFocus();
    }

    std::unique_ptr<QWidget> window;
    CDateEdit* edit = nullptr;
};

TEST_F(DateEditTest, KeysGoThroughTheMask) {
    EXPECT_EQ(edit->text(), QStringLiteral("  .  .    "));
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, QStringLiteral("415x130200")); // 4, x and the 3 of month 13 are refused
    EXPECT_EQ(edit->text(), QStringLiteral("15.10.200 "));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClick(edit, Qt::Key_Insert);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral(" 5.10.20  "));
    EXPECT_EQ(edit->cursorPosition(), 1);
    EXPECT_TRUE(edit->IsModified());
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier); // the whole text: the empty date
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), QStringLiteral("  .  .    "));

    edit->setText(QStringLiteral("29.02.00")); // a text from outside is the field's text
    EXPECT_TRUE(edit->ValidateDate());
    EXPECT_EQ(edit->text(), QStringLiteral("29.02.2000"));

    QApplication::clipboard()->setText(QStringLiteral("3.10.2024"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text(), QStringLiteral("03.10.2024"));
}

} // namespace
