#pragma once

#include "gaeb2000/gaeb_tag_tree.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Answers the block search FindBlock(name, start) of a tag tree without walking the
// tree: for every node it holds the first block of each looked-up name at or after the
// node in file order, built once per name by one pass over the tree. The search of the
// tree visits `start`, its following siblings and their subtrees, which is one run of
// the file order; the first block of the name after `start` is the answer when it lies
// in that run.
//
// Nodes added after a name was first looked up are answered by the tree itself, and
// blocks of a looked-up name must not be added afterwards (Reset to start over).
class CGaebBlockIndex {
public:
    explicit CGaebBlockIndex(const CGaebTagTree& tree) : m_tree(tree) {}

    // The same node as tree.FindBlock(name, start).
    CGaebTagNode* Find(const std::string& name, const CGaebTagNode* start);
    // A block named `name` inside `block` (not `block` itself), or nullptr.
    CGaebTagNode* FindInside(const std::string& name, const CGaebTagNode* block);
    void Reset() { m_next.clear(); }

private:
    const std::vector<int32_t>& NextOf(const std::string& name);

    const CGaebTagTree& m_tree;
    // Upper-case name -> per node index, the index of the first block of that name at or
    // after the node in file order (-1: none).
    std::map<std::string, std::vector<int32_t>> m_next;
};
