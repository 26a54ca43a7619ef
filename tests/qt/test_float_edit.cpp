#include "common/number_format.h"
#include "ui/qt/float_edit.h"

#include "qt_test_support.h"

#include <QTest>
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

} // namespace
