#pragma once

#include <pugixml.hpp>

#include <string>

// Reads the numbers of a GAEB DA XML file. A number that is not finite or reaches 10^12 (the
// grid shows at most twelve integer digits) reads as 0 and is remembered: the first such
// element makes the open fail with its name and line.
class CXmlNumbers {
public:
    double Read(const pugi::xml_node& node);

    bool Ok() const { return !m_bad; }
    // The first element whose number was refused.
    pugi::xml_node FirstBad() const { return m_bad; }
    // "Der Wert von <Qty> ist keine gültige Zahl oder zu groß" (Windows-1252).
    std::string Reason() const;

private:
    pugi::xml_node m_bad;
};
