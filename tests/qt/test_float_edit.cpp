#include "common/number_format.h"
#include "ui/qt/float_edit.h"

#include "qt_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window with the numeric field and a second field to move the focus to.
class FloatEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        CNumberFormat::SetUserSeparators(",", ".");
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        edit = new CFloatEdit(window.get());
        other = new QLineEdit(window.get());
        layout->addWidget(edit);
        layout->addWidget(other);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Focus(other); // the window gave the focus to its first field
    }

    void Focus(QWidget* widget) {
        widget->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        ASSERT_TRUE(widget->hasFocus());
    }

    std::unique_ptr<QWidget> window;
    CFloatEdit* edit = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(FloatEditTest, OpenedOnAStoredNumberAndLeftUnchanged) {
    edit->SetValue(1234.5678);
    edit->SetModified(false);
    EXPECT_EQ(edit->text(), QStringLiteral("1.234,57"));
    Focus(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Right);
    Focus(other);
    EXPECT_DOUBLE_EQ(edit->GetValue(), 1234.5678);
    EXPECT_FALSE(edit->IsModified());

    edit->setText(QStringLiteral("12,5")); // a text from outside is taken over on leaving
    Focus(edit);
    Focus(other);
    EXPECT_EQ(edit->text(), QStringLiteral("12,50"));
    EXPECT_DOUBLE_EQ(edit->GetValue(), 12.5);
    EXPECT_TRUE(edit->IsModified());
}

TEST_F(FloatEditTest, ClipboardOwnFormatAndPlainText) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    edit->SetValue(-1234.5);
    Focus(edit);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = clipboard->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->data(CFloatEdit::kMimeType), QByteArray("-1234.50"));
    EXPECT_EQ(mime->text(), QStringLiteral("-1.234,50"));

    auto* target = new CFloatEdit(window.get());
    target->SetDecimals(3);
    target->show();
    Focus(target);
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(target->text(), QStringLiteral("-1.234,500"));
    EXPECT_TRUE(target->IsModified());

    clipboard->setText(QStringLiteral("1.234,5")); // a number from a spreadsheet
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(target->text(), QStringLiteral("1.234,500"));
    clipboard->setText(QStringLiteral("Summe"));
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(target->text(), QStringLiteral("1.234,500"));
}

TEST_F(FloatEditTest, MouseFocusSelectsASmallValueAndOpensNoMenu) {
    edit->SetValue(0.5);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(4, edit->height() / 2));
    ASSERT_TRUE(edit->hasFocus());
    EXPECT_EQ(edit->selectedText(), QStringLiteral(",50"));
    QTest::keyClicks(edit, QStringLiteral("7"));
    EXPECT_EQ(edit->text(), QStringLiteral("7,00"));
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(4, edit->height() / 2));
    EXPECT_FALSE(edit->hasSelectedText()); // later clicks place the caret as usual

    // A menu would run its own loop; the timer sees and closes it there.
    QWidget* popup = nullptr;
    QTimer::singleShot(0, [&popup] {
        popup = QApplication::activePopupWidget();
        if (popup) popup->close();
    });
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2));
    QApplication::sendEvent(edit, &menu);
    QCoreApplication::processEvents();
    EXPECT_EQ(popup, nullptr);
}

} // namespace
