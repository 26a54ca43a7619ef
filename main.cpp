#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "app/qt/translations.h"

#include <QApplication>
#include <QLocale>
#include <QStringList>
#include <QTimer>

// Starts the main window; `orvak FILE` opens FILE once the window is shown.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Valdorhaus"));
    QApplication::setApplicationName(QStringLiteral("Tessaron_Orvak"));
    InstallGermanTranslations();
    UseLocaleSeparators(QLocale());
    CMainFrame frame;
    frame.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        const QString path = arguments.at(1);
        QTimer::singleShot(0, &frame, [&frame, path] { frame.OpenFromOutside(path); });
    }
    return app.exec();
}
