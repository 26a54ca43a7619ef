#pragma once

#include "gaeb2000/gaeb_tag_tree.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Answers the block search FindBlock(name, start) of a tag tree without walking the
// tree. One pass over the file order, on the first search, numbers the nodes in that
// order and lists the blocks of each name. The search of the tree visits `start`, its
// following siblings and their subtrees, which is one run of the file order; the first
// block of the name at or after `start` (a binary search in its list) is the answer when
// it lies in that run.
//
// Nodes added after the first search are answered by the tree itself, and blocks must
// not be added afterwards (Reset to start over).
class CGaebBlockIndex {
public:
    explicit CGaebBlockIndex(const CGaebTagTree& tree) : m_tree(tree) {}

    // The same node as tree.FindBlock(name, start).
    CGaebTagNode* Find(std::string_view name, const CGaebTagNode* start);
    // A block named `name` inside `block` (not `block` itself), or nullptr.
    CGaebTagNode* FindInside(std::string_view name, const CGaebTagNode* block);
    void Reset();

private:
    void Build();

    const CGaebTagTree& m_tree;
    bool m_built = false;
    // Per node index, its place in the file order.
    std::vector<int32_t> m_rank;
    // Upper-case name -> the indices of the blocks of that name, in file order.
    std::unordered_map<std::string, std::vector<int32_t>> m_blocks;
};
