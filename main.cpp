#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "app/qt/translations.h"
#include "common/heap_tuning.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <QTimer>

namespace {

// The application icon in the sizes drawn for it; the icon theme holds the same drawing
// (orvak.svg, orvak.png) for the desktop entry.
QIcon ApplicationIcon() {
    QIcon icon;
    for (const char* name : {":/icons/orvak32.png", ":/icons/orvak.png", ":/icons/orvak64.png"})
        icon.addFile(QString::fromLatin1(name));
    return icon;
}

} // namespace

// Starts the main window; `orvak FILE` opens FILE once the window is shown. The window holds
// one bid, so each further FILE (a file manager hands over every selected file at once)
// opens in a process of its own.
int main(int argc, char* argv[]) {
    TuneHeap(argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Valdorhaus"));
    QApplication::setApplicationName(QStringLiteral("Tessaron_Orvak"));
    // Lets the desktop match the windows to orvak.desktop (its icon, name and task bar entry).
    QGuiApplication::setDesktopFileName(QStringLiteral("orvak"));
    QApplication::setWindowIcon(ApplicationIcon());
    InstallGermanTranslations();
    UseLocaleSeparators(QLocale());
    CMainFrame frame;
    frame.show();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        const QString path = arguments.at(1);
        QTimer::singleShot(0, &frame, [&frame, path] { frame.OpenFromOutside(path); });
    }
    QStringList notStarted;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        if (!QProcess::startDetached(QCoreApplication::applicationFilePath(), {arguments.at(i)}))
            notStarted.append(QDir::toNativeSeparators(arguments.at(i)));
    }
    if (!notStarted.isEmpty()) {
        QTimer::singleShot(0, &frame, [&frame, notStarted] {
            QMessageBox::warning(&frame, CMainFrame::ApplicationTitle(),
                                 QStringLiteral("Für diese Dateien konnte kein weiteres Fenster gestartet "
                                                "werden:\n%1\n\nBitte öffnen Sie sie einzeln.")
                                     .arg(notStarted.join(QLatin1Char('\n'))));
        });
    }
    return app.exec();
}
