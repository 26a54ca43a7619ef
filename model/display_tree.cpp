#include "model/display_tree.h"

void CDisplayTree::Build(const CAngebotList& list) {
    const int n = list.Count();
    m_order.clear();
    m_roots.clear();
    m_parent.assign(n, -1);
    m_firstChild.assign(n, -1);
    m_lastChild.assign(n, -1);
    m_nextSibling.assign(n, -1);
    m_orderPos.assign(n, -1);
    m_descendants.assign(n, 0);
    std::vector<char> placed(n, 0);

    // Place the records in display-chain order; a visited record ends a broken chain.
    int lastRoot = -1;
    for (int i = list.FirstInChain(); i != -1 && !placed[i]; i = list.NextInChain(i)) {
        const int parent = list.FindRecord(Fld::RecordId, FieldValue(list.GetDouble(i, Fld::ParentId)));
        placed[i] = 1;
        if (parent != -1 && parent != i && placed[parent]) {
            m_parent[i] = parent;
            if (m_lastChild[parent] == -1)
                m_firstChild[parent] = i;
            else
                m_nextSibling[m_lastChild[parent]] = i;
            m_lastChild[parent] = i;
        } else {
            if (lastRoot != -1) m_nextSibling[lastRoot] = i;
            lastRoot = i;
            m_roots.push_back(i);
        }
    }

    // Tree order without recursion: a stack of next records to visit.
    std::vector<int> stack(m_roots.rbegin(), m_roots.rend());
    std::vector<int> children; // reused, so that a record costs no allocation
    m_order.reserve(static_cast<size_t>(n));
    while (!stack.empty()) {
        const int r = stack.back();
        stack.pop_back();
        m_orderPos[r] = static_cast<int>(m_order.size());
        m_order.push_back(r);
        children.clear();
        for (int c = m_firstChild[r]; c != -1; c = m_nextSibling[c])
            children.push_back(c);
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    // Descendant counts: children follow their parent, so add up from the back.
    for (auto it = m_order.rbegin(); it != m_order.rend(); ++it)
        if (m_parent[*it] != -1) m_descendants[m_parent[*it]] += m_descendants[*it] + 1;
}

bool CDisplayTree::Contains(int index) const {
    return OrderPos(index) != -1;
}

int CDisplayTree::Parent(int index) const {
    return index >= 0 && index < static_cast<int>(m_parent.size()) ? m_parent[index] : -1;
}

int CDisplayTree::FirstChild(int index) const {
    return index >= 0 && index < static_cast<int>(m_firstChild.size()) ? m_firstChild[index] : -1;
}

int CDisplayTree::NextSibling(int index) const {
    return index >= 0 && index < static_cast<int>(m_nextSibling.size()) ? m_nextSibling[index] : -1;
}

int CDisplayTree::OrderPos(int index) const {
    return index >= 0 && index < static_cast<int>(m_orderPos.size()) ? m_orderPos[index] : -1;
}

int CDisplayTree::DescendantCount(int index) const {
    return index >= 0 && index < static_cast<int>(m_descendants.size()) ? m_descendants[index] : 0;
}
