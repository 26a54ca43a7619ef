#include "gaeb2000/gaeb_block_index.h"

#include "common/text_util.h"

#include <algorithm>

void CGaebBlockIndex::Reset() {
    m_built = false;
    m_rank.clear();
    m_blocks.clear();
}

void CGaebBlockIndex::Build() {
    m_built = true;
    const size_t count = static_cast<size_t>(m_tree.Count());
    m_rank.assign(count, -1);
    // Names repeat: the key of the last spelling seen is reused.
    const std::string* lastName = nullptr;
    std::vector<int32_t>* lastList = nullptr;
    int32_t rank = 0;
    for (const CGaebTagNode* node = m_tree.FirstRoot(); node && static_cast<size_t>(rank) < count;
         node = m_tree.Next(node)) {
        m_rank[static_cast<size_t>(node->Index())] = rank++;
        if (!node->IsBlock()) continue;
        if (&node->Name() != lastName) {
            lastName = &node->Name();
            lastList = &m_blocks[ToUpperAscii(node->Name())];
        }
        lastList->push_back(node->Index());
    }
}

CGaebTagNode* CGaebBlockIndex::Find(std::string_view name, const CGaebTagNode* start) {
    if (!start) start = m_tree.FirstRoot();
    if (!start) return nullptr;
    if (!m_built) Build();
    if (start->Index() < 0 || static_cast<size_t>(start->Index()) >= m_rank.size())
        return m_tree.FindBlock(name, start);

    const auto found = m_blocks.find(ToUpperAscii(name));
    if (found == m_blocks.end()) return nullptr;
    const std::vector<int32_t>& blocks = found->second;
    const int32_t startRank = m_rank[static_cast<size_t>(start->Index())];
    const auto first =
        std::lower_bound(blocks.begin(), blocks.end(), startRank, [&](int32_t block, int32_t rank) {
            return m_rank[static_cast<size_t>(block)] < rank;
        });
    if (first == blocks.end()) return nullptr;

    CGaebTagNode* candidate = m_tree.Node(*first);
    // In the run when one of its ancestors (or itself) is a sibling of `start`.
    for (const CGaebTagNode* n = candidate; n; n = m_tree.Parent(n))
        if (n->ParentIndex() == start->ParentIndex()) return candidate;
    return nullptr;
}

CGaebTagNode* CGaebBlockIndex::FindInside(std::string_view name, const CGaebTagNode* block) {
    const CGaebTagNode* first = m_tree.FirstChild(block);
    return first ? Find(name, first) : nullptr;
}
