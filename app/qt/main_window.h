#pragma once

#include <QMainWindow>

// The single main window of the application.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    static QString ApplicationTitle();

private:
    void CreateMenus();
};
