#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "common/number_format.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Valdorhaus"));
    QApplication::setApplicationName(QStringLiteral("Tessaron_Orvak"));
    const QLocale locale;
    CNumberFormat::SetUserSeparators(FromQt(locale.decimalPoint()), FromQt(locale.groupSeparator()));
    CMainFrame frame;
    frame.show();
    return app.exec();
}
