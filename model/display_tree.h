#pragma once

#include "model/angebot_list.h"

#include <vector>

// The display tree: the records in display-chain order, each below its parent.
// A record's parent is the first record in list order whose RecordId equals its
// ParentId, provided that record was already placed; otherwise the record is at the
// top. Each record becomes the last child of its parent. Tree order ("position-list
// order") is every record before its children, children in that order.
// This one walk serves the calculation, the writers, the print order and the grid.
class CDisplayTree {
public:
    CDisplayTree() = default;
    explicit CDisplayTree(const CAngebotList& list) { Build(list); }

    void Build(const CAngebotList& list);

    // Record indices in tree order.
    const std::vector<int>& Order() const { return m_order; }
    // Top-level records in order.
    const std::vector<int>& Roots() const { return m_roots; }

    bool Contains(int index) const;
    int Parent(int index) const;      // -1 for top level or unknown
    int FirstChild(int index) const;  // -1 if none
    int NextSibling(int index) const; // -1 if none
    bool HasChildren(int index) const { return FirstChild(index) != -1; }
    // Position of the record in Order(), -1 if not in the tree.
    int OrderPos(int index) const;
    // Number of descendants; they follow the record directly in Order().
    int DescendantCount(int index) const;

private:
    std::vector<int> m_order;
    std::vector<int> m_roots;
    std::vector<int> m_parent, m_firstChild, m_lastChild, m_nextSibling, m_orderPos, m_descendants;
};
