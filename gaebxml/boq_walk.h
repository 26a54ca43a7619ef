#pragma once

#include <pugixml.hpp>

#include <string>
#include <vector>

// Walks the content of a BoQBody in document order without recursion: the categories
// (BoQCtgy, whose own BoQBody is walked in turn), the item lists, and every other element
// of a BoQBody or Itemlist (Item, MarkupItem, Remark, ... and elements no mapping knows).
class CBoQWalk {
public:
    virtual ~CBoQWalk() = default;

    void Walk(const pugi::xml_node& boqBody);

    // RNoPart of each category around the current element, outermost first.
    const std::vector<std::string>& Parts() const { return m_parts; }

protected:
    virtual void OnCategoryBegin(const pugi::xml_node&) {}
    virtual void OnCategoryEnd(const pugi::xml_node&) {}
    // An element of a BoQBody or Itemlist other than a category or an item list.
    virtual void OnElement(const pugi::xml_node&) {}

private:
    bool Enter(const pugi::xml_node& node);
    void Leave(const pugi::xml_node& node);

    std::vector<std::string> m_parts;
};

// The RNoPart and RNoIndex attributes of an element, trimmed.
std::string RNoPart(const pugi::xml_node& node);
std::string RNoIndex(const pugi::xml_node& node);
// The full ordinal number of an element as a key: the parts joined by points, then "|" and
// the index ("1.2.0010|A").
std::string OzKey(const std::vector<std::string>& parts, const pugi::xml_node& node);
