#include "app/qt/qt_text.h"

#include "common/code_page.h"
#include "common/number_format.h"

#include <QLocale>

QString ToQt(const std::string& cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string FromQt(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

namespace {

std::string Separator(const QString& text) {
    if (text.isEmpty()) return std::string();
    const std::string converted = FromQt(text.left(1));
    return converted == "?" && text.at(0) != QLatin1Char('?') ? std::string("\xa0") : converted;
}

} // namespace

void UseLocaleSeparators(const QLocale& locale) {
    // Without a locale of the user ("C"), the German separators stay.
    if (locale.language() == QLocale::C) {
        CNumberFormat::SetUserSeparators(std::string(), std::string());
        return;
    }
    CNumberFormat::SetUserSeparators(Separator(locale.decimalPoint()), Separator(locale.groupSeparator()));
}

QString ToQtLines(const std::string& cp1252) {
    QString text = ToQt(cp1252);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
