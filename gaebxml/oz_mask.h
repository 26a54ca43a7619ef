#pragma once

#include <pugixml.hpp>

#include <string>
#include <vector>

// The ordinal number (OZ) of a GAEB DA XML LV as the grid shows it: the parts of the levels
// (RNoPart of the categories) and of the item, each right-aligned to the length its
// BoQBkdn gives, as a GAEB 90 file of the same LV writes them; a point follows a part when
// the next part does not start with a blank. The index (RNoIndex) follows after a point.
// Without a breakdown the parts are joined by points.
class COzMask {
public:
    static constexpr int kMaxPartLength = 32;

    // Reads the BoQBkdn elements of a BoQInfo.
    void Load(const pugi::xml_node& boqInfo);
    void SetLengths(std::vector<int> levels, int item);

    int LevelCount() const { return static_cast<int>(m_levels.size()); }
    // The OZ of a category from the parts of its levels.
    std::string Category(const std::vector<std::string>& levelParts) const;
    // The OZ of an item from the parts of the levels above it, its own part and index.
    std::string Item(const std::vector<std::string>& levelParts, const std::string& itemPart,
                     const std::string& index) const;

private:
    std::vector<int> m_levels;
    int m_item = 0;
};
