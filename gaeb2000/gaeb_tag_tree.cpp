#include "gaeb2000/gaeb_tag_tree.h"

#include "common/safe_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

constexpr std::string_view kBeginMarker = "#begin";
constexpr std::string_view kEndMarker = "#end";
constexpr std::string_view kValueEnd = "[end]";
constexpr std::string_view kStlbBau = "STLBBau";
const char* const kTooManyNames = "Zu viele verschiedene Elementnamen";

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
}

bool ContainsNoCase(std::string_view text, std::string_view word) {
    if (word.empty()) return true;
    if (word.size() > text.size()) return false;
    // Only where the first letter fits is the whole word compared.
    const char first = UpperAscii(word.front());
    for (size_t i = 0; i + word.size() <= text.size(); ++i)
        if (UpperAscii(text[i]) == first && SameNoCase(text.substr(i, word.size()), word)) return true;
    return false;
}

bool IsBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool StartsWithAfterBlanks(std::string_view line, std::string_view marker) {
    // A loop of its own: find_first_not_of searches the set once per character.
    size_t first = 0;
    while (first < line.size() && (line[first] == ' ' || line[first] == '\t'))
        ++first;
    return line.substr(first).starts_with(marker);
}

} // namespace

static_assert(sizeof(CGaebTagNode) == 32);

std::array<std::unique_ptr<const std::string*[]>, CGaebTagNode::kNameChunks> CGaebTagNode::s_names;

uint32_t CGaebTagNode::InternName(std::string_view name) {
    static std::mutex mutex;
    static std::deque<std::string> spellings;
    static std::unordered_map<std::string_view, uint32_t> ids;
    static uint32_t count = 0;
    const std::lock_guard<std::mutex> lock(mutex);
    if (count == 0) {
        // The empty name is number 0.
        s_names[0] = std::make_unique<const std::string*[]>(1u << kNameChunkBits);
        s_names[0][0] = &spellings.emplace_back();
        ids.emplace(*s_names[0][0], 0);
        count = 1;
    }
    const auto found = ids.find(name);
    if (found != ids.end()) return found->second;
    if (count >= kNameCapacity) return 0;
    auto& chunk = s_names[count >> kNameChunkBits];
    if (!chunk) chunk = std::make_unique<const std::string*[]>(1u << kNameChunkBits);
    const std::string* stored = &spellings.emplace_back(name);
    chunk[count & ((1u << kNameChunkBits) - 1)] = stored;
    ids.emplace(*stored, count);
    return count++;
}

bool CGaebTagNode::SameLetters(std::string_view name) const {
    return SameNoCase(Name(), name);
}

CGaebTagTree::CGaebTagTree() {
    // Number 0, the empty name, exists before the first node can name it.
    CGaebTagNode::InternName({});
}

CGaebTagTree::~CGaebTagTree() = default;

void CGaebTagTree::Clear() {
    m_nodes.Clear();
    m_sourceSize = 0;
    m_nameIds.clear();
    m_valueBlocks.clear();
    m_valueUsed = m_valueCapacity = 0;
    m_depthCounter = -1;
    m_firstRoot = m_lastRoot = -1;
    m_openBlocks.clear();
    m_pending = false;
    m_ozMask.clear();
    m_rtfLongTexts = false;
    m_currentName = 0;
    m_currentValue.clear();
    m_currentLine = 0;
    m_inStlbBau = false;
    m_lineNo = 0;
    m_error.clear();
}

bool CGaebTagTree::Fail(std::string reason) {
    m_error = std::move(reason);
    return false;
}

CIoResult CGaebTagTree::ReadTagFile(const std::string& path) {
    Clear();
    // Read in blocks of whole lines: the file's image is never held beside the tree.
    bool parsed = true;
    try {
        const CIoResult read = ReadFileLines(path, [&](std::string_view lines) {
            m_sourceSize += lines.size();
            parsed = ParseLines(lines);
            return parsed;
        });
        if (!read) {
            Clear();
            return read;
        }
    } catch (const std::bad_alloc&) {
        return CIoResult::Failure("Nicht gen\xfcgend Arbeitsspeicher");
    }
    if (!parsed) return CIoResult::Failure(m_error, m_lineNo);
    return CheckComplete();
}

CIoResult CGaebTagTree::ReadTagText(std::string_view text) {
    Clear();
    m_sourceSize = text.size();
    try {
        if (!ParseLines(text)) return CIoResult::Failure(m_error, m_lineNo);
    } catch (const std::bad_alloc&) {
        return CIoResult::Failure("Nicht gen\xfcgend Arbeitsspeicher");
    }
    return CheckComplete();
}

