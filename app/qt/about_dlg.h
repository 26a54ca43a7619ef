#pragma once

#include <QDialog>

// The about box "Info": the application icon and title, "Release " with the version of the
// build, a link line that shows the help page, and "OK".
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static QString ReleaseText();

Q_SIGNALS:
    // The link line was clicked.
    void helpRequested();
};
