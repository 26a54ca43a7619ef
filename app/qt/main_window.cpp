#include "app/qt/main_window.h"

#include <QAction>
#include <QMenuBar>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(ApplicationTitle());
    setMinimumSize(400, 200);
    CreateMenus();
}

QString CMainFrame::ApplicationTitle() {
    return QStringLiteral("Fenwold 2014 Angebotsbearbeitung");
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
    QAction* quit = file->addAction(QStringLiteral("&Beenden"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}
