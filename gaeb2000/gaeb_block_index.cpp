#include "gaeb2000/gaeb_block_index.h"

#include "common/text_util.h"

const std::vector<int32_t>& CGaebBlockIndex::NextOf(const std::string& name) {
    const std::string key = ToUpperAscii(name);
    auto found = m_next.find(key);
    if (found != m_next.end()) return found->second;

    std::vector<int32_t> order;
    order.reserve(static_cast<size_t>(m_tree.Count()));
    for (const CGaebTagNode* node = m_tree.FirstRoot();
         node && order.size() < static_cast<size_t>(m_tree.Count()); node = m_tree.Next(node))
        order.push_back(node->Index());

    std::vector<int32_t> next(static_cast<size_t>(m_tree.Count()), -1);
    int32_t following = -1;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const CGaebTagNode* node = m_tree.Node(*it);
        if (node->IsBlock() && node->HasName(name)) following = node->Index();
        next[static_cast<size_t>(*it)] = following;
    }
    return m_next.emplace(key, std::move(next)).first->second;
}

CGaebTagNode* CGaebBlockIndex::Find(const std::string& name, const CGaebTagNode* start) {
    if (!start) start = m_tree.FirstRoot();
    if (!start) return nullptr;
    const std::vector<int32_t>& next = NextOf(name);
    if (start->Index() < 0 || static_cast<size_t>(start->Index()) >= next.size())
        return m_tree.FindBlock(name, start);

    CGaebTagNode* candidate = m_tree.Node(next[static_cast<size_t>(start->Index())]);
    // In the run when one of its ancestors (or itself) is a sibling of `start`.
    for (const CGaebTagNode* n = candidate; n; n = m_tree.Parent(n))
        if (n->ParentIndex() == start->ParentIndex()) return candidate;
    return nullptr;
}

CGaebTagNode* CGaebBlockIndex::FindInside(const std::string& name, const CGaebTagNode* block) {
    const CGaebTagNode* first = m_tree.FirstChild(block);
    return first ? Find(name, first) : nullptr;
}
