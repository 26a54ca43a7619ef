#include "app/qt/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Valdorhaus"));
    QApplication::setApplicationName(QStringLiteral("Tessaron_Orvak"));
    CMainFrame frame;
    frame.show();
    return app.exec();
}