bool CGaebTagTree::ParseLines(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t lf = text.find('\n', pos);
        const size_t end = lf == std::string_view::npos ? text.size() : lf;
        if (!ParseLine(text.substr(pos, end - pos))) return false;
        pos = end + 1;
    }
    return true;
}

CIoResult CGaebTagTree::CheckComplete() const {
    // A file that breaks off inside a value or a block is incomplete.
    if (m_pending)
        return CIoResult::Failure("[end] fehlt: der Wert von [" + CGaebTagNode::NameOf(m_currentName) +
                                      "] endet nicht",
                                  m_currentLine);
    if (m_depthCounter >= 0) {
        const CGaebTagNode* open = m_openBlocks.empty() ? nullptr : Node(m_openBlocks.back());
        return open ? CIoResult::Failure("#end[" + open->Name() + "] fehlt: die Datei ist unvollst\xe4ndig",
                                         open->Line())
                    : CIoResult::Failure("#end fehlt: die Datei ist unvollst\xe4ndig", m_lineNo);
    }
    if (m_firstRoot < 0) return CIoResult::Failure("Die Datei enth\xe4lt keine GAEB-Daten");
    return CIoResult::Success();
}

bool CGaebTagTree::ParseLine(std::string_view rawLine) {
    ++m_lineNo;
    // CR and LF never belong to a line, wherever they stand. The usual CR at the end is
    // cut off; only a line with others is copied without them.
    std::string cleaned;
    std::string_view line = rawLine;
    if (line.ends_with('\r')) line.remove_suffix(1);
    // Two memchr scans: find_first_of would test every byte against the set one by one.
    if (line.find('\r') != std::string_view::npos || line.find('\n') != std::string_view::npos) {
        cleaned.reserve(rawLine.size());
        for (char c : rawLine)
            if (c != '\r' && c != '\n') cleaned.push_back(c);
        line = cleaned;
    }

    const size_t open = line.find('[');
    const size_t close = open == std::string_view::npos ? std::string_view::npos : line.find(']', open + 1);

    // A marker only counts where it cannot be text: in a pending value the line must start
    // with it, in an item line it must stand before the item's name.
    bool isBegin = false;
    bool isEnd = false;
    if (m_pending) {
        isBegin = StartsWithAfterBlanks(line, kBeginMarker);
        isEnd = !isBegin && StartsWithAfterBlanks(line, kEndMarker);
    } else {
        // Only the part before the first '[' can hold the marker, and only it is searched.
        const std::string_view head = line.substr(0, open);
        isBegin = head.find(kBeginMarker) != std::string_view::npos;
        isEnd = !isBegin && head.find(kEndMarker) != std::string_view::npos;
    }

    if (isBegin || isEnd) {
        if (ContainsNoCase(line, kStlbBau)) {
            const uint32_t name = InternName(line);
            if (name == 0) return Fail(kTooManyNames);
            Append(name, isBegin ? CGaebTagNode::Kind::StlbBegin : CGaebTagNode::Kind::StlbEnd, {});
            m_inStlbBau = isBegin;
            return true;
        }
        if (isEnd) {
            // Surplus end lines leave the counter at "no block open".
            if (m_depthCounter >= 0) --m_depthCounter;
            m_openBlocks.resize(static_cast<size_t>(m_depthCounter + 1));
            return true;
        }
        if (m_depthCounter >= kMaxDepth)
            return Fail("Bl\xf6"
                        "cke zu tief verschachtelt");
        ++m_depthCounter;
        m_openBlocks.resize(static_cast<size_t>(m_depthCounter + 1));
        m_openBlocks.back() = -1;
        if (open == std::string_view::npos || close == std::string_view::npos)
            return Fail("Blockanfang ohne Namen in eckigen Klammern");
        const std::string_view name = line.substr(open + 1, close - open - 1);
        const uint32_t id = InternName(name);
        if (id == 0 && !name.empty()) return Fail(kTooManyNames);
        Append(id, CGaebTagNode::Kind::Block, {});
        return true;
    }

    if (m_pending) {
        AddPendingLine(line);
        return true;
    }

    if (open == std::string_view::npos || close == std::string_view::npos) {
        // Empty lines carry nothing; after the outermost block has closed, trailing lines
        // (such as counts written on a line of their own) are ignored.
        if (IsBlankLine(line) || (m_depthCounter < 0 && m_firstRoot >= 0)) return true;
        return Fail("Zeile ohne [Name] und ohne #begin/#end");
    }

    const std::string_view name = line.substr(open + 1, close - open - 1);
    m_currentName = InternName(name);
    if (m_currentName == 0 && !name.empty()) return Fail(kTooManyNames);
    m_currentLine = m_lineNo;
    const std::string_view value = line.substr(close + 1);
    const size_t end = value.find(kValueEnd);
    if (end == std::string_view::npos) {
        m_currentValue.assign(value);
        m_pending = true;
        return true;
    }
    Append(m_currentName, CGaebTagNode::Kind::Item, value.substr(0, end));
    m_currentName = 0;
    return true;
}

