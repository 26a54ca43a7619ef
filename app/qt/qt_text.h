#pragma once

#include <QString>

#include <string>

// Conversion of the core's Windows-1252 texts at the Qt boundary.
QString ToQt(const std::string& cp1252);
std::string FromQt(const QString& text);
