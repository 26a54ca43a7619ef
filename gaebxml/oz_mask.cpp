#include "gaebxml/oz_mask.h"

#include "common/text_util.h"
#include "gaebxml/xml_names.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::string RightAligned(const std::string& part, int width) {
    const size_t w = static_cast<size_t>(std::max(width, 0));
    return part.size() >= w ? part : std::string(w - part.size(), ' ') + part;
}

void AppendPart(std::string& oz, const std::string& part) {
    if (!oz.empty() && !part.empty() && part.front() != ' ') oz += '.';
    oz += part;
}

int ClampedLength(const std::string& text) {
    return std::clamp(std::atoi(text.c_str()), 0, COzMask::kMaxPartLength);
}

} // namespace

void COzMask::Load(const pugi::xml_node& boqInfo) {
    m_levels.clear();
    m_item = 0;
    for (pugi::xml_node b = ChildNamed(boqInfo, "BoQBkdn"); b; b = NextNamed(b, "BoQBkdn")) {
        const std::string type = ChildText(b, "Type");
        const int length = ClampedLength(ChildText(b, "Length"));
        if (type == "BoQLevel" || type == "Lot")
            m_levels.push_back(length);
        else if (type == "Item")
            m_item = length;
    }
}

void COzMask::SetLengths(std::vector<int> levels, int item) {
    m_levels = std::move(levels);
    m_item = item;
}

std::string COzMask::Category(const std::vector<std::string>& levelParts) const {
    std::string oz;
    for (size_t i = 0; i < levelParts.size(); ++i)
        AppendPart(oz, RightAligned(Trim(levelParts[i]), i < m_levels.size() ? m_levels[i] : 0));
    return oz;
}

std::string COzMask::Item(const std::vector<std::string>& levelParts, const std::string& itemPart,
                          const std::string& index) const {
    std::string oz = Category(levelParts);
    AppendPart(oz, RightAligned(Trim(itemPart), m_item));
    const std::string trimmedIndex = Trim(index);
    if (!trimmedIndex.empty()) oz += "." + trimmedIndex;
    return oz;
}
