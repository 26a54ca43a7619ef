#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

// Element access by local name: GAEB DA XML files are written with a default namespace or
// with a prefix ("g:Item"), so every comparison looks at the part after the colon only.

std::string_view LocalName(const pugi::xml_node& node);
bool HasLocalName(const pugi::xml_node& node, std::string_view local);
// The first child element with the local name, or an empty node.
pugi::xml_node ChildNamed(const pugi::xml_node& node, std::string_view local);
// The next sibling element with the same local name, or an empty node.
pugi::xml_node NextNamed(const pugi::xml_node& node, std::string_view local);
// The text of the first child element with the local name, trimmed (UTF-8); "" when missing.
std::string ChildText(const pugi::xml_node& node, std::string_view local);
// True when the child element exists and its text is "Yes".
bool ChildIsYes(const pugi::xml_node& node, std::string_view local);
// The node reached through a path of local names ("Award/AwardInfo/Cur"), or an empty node.
pugi::xml_node PathNamed(const pugi::xml_node& node, std::string_view path);