void CGaebTagTree::AddPendingLine(std::string_view line) {
    // The writer indents every line of a value like its item; take back at most that much
    // and only blanks, so that a file without indentation loses no text.
    size_t maxStrip = static_cast<size_t>(m_depthCounter + 1) + (m_inStlbBau ? 1 : 0);
    size_t strip = 0;
    while (strip < maxStrip && strip < line.size() && line[strip] == ' ')
        ++strip;

    const size_t searchFrom = m_currentValue.size();
    m_currentValue += "\r\n";
    m_currentValue.append(line.substr(strip));
    const size_t end = m_currentValue.find(kValueEnd, searchFrom);
    if (end == std::string::npos) return;
    m_currentValue.resize(end);
    m_pending = false;
    Append(m_currentName, CGaebTagNode::Kind::Item, m_currentValue);
    m_currentName = 0;
    m_currentValue.clear();
}

uint32_t CGaebTagTree::InternName(std::string_view name) {
    const auto found = m_nameIds.find(name);
    if (found != m_nameIds.end()) return found->second;
    const uint32_t id = CGaebTagNode::InternName(name);
    // The key views the pool's copy, which outlives the tree.
    if (id != 0) m_nameIds.emplace(CGaebTagNode::NameOf(id), id);
    return id;
}

char* CGaebTagTree::StoreValue(std::string_view value) {
    if (value.empty()) return nullptr;
    if (m_valueCapacity - m_valueUsed < value.size()) {
        m_valueCapacity = std::max(kValueBlock, value.size());
        m_valueBlocks.push_back(std::make_unique_for_overwrite<char[]>(m_valueCapacity));
        m_valueUsed = 0;
    }
    char* stored = m_valueBlocks.back().get() + m_valueUsed;
    std::memcpy(stored, value.data(), value.size());
    m_valueUsed += value.size();
    return stored;
}

void CGaebTagTree::SetValue(CGaebTagNode* node, std::string_view value) {
    if (!node || node->IsBlock()) return;
    // A value no longer than the old one takes its place, so that saving again and again
    // does not let the storage grow.
    if (value.size() > node->m_valueSize) {
        node->m_value = StoreValue(value);
    } else if (!value.empty()) {
        // memmove: the new value may be a part of the old one.
        std::memmove(node->m_value, value.data(), value.size());
    }
    node->m_valueSize = static_cast<uint32_t>(value.size());
}

CGaebTagNode* CGaebTagTree::NewNode(uint32_t name, CGaebTagNode::Kind kind, int32_t depth,
                                    std::string_view value) {
    static_assert(CGaebTagNode::kNameCapacity <= (1u << (32 - CGaebTagNode::kNameShift)));
    static_assert(kMaxDepth + 3 <= CGaebTagNode::kDepthMask);
    const int32_t index = m_nodes.Size();
    CGaebTagNode* node = &m_nodes.Add();
    node->m_index = index;
    node->m_bits = (name << CGaebTagNode::kNameShift) |
                   ((static_cast<uint32_t>(depth) & CGaebTagNode::kDepthMask) << CGaebTagNode::kKindBits) |
                   static_cast<uint32_t>(kind);
    if (kind == CGaebTagNode::Kind::Block) {
        node->m_children = {-1, -1};
        node->m_recordIndex = -1;
    } else {
        node->m_value = nullptr;
        node->m_valueSize = 0;
        SetValue(node, value);
    }
    return node;
}

CGaebTagNode* CGaebTagTree::AddNode(std::string_view name, CGaebTagNode::Kind kind, std::string_view value) {
    return Append(InternName(name), kind, value);
}

