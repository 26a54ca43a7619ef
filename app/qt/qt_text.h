#pragma once

#include <QString>

#include <string>

// Conversion of the core's Windows-1252 texts at the Qt boundary.
QString ToQt(const std::string& cp1252);
std::string FromQt(const QString& text);

class QLocale;

// Hands the locale's decimal and thousands separators to the number formatting; the "C"
// locale (no locale chosen) leaves the defaults ',' and '.'. A separator that Windows-1252 lacks (a narrow
// no-break space) becomes a no-break space.
void UseLocaleSeparators(const QLocale& locale);

// A core text shown in a multi-line Qt control: CR LF and lone CR become line feeds.
QString ToQtLines(const std::string& cp1252);
