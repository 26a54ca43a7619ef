#include "app/qt/qt_text.h"

#include "common/code_page.h"

QString ToQt(const std::string& cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string FromQt(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}
