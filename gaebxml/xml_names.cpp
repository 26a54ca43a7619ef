#include "gaebxml/xml_names.h"

#include "common/text_util.h"

std::string_view LocalName(const pugi::xml_node& node) {
    const std::string_view name = node.name();
    const size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

bool HasLocalName(const pugi::xml_node& node, std::string_view local) {
    return node.type() == pugi::node_element && LocalName(node) == local;
}

pugi::xml_node ChildNamed(const pugi::xml_node& node, std::string_view local) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        if (HasLocalName(child, local)) return child;
    return pugi::xml_node();
}

pugi::xml_node NextNamed(const pugi::xml_node& node, std::string_view local) {
    for (pugi::xml_node next = node.next_sibling(); next; next = next.next_sibling())
        if (HasLocalName(next, local)) return next;
    return pugi::xml_node();
}

std::string ChildText(const pugi::xml_node& node, std::string_view local) {
    const pugi::xml_node child = ChildNamed(node, local);
    return child ? Trim(child.child_value()) : std::string();
}

bool ChildIsYes(const pugi::xml_node& node, std::string_view local) {
    return ChildText(node, local) == "Yes";
}

pugi::xml_node PathNamed(const pugi::xml_node& node, std::string_view path) {
    pugi::xml_node current = node;
    while (current && !path.empty()) {
        const size_t slash = path.find('/');
        current = ChildNamed(current, path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return current;
}
