#pragma once

#include "common/block_store.h"
#include "common/io_result.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CGaebTagTree;

// One line (or one multi-line value) of a GAEB 2000 file: a block, an item or a raw
// STLB-Bau marker line. Nodes are owned by their CGaebTagTree; the tree keeps all links,
// the names (each spelling once) and the values.
class CGaebTagNode {
public:
    enum class Kind : uint8_t { Block, Item, StlbBegin, StlbEnd };

    int32_t Index() const { return m_index; }
    int32_t ParentIndex() const { return m_parent; }
    // Neighbours in file order, -1 at either end.
    int32_t NextIndex() const { return m_next; }
    int32_t PrevIndex() const { return m_prev; }
    // A block: number of enclosing blocks; an item or marker line: its block's depth + 1.
    int32_t Depth() const { return m_depth; }
    Kind GetKind() const { return m_kind; }
    bool IsBlock() const { return m_kind == Kind::Block; }
    bool IsItem() const { return m_kind == Kind::Item; }
    // Line of the file where the node begins (1-based; 0 for a node added later).
    int32_t Line() const { return m_line; }

    // Block or item name as read (for marker lines the whole raw line).
    const std::string& Name() const { return *m_name; }
    // Element and item names compare without regard to case.
    // The length is compared first (inline): most names differ in it.
    bool HasName(std::string_view name) const { return m_name->size() == name.size() && SameLetters(name); }

    // Item value; lines of a multi-line value are joined by CR LF. Empty for blocks.
    // ValueView reads it in place (valid until the value is set again or the tree is
    // cleared); Value is a copy. CGaebTagTree::SetValue changes it.
    std::string_view ValueView() const { return {m_value, m_valueSize}; }
    std::string Value() const { return std::string(ValueView()); }

    // Index of the bid record made from this node, -1 when none.
    int32_t RecordIndex() const { return m_recordIndex; }
    void SetRecordIndex(int32_t index) { m_recordIndex = index; }

private:
    friend class CGaebTagTree;

    static const std::string kNoName;

    // The name has the letters of `name` (of the same length) in any case.
    bool SameLetters(std::string_view name) const;

    // The spelling in the tree's name table.
    const std::string* m_name = &kNoName;
    // The value's bytes in the tree's value storage.
    char* m_value = nullptr;
    uint32_t m_valueSize = 0;
    int32_t m_index = -1;
    int32_t m_parent = -1;
    int32_t m_next = -1;
    int32_t m_prev = -1;
    // Depths stay below kMaxDepth + 3; the narrow type keeps a node at 64 bytes.
    int16_t m_depth = 0;
    Kind m_kind = Kind::Block;
    int32_t m_line = 0;
    int32_t m_recordIndex = -1;

    // Sibling structure, so that navigation never walks over whole subtrees.
    int32_t m_firstChild = -1;
    int32_t m_lastChild = -1;
    int32_t m_nextSibling = -1;
    int32_t m_prevSibling = -1;
};

// The in-memory tree of a GAEB 2000 file, nodes kept in file order. The tree is read
// once and later rewritten as the bid, so every line of the file is kept.
class CGaebTagTree {
public:
    // Deepest block nesting accepted; a deeper file fails to read.
    static constexpr int32_t kMaxDepth = 256;

    CGaebTagTree();
    virtual ~CGaebTagTree();
    CGaebTagTree(const CGaebTagTree&) = delete;
    CGaebTagTree& operator=(const CGaebTagTree&) = delete;

    // Clears the tree and reads the file line by line (LF or CR LF line ends). On failure
    // (the file cannot be read, a line is rejected, or the file ends inside a value or a
    // block) the result names the cause and the line; the nodes read so far stay.
    CIoResult ReadTagFile(const std::string& path);
    // The same for a file image already in memory.
    CIoResult ReadTagText(std::string_view text);
    // Parses one line of the file: a block begin or end line, an STLB-Bau marker line, an
    // item line, or the next line of a value that has not reached "[end]". False (with
    // LastError()) when a begin or item line lacks its brackets or the nesting gets deeper
    // than kMaxDepth.
    bool ParseLine(std::string_view line);
    // The lines of a text, or of one block of a file after another; false stops at a bad line.
    bool ParseLines(std::string_view text);
    // After the last line: whether the file ended with every value and block closed.
    CIoResult CheckComplete() const;
    const std::string& LastError() const { return m_error; }
    void Clear();
    // Adds a node at the end of the file order, below the innermost open block.
    CGaebTagNode* AddNode(std::string_view name, CGaebTagNode::Kind kind, std::string_view value);
    // Replaces the value of an item (ignored for other nodes).
    void SetValue(CGaebTagNode* node, std::string_view value);

    int32_t Count() const { return m_nodes.Size(); }
    // Size in bytes of the text last read.
    size_t SourceSize() const { return m_sourceSize; }
    // Node by creation index; nullptr when out of range.
    CGaebTagNode* Node(int32_t index) const;

