#include "gaebxml/xml_numbers.h"

#include "common/number_format.h"
#include "gaebxml/xml_names.h"

#include <cmath>

double CXmlNumbers::Read(const pugi::xml_node& node) {
    const double value = CNumberFormat::StringToDouble(node.child_value());
    if (std::isfinite(value) && std::fabs(value) < 1e12) return value;
    if (!m_bad) m_bad = node;
    return 0.0;
}

std::string CXmlNumbers::Reason() const {
    if (!m_bad) return std::string();
    return "Der Wert von <" + std::string(LocalName(m_bad)) + "> ist keine g\xfcltige Zahl oder zu gro\xdf";
}
