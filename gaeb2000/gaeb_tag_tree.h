#pragma once

#include "common/block_store.h"
#include "common/io_result.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CGaebTagTree;

// One line (or one multi-line value) of a GAEB 2000 file: a block, an item or a raw
// STLB-Bau marker line. Nodes are owned by their CGaebTagTree; the tree keeps all links
// and the values. A node takes 32 bytes: a block has no value and an item no children or
// record, so each keeps only its own fields, and the name is a number in a pool of names
// shared by all trees (each spelling once; a file knows a few hundred).
class CGaebTagNode {
public:
    enum class Kind : uint8_t { Block, Item, StlbBegin, StlbEnd };

    int32_t Index() const { return m_index; }
    int32_t ParentIndex() const { return m_parent; }
    // A block: number of enclosing blocks; an item or marker line: its block's depth + 1.
    int32_t Depth() const { return static_cast<int32_t>((m_bits >> kKindBits) & kDepthMask); }
    Kind GetKind() const { return static_cast<Kind>(m_bits & kKindMask); }
    bool IsBlock() const { return GetKind() == Kind::Block; }
    bool IsItem() const { return GetKind() == Kind::Item; }
    // Line of the file where the node begins (1-based; 0 for a node added later).
    int32_t Line() const { return m_line; }

    // Block or item name as read (for marker lines the whole raw line).
    const std::string& Name() const { return NameOf(m_bits >> kNameShift); }
    // Element and item names compare without regard to case.
    // The length is compared first (inline): most names differ in it.
    bool HasName(std::string_view name) const { return Name().size() == name.size() && SameLetters(name); }

    // Item value; lines of a multi-line value are joined by CR LF. Empty for blocks.
    // ValueView reads it in place (valid until the value is set again or the tree is
    // cleared); Value is a copy. CGaebTagTree::SetValue changes it.
    std::string_view ValueView() const {
        return IsBlock() ? std::string_view() : std::string_view(m_value, m_valueSize);
    }
    std::string Value() const { return std::string(ValueView()); }

    // Index of the bid record made from a block, -1 when none (and for every other node).
    int32_t RecordIndex() const { return IsBlock() ? m_recordIndex : -1; }
    void SetRecordIndex(int32_t index) {
        if (IsBlock()) m_recordIndex = index;
    }

private:
    friend class CGaebTagTree;

    static constexpr uint32_t kKindBits = 2;
    static constexpr uint32_t kKindMask = (1u << kKindBits) - 1;
    static constexpr uint32_t kDepthBits = 9;
    static constexpr uint32_t kDepthMask = (1u << kDepthBits) - 1;
    static constexpr uint32_t kNameShift = kKindBits + kDepthBits;

    // The pool of names: every spelling once, for all trees of the process, numbered from 0
    // (the empty name). The spellings are kept in chunks that never move or change once
    // filled, so that a name is read without a lock or a call: names are compared for
    // nearly every node a reader or writer passes.
    static constexpr uint32_t kNameChunkBits = 12;
    static constexpr uint32_t kNameChunks = 512;
    static constexpr uint32_t kNameCapacity = kNameChunks << kNameChunkBits;
    static std::array<std::unique_ptr<const std::string*[]>, kNameChunks> s_names;
    // The spelling with number `id`.
    static const std::string& NameOf(uint32_t id) {
        return *s_names[id >> kNameChunkBits][id & ((1u << kNameChunkBits) - 1)];
    }
    // The number of a spelling, given on first use; 0 (the empty name) when the pool is full.
    static uint32_t InternName(std::string_view name);
    // The name has the letters of `name` (of the same length) in any case.
    bool SameLetters(std::string_view name) const;
    int32_t FirstChildIndex() const { return IsBlock() ? m_children.first : -1; }

    struct SChildren {
        int32_t first;
        int32_t last;
    };
    // An item's or marker line's value bytes in the tree's value storage; a block's children.
    union {
        char* m_value;
        SChildren m_children;
    };
    union {
        uint32_t m_valueSize;
        int32_t m_recordIndex;
    };
    // Name number, depth and kind.
    uint32_t m_bits = 0;
    int32_t m_index = -1;
    int32_t m_parent = -1;
    int32_t m_nextSibling = -1;
    int32_t m_line = 0;
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

    CGaebTagNode* NewNode(uint32_t name, CGaebTagNode::Kind kind, int32_t depth, std::string_view value);
    // AddNode with the name's number in the pool.
    CGaebTagNode* Append(uint32_t name, CGaebTagNode::Kind kind, std::string_view value);
    // The name's number in the pool of names, 0 (the empty name) when the pool is full.
    uint32_t InternName(std::string_view name);
    // A copy of `value` in the value storage.
    char* StoreValue(std::string_view value);
    bool Fail(std::string reason);
    // Links `node` as a child of `parent` (nullptr: top level) after the sibling
    // `after` (nullptr: as the first child).
    void LinkSibling(CGaebTagNode* node, CGaebTagNode* parent, CGaebTagNode* after);
    void AddPendingLine(std::string_view line);

    bool m_pending = false;
    // Nodes in blocks of 4096, so that a node never moves once made. Mutable: navigation
    // of a const tree hands out its nodes.
    mutable CBlockStore<CGaebTagNode, 12> m_nodes;
    size_t m_sourceSize = 0;
    // The names this tree has met and their numbers, so that reading a line asks the
    // shared pool only for a name new to the file.
    std::unordered_map<std::string_view, uint32_t> m_nameIds;
    // Value storage: the current block and how much of it is used.
    std::vector<std::unique_ptr<char[]>> m_valueBlocks;
    size_t m_valueUsed = 0;
    size_t m_valueCapacity = 0;
    int32_t m_depthCounter = -1;
    // First and last top-level nodes. The file order is the order of a walk of each node,
    // then its children, then its next sibling.
    int32_t m_firstRoot = -1;
    int32_t m_lastRoot = -1;
    // Index of the open block at each depth up to the depth counter (-1 for a begin
    // line that was rejected).
    std::vector<int32_t> m_openBlocks;
    std::string m_ozMask;
    bool m_rtfLongTexts = false;

    // The item being read and whether the reader is inside an STLB-Bau section, whose
    // lines the writer indents by one more blank.
    uint32_t m_currentName = 0;
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
    return Node(m_firstRoot);
}

inline CGaebTagNode* CGaebTagTree::FirstChild(const CGaebTagNode* block) const {
    return block ? Node(block->FirstChildIndex()) : nullptr;
}

inline CGaebTagNode* CGaebTagTree::NextSibling(const CGaebTagNode* node) const {
    return node ? Node(node->m_nextSibling) : nullptr;
}

inline CGaebTagNode* CGaebTagTree::Parent(const CGaebTagNode* node) const {
    return node ? Node(node->m_parent) : nullptr;
}

inline CGaebTagNode* CGaebTagTree::Next(const CGaebTagNode* node) const {
    return node ? WalkNext(node, nullptr) : nullptr;
}
