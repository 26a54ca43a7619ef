#include "app/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    static QApplication* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app) app = new QApplication(argc, argv);
    return *app;
}

} // namespace

TEST(MainWindow, TitleAndFileMenuWithQuit) {
    App();
    CMainFrame frame;
    EXPECT_EQ(frame.windowTitle(), QString::fromUtf8("Fenwold 2014 Angebotsbearbeitung"));
    const QList<QAction*> menus = frame.menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Datei"));
    const QList<QAction*> items = menus[0]->menu()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Beenden"));
    frame.show();
    EXPECT_TRUE(frame.isVisible());
    items[0]->trigger();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_GE(frame.minimumWidth(), 400);
}
