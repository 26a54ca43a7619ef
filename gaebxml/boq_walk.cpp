#include "gaebxml/boq_walk.h"

#include "common/text_util.h"
#include "gaebxml/xml_names.h"

void CBoQWalk::Walk(const pugi::xml_node& boqBody) {
    m_parts.clear();
    pugi::xml_node node = boqBody.first_child();
    while (node) {
        if (Enter(node) && node.first_child()) {
            node = node.first_child();
            continue;
        }
        for (;;) {
            Leave(node);
            if (pugi::xml_node next = node.next_sibling()) {
                node = next;
                break;
            }
            node = node.parent();
            if (!node || node == boqBody) return;
        }
    }
}

bool CBoQWalk::Enter(const pugi::xml_node& node) {
    if (node.type() != pugi::node_element) return false;
    const std::string_view parent = LocalName(node.parent());
    const std::string_view name = LocalName(node);
    if (parent == "BoQCtgy") return name == "BoQBody"; // the category's own texts and totals are not content
    if (parent == "BoQBody" && name == "BoQCtgy") {
        OnCategoryBegin(node);
        m_parts.push_back(RNoPart(node));
        return true;
    }
    if (parent == "BoQBody" && name == "Itemlist") return true;
    OnElement(node);
    return false;
}

void CBoQWalk::Leave(const pugi::xml_node& node) {
    if (node.type() != pugi::node_element || !HasLocalName(node, "BoQCtgy") ||
        !HasLocalName(node.parent(), "BoQBody"))
        return;
    m_parts.pop_back();
    OnCategoryEnd(node);
}

std::string RNoPart(const pugi::xml_node& node) {
    return Trim(node.attribute("RNoPart").value());
}

std::string RNoIndex(const pugi::xml_node& node) {
    return Trim(node.attribute("RNoIndex").value());
}

std::string OzKey(const std::vector<std::string>& parts, const pugi::xml_node& node) {
    std::string key;
    for (const std::string& part : parts)
        key += part + ".";
    return key + RNoPart(node) + "|" + RNoIndex(node);
}