    // Navigation; nullptr means "none". Names compare without regard to case.
    CGaebTagNode* FirstRoot() const;
    CGaebTagNode* FirstChild(const CGaebTagNode* block) const;
    CGaebTagNode* NextSibling(const CGaebTagNode* node) const;
    CGaebTagNode* Parent(const CGaebTagNode* node) const;
    // Following node in file order.
    CGaebTagNode* Next(const CGaebTagNode* node) const;
    // The node after `node` in a walk of each node, then its children, then its next
    // sibling, that never climbs above the level whose parent is `top` (nullptr: the roots).
    CGaebTagNode* WalkNext(const CGaebTagNode* node, const CGaebTagNode* top) const;
    // The first block named `name` in `start`'s subtree or the subtrees of its following
    // siblings, depth-first in file order (`start` nullptr: the whole tree).
    CGaebTagNode* FindBlock(std::string_view name, const CGaebTagNode* start) const;
    // The first item named `name` among the direct children of `block`.
    CGaebTagNode* FindItem(std::string_view name, const CGaebTagNode* block) const;

    // Editing. AppendItem adds an empty item after the block's leading items; InsertBlock
    // adds a block as the first child of `ref` or immediately before it.
    CGaebTagNode* AppendItem(std::string_view name, CGaebTagNode* block);
    CGaebTagNode* InsertBlock(std::string_view name, CGaebTagNode* ref, bool asChild);

    // Reading state: an item value whose "[end]" was not seen yet; the block depth counter.
    bool IsPending() const { return m_pending; }
    int32_t DepthCounter() const { return m_depthCounter; }

    // Position-number mask built from the LV structure, and whether an RTF long text
    // was seen; both set while the tree is mapped to records, reset by Clear.
    const std::string& OzMask() const { return m_ozMask; }
    void SetOzMask(std::string mask) { m_ozMask = std::move(mask); }
    bool HasRtfLongTexts() const { return m_rtfLongTexts; }
    void SetRtfLongTexts(bool rtf) { m_rtfLongTexts = rtf; }

private:
    // Values are kept in blocks of at least this many bytes, which never move either.
    static constexpr size_t kValueBlock = 256 * 1024;

    CGaebTagNode* NewNode(const std::string* name, CGaebTagNode::Kind kind, std::string_view value);
    // AddNode with the name's entry in the name table.
    CGaebTagNode* Append(const std::string* name, CGaebTagNode::Kind kind, std::string_view value);
    // The name's entry in the name table, made on first use.
    const std::string* InternName(std::string_view name);
    // A copy of `value` in the value storage.
    char* StoreValue(std::string_view value);
    bool Fail(std::string reason);
    // Links `node` into the file order after `after` (nullptr: at the head).
    void LinkFileOrder(CGaebTagNode* node, CGaebTagNode* after);
    // Links `node` as a child of `parent` (nullptr: top level) after the sibling
    // `after` (nullptr: as the first child).
    void LinkSibling(CGaebTagNode* node, CGaebTagNode* parent, CGaebTagNode* after);
    void AddPendingLine(std::string_view line);

    bool m_pending = false;
    // Nodes in blocks of 4096, so that a node never moves once made. Mutable: navigation
    // of a const tree hands out its nodes.
    mutable CBlockStore<CGaebTagNode, 12> m_nodes;
    size_t m_sourceSize = 0;
    // Each spelling of a name once; the map's keys view the stored names.
    std::deque<std::string> m_names;
    std::unordered_map<std::string_view, const std::string*> m_nameTable;
    // Value storage: the current block and how much of it is used.
    std::vector<std::unique_ptr<char[]>> m_valueBlocks;
    size_t m_valueUsed = 0;
    size_t m_valueCapacity = 0;
    int32_t m_depthCounter = -1;
    // Head and tail of the file order; first and last top-level nodes.
    int32_t m_head = -1;
    int32_t m_tail = -1;
    int32_t m_firstRoot = -1;
    int32_t m_lastRoot = -1;
    // Index of the open block at each depth up to the depth counter (-1 for a begin
    // line that was rejected).
    std::vector<int32_t> m_openBlocks;
    std::string m_ozMask;
    bool m_rtfLongTexts = false;

    // The item being read and whether the reader is inside an STLB-Bau section, whose
    // lines the writer indents by one more blank.
    const std::string* m_currentName = nullptr;
    std::string m_currentValue;
    int32_t m_currentLine = 0;
    bool m_inStlbBau = false;
    // Line being parsed and why the last line was rejected.
    int32_t m_lineNo = 0;
    std::string m_error;
};

// Navigation is called for every node of every walk: inline.
inline CGaebTagNode* CGaebTagTree::Node(int32_t index) const {
    return index >= 0 && index < m_nodes.Size() ? &m_nodes[index] : nullptr;
}

inline CGaebTagNode* CGaebTagTree::FirstRoot() const {
    return Node(m_head);
}

inline CGaebTagNode* CGaebTagTree::FirstChild(const CGaebTagNode* block) const {
    return block ? Node(block->m_firstChild) : nullptr;
}

inline CGaebTagNode* CGaebTagTree::NextSibling(const CGaebTagNode* node) const {
    return node ? Node(node->m_nextSibling) : nullptr;
}

inline CGaebTagNode* CGaebTagTree::Parent(const CGaebTagNode* node) const {
    return node ? Node(node->m_parent) : nullptr;
}

inline CGaebTagNode* CGaebTagTree::Next(const CGaebTagNode* node) const {
    return node ? Node(node->m_next) : nullptr;
}