CGaebTagNode* CGaebTagTree::Append(uint32_t name, CGaebTagNode::Kind kind, std::string_view value) {
    int32_t parent = -1;
    int32_t depth = 0;
    if (kind == CGaebTagNode::Kind::Block) {
        depth = std::max(m_depthCounter, 0);
        if (depth >= 1 && static_cast<size_t>(depth - 1) < m_openBlocks.size())
            parent = m_openBlocks[static_cast<size_t>(depth - 1)];
    } else {
        depth = m_depthCounter + 1;
        if (m_depthCounter >= 0 && static_cast<size_t>(m_depthCounter) < m_openBlocks.size())
            parent = m_openBlocks[static_cast<size_t>(m_depthCounter)];
    }
    CGaebTagNode* node = NewNode(name, kind, depth, value);
    node->m_line = kind == CGaebTagNode::Kind::Item && m_currentLine > 0 ? m_currentLine : m_lineNo;
    if (kind == CGaebTagNode::Kind::Block) {
        if (m_openBlocks.size() <= static_cast<size_t>(depth))
            m_openBlocks.resize(static_cast<size_t>(depth) + 1, -1);
        m_openBlocks[static_cast<size_t>(depth)] = node->m_index;
    }
    CGaebTagNode* parentNode = Node(parent);
    LinkSibling(node, parentNode, parentNode ? Node(parentNode->m_children.last) : Node(m_lastRoot));
    return node;
}

void CGaebTagTree::LinkSibling(CGaebTagNode* node, CGaebTagNode* parent, CGaebTagNode* after) {
    const int32_t index = node->m_index;
    int32_t& first = parent ? parent->m_children.first : m_firstRoot;
    int32_t& last = parent ? parent->m_children.last : m_lastRoot;
    node->m_parent = parent ? parent->m_index : -1;
    node->m_nextSibling = after ? after->m_nextSibling : first;
    if (after)
        after->m_nextSibling = index;
    else
        first = index;
    if (node->m_nextSibling < 0) last = index;
}

CGaebTagNode* CGaebTagTree::WalkNext(const CGaebTagNode* node, const CGaebTagNode* top) const {
    if (CGaebTagNode* child = FirstChild(node)) return child;
    for (const CGaebTagNode* n = node; n; n = Parent(n)) {
        if (CGaebTagNode* sibling = NextSibling(n)) return sibling;
        if (Parent(n) == top) break;
    }
    return nullptr;
}

CGaebTagNode* CGaebTagTree::FindItem(std::string_view name, const CGaebTagNode* block) const {
    for (CGaebTagNode* child = FirstChild(block); child; child = NextSibling(child))
        if (child->IsItem() && child->HasName(name)) return child;
    return nullptr;
}

CGaebTagNode* CGaebTagTree::FindBlock(std::string_view name, const CGaebTagNode* start) const {
    // Depth-first in file order over `start` and its following siblings with their
    // subtrees, without ever climbing above the level of `start`.
    CGaebTagNode* node = start ? Node(start->m_index) : FirstRoot();
    if (!node) return nullptr;
    const int32_t stopParent = node->m_parent;
    while (node) {
        if (node->IsBlock() && node->HasName(name)) return node;
        if (node->FirstChildIndex() >= 0) {
            node = Node(node->FirstChildIndex());
            continue;
        }
        while (node->m_nextSibling < 0) {
            if (node->m_parent == stopParent) return nullptr;
            node = Node(node->m_parent);
        }
        node = Node(node->m_nextSibling);
    }
    return nullptr;
}

CGaebTagNode* CGaebTagTree::AppendItem(std::string_view name, CGaebTagNode* block) {
    if (!block || !block->IsBlock()) return nullptr;
    CGaebTagNode* lastItem = nullptr;
    for (CGaebTagNode* child = FirstChild(block); child && child->IsItem(); child = NextSibling(child))
        lastItem = child;
    CGaebTagNode* node = NewNode(InternName(name), CGaebTagNode::Kind::Item, block->Depth() + 1, {});
    LinkSibling(node, block, lastItem);
    return node;
}

CGaebTagNode* CGaebTagTree::InsertBlock(std::string_view name, CGaebTagNode* ref, bool asChild) {
    if (!ref || (asChild && !ref->IsBlock())) return nullptr;
    CGaebTagNode* node =
        NewNode(InternName(name), CGaebTagNode::Kind::Block, asChild ? ref->Depth() + 1 : ref->Depth(), {});
    if (asChild) {
        LinkSibling(node, ref, nullptr);
        return node;
    }
    // The sibling before `ref`: blocks have few children, and this is called once per save.
    CGaebTagNode* parent = Parent(ref);
    CGaebTagNode* before = nullptr;
    for (CGaebTagNode* n = parent ? FirstChild(parent) : FirstRoot(); n && n != ref; n = NextSibling(n))
        before = n;
    LinkSibling(node, parent, before);
    return node;
}
