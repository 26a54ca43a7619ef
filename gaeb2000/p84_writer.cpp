#include "gaeb2000/p84_writer.h"

#include "common/number_format.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaeb2000/supplement_scan.h"
#include "model/info_blocks.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <new>

namespace {

const char* const kProgramName = "Valdorhaus Angebotsbearbeitung V11";

const char* const kNoTree = "Die Angebotsabgabe kann nicht geschrieben werden: Es ist keine GAEB-2000-Datei "
                            "ge\xf6"
                            "ffnet.";
const char* const kTreeMismatch =
    "Die Angebotsabgabe kann nicht geschrieben werden: Die Positionen passen nicht "
    "zur ge\xf6"
    "ffneten GAEB-2000-Datei.";
const char* const kOutOfMemory = "Nicht gen\xfcgend Arbeitsspeicher";

// The name of a level no node has opened (a walk that starts inside the tree).
const std::string kNoName;

constexpr std::string_view kEscOpen = "&#91;";
constexpr std::string_view kEscClose = "&#93;";
constexpr std::string_view kBookmarkStart = "{\\bkmkstart";
constexpr std::string_view kBookmarkEnd = "{\\bkmkend";

bool ContainsNoCase(std::string_view text, std::string_view word) {
    return ToUpperAscii(text).find(ToUpperAscii(word)) != std::string::npos;
}

std::string WithoutQuotes(std::string text) {
    std::erase(text, '\'');
    return text;
}

// A bidder text placed into an escaped long text: "[end]" would end the item value
// in the file, so its bracket is written as the file's escape.
std::string EscapedText(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 5, "[end]") == 0)
            out += kEscOpen;
        else
            out += text[i];
    }
    return out;
}

// A bidder text placed into an RTF long text: RTF control characters are escaped, and
// brackets are written as hex escapes so that "[end]" cannot end the item value.
std::string RtfText(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            out += '\\';
            out += c;
            break;
        case '[':
            out += "\\'5b";
            break;
        case ']':
            out += "\\'5d";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

CP84Writer::CP84Writer(const CAngebotList& list, CGaebTagTree& tree)
    : m_list(list), m_tree(tree), m_blocks(tree) {}

void CP84Writer::SetStampTime(std::string date, std::string time) {
    m_stampDate = std::move(date);
    m_stampTime = std::move(time);
}

CIoResult CP84Writer::WriteTagFile(const std::string& path) {
    try {
        if (!m_tree.FirstRoot()) return CIoResult::Failure(kNoTree);
        if (!RecordsMatch()) return CIoResult::Failure(kTreeMismatch);

        PrepareBidder();
        // The lines go to the file in pieces: a bid as large as its LV is never held whole.
        CReplacingFile file(path);
        m_file = &file;
        m_out.clear();
        m_out.reserve(kPiece + 4096);
        m_openCount = 0;
        m_blocksWritten = 0;
        m_itemsWritten = 0;
        m_added.clear();
        m_addAfter = nullptr;
        m_names.clear();
        m_blocks.Reset();
        WriteTree(nullptr);

        // Close what is still open; the outermost end line carries the counts.
        for (int32_t level = m_openCount - 1; level >= 0; --level) {
            const std::string counts =
                level == 0 ? std::to_string(m_blocksWritten) + "|" + std::to_string(m_itemsWritten)
                           : std::string();
            Line(level, {"#end[", *m_names[static_cast<size_t>(level)], "]", counts});
        }
        m_openCount = 0;

        file.Write(m_out);
        m_out.clear();
        m_file = nullptr;
        return file.Commit();
    } catch (const std::bad_alloc&) {
        m_file = nullptr;
        return CIoResult::Failure(kOutOfMemory);
    }
}

bool CP84Writer::RecordsMatch() const {
    for (int32_t i = 0; i < m_tree.Count(); ++i) {
        const CGaebTagNode* node = m_tree.Node(i);
        if (!node->IsBlock()) continue;
        char kind = '\0';
        if (node->HasName("Position") || node->HasName("ZuschlPosition"))
            kind = 'P';
        else if (node->HasName("LVBereich"))
            kind = 'T';
        else
            continue;
        const int r = node->RecordIndex();
        if (r < 0 || r >= m_list.Count() || m_list.GetChar(r, Fld::Kind) != kind) return false;
    }
    return true;
}

void CP84Writer::WriteTree(CGaebTagNode* start) {
    // Each node, then its children, then its next sibling; the STLB-Bau indentation
    // starts afresh with the children of every block.
    m_inStlbBau = false;
    CGaebTagNode* node = start ? start : m_tree.FirstRoot();
    const CGaebTagNode* top = m_tree.Parent(node);
    while (node) {
        WriteNode(node);
        CGaebTagNode* next = m_tree.WalkNext(node, top);
        if (next && m_tree.Parent(next) == node) m_inStlbBau = false;
        node = next;
    }
}

void CP84Writer::CloseLevelsAbove(int32_t depth) {
    while (m_openCount > depth) {
        --m_openCount;
        Line(m_openCount, {"#end[", *m_names[static_cast<size_t>(m_openCount)], "]"});
    }
}

void CP84Writer::WriteNode(CGaebTagNode* node) {
    const int32_t d = std::max(node->Depth(), 0);
    CloseLevelsAbove(d);
    m_openCount = node->IsBlock() ? d + 1 : d;
    if (m_names.size() <= static_cast<size_t>(d)) m_names.resize(static_cast<size_t>(d) + 1, &kNoName);
    m_names[static_cast<size_t>(d)] = &node->Name();
    const int indent = d + (m_inStlbBau ? 1 : 0);

    switch (node->GetKind()) {
    case CGaebTagNode::Kind::StlbBegin:
        Line(0, {node->Name()});
        m_inStlbBau = true;
        return;
    case CGaebTagNode::Kind::StlbEnd:
        Line(0, {node->Name()});
        m_inStlbBau = false;
        return;
    case CGaebTagNode::Kind::Block:
        ++m_blocksWritten;
        if (node->HasName("Position")) {
            WritePositionPrices(node);
            WriteBidderTexts(node);
        } else if (node->HasName("ZuschlPosition")) {
            WriteSurchargePrices(node);
        } else if (node->HasName("LVBereich")) {
            SetItem(node, "Summe", Plain(node->RecordIndex(), Fld::TotalPrice, 2));
        } else if (node->HasName("LVInfo")) {
            WriteLvTotals(node);
        }
        Line(indent, {"#begin[", node->Name(), "]"});
        if (m_addAfter == node) WriteAddedItems();
        return;
    default:
        break;
    }

    ++m_itemsWritten;
    const CGaebTagNode* parent = m_tree.Parent(node);
    if (parent && (parent->HasName("GAEBInfo") || parent->HasName("Vergabe"))) UpdateStamp(node);

    WriteItem(indent, node->Name(), node->ValueView());
    if (m_addAfter == node) WriteAddedItems();
}

void CP84Writer::WriteAddedItems() {
    // Items of the block, so one level deeper, and never inside an STLB-Bau section: they
    // follow the block's first items, which come before any marker line.
    const int32_t depth = m_addAfter->IsBlock() ? m_addAfter->Depth() + 1 : m_addAfter->Depth();
    for (const SAddedItem& item : m_added) {
        ++m_itemsWritten;
        WriteItem(depth, item.name, item.value);
    }
    m_added.clear();
    m_addAfter = nullptr;
}

void CP84Writer::WriteItem(int indent, std::string_view name, std::string_view value) {
    if (value.find('\n') == std::string::npos) {
        Line(indent, {"[", name, "]", value, "[end]"});
        return;
    }
    std::vector<std::string> lines;
    SplitInfoLines(value, lines);
    if (lines.size() <= 1) {
        Line(indent, {"[", name, "]", lines.empty() ? std::string_view() : lines.front(), "[end]"});
        return;
    }
    Line(indent, {"[", name, "]", lines.front()});
    for (size_t i = 1; i + 1 < lines.size(); ++i)
        Line(indent, {lines[i]});
    Line(indent, {lines.back(), "[end]"});
}

void CP84Writer::WritePositionPrices(CGaebTagNode* node) {
    const int r = node->RecordIndex();
    SetItem(node, "Menge", Plain(r, Fld::Quantity, 3));
    SetItem(node, "EP", Plain(r, Fld::UnitPrice, 2));
    // The shares go where the position asks for them, and into share items the file
    // already has, so that the file's old shares never stand beside the new unit price.
    // Shares 3 to 6 are read into the other share and are therefore written as 0.
    const CGaebTagNode* split = m_tree.FindItem("EPAufgl", node);
    const bool splitPrice = split && split->ValueView() == "J";
    bool sharesWritten = false;
    for (const auto& [name, field] :
         {std::pair{"EPAnteil1", Fld::WageShare}, std::pair{"EPAnteil2", Fld::OtherShare}}) {
        if (!splitPrice && !m_tree.FindItem(name, node)) continue;
        SetItem(node, name, Plain(r, field, 2));
        sharesWritten = true;
    }
    for (const char* name : {"EPAnteil3", "EPAnteil4", "EPAnteil5", "EPAnteil6"}) {
        CGaebTagNode* item = m_tree.FindItem(name, node);
        if (item && sharesWritten) m_tree.SetValue(item, "0.00");
    }
    SetItem(node, "NachlassProz", Plain(r, Fld::SurchargePct, 2, true));
    SetItem(node, "GB", Plain(r, Fld::TotalPrice, 2));
}

void CP84Writer::WriteLvTotals(CGaebTagNode* info) {
    const CGaebTagNode* lv = m_tree.Parent(info);
    if (!lv || !lv->HasName("LV")) return;
    const int r = lv->RecordIndex();
    if (r < 0 || r >= m_list.Count() || m_list.GetChar(r, Fld::Kind) != Kind::Lv) return;
    // The invitation's rate (often a preset 19) must not stand beside totals computed without it.
    SetItem(info, "Summe", Plain(r, Fld::TotalPrice, 2));
    std::string rate;
    m_format.FormatPlain(CNumberFormat::RoundTo(vatRate, 2), 2, rate);
    SetItem(info, "USt", std::move(rate));
}

void CP84Writer::WriteSurchargePrices(CGaebTagNode* node) {
    // A surcharge position carries its basis, its percentage and its total; they are
    // the bid's values as much as the prices of a position.
    const int r = node->RecordIndex();
    if (FlagAt(m_list.GetText(r, Fld::Flags), FlagPos::Surcharge) != 'Z') return;
    SetItem(node, "GBZuschl", Plain(r, Fld::UnitPrice, 2));
    SetItem(node, "Zuschlag", Plain(r, Fld::Quantity, 3));
    SetItem(node, "GB", Plain(r, Fld::TotalPrice, 2));
}

void CP84Writer::WriteBidderTexts(CGaebTagNode* node) {
    const int r = node->RecordIndex();
    if (m_list.GetText(r, Fld::Flags).size() < 9) return;
    CGaebTagNode* description = m_blocks.Find("Beschreibung", node);
    CGaebTagNode* longText = description ? m_tree.FindItem("Langtext", description) : nullptr;
    if (!longText) return;
    const std::string_view t = longText->ValueView();
    // A text without supplements stays as it is.
    if (t.find(m_tree.HasRtfLongTexts() ? kBookmarkStart : std::string_view("&#91;T")) ==
        std::string_view::npos)
        return;

    std::vector<std::string> lines;
    SplitInfoLines(m_list.GetText(r, Fld::BidderTexts), lines);
    size_t k = 0;
    std::string o;
    char kind = '\0';
    SupplementScan state = SupplementScan::Marker;
    size_t pos = 0;
    // Moves the text up to `end` into the output.
    auto take = [&](size_t end) {
        o.append(t, pos, end - pos);
        pos = end;
    };

    if (!m_tree.HasRtfLongTexts()) {
        // Supplements written as "&#91;Tknn&#91;text&#93;&#93;".
        while (pos < t.size()) {
            if (state == SupplementScan::Marker) {
                const size_t mark = t.find("&#91;T", pos);
                if (mark == std::string::npos) break;
                const size_t kindAt = mark + 6;
                kind = kindAt < t.size() ? t[kindAt] : '\0';
                take(std::min(kindAt + 3, t.size()));
                state = SupplementScan::TextOpen;
            } else if (state == SupplementScan::TextOpen) {
                const size_t open = t.find(kEscOpen, pos);
                if (open == std::string::npos) break;
                take(open + kEscOpen.size());
                state = SupplementScan::Text;
            } else if (state == SupplementScan::Text) {
                const size_t close = t.find(kEscClose, pos);
                if (close == std::string::npos) break;
                if (kind == 'B' && k < lines.size()) {
                    o += EscapedText(WithoutQuotes(lines[k++]));
                    pos = close;
                }
                take(close + kEscClose.size());
                state = SupplementScan::OuterClose;
            } else {
                const size_t close = t.find(kEscClose, pos);
                if (close == std::string::npos) break;
                take(close + kEscClose.size());
                state = SupplementScan::Marker;
            }
        }
    } else {
        // Supplements as bookmarks: "{\bkmkstart Tknn}{\bkmkstart Feldnn}text{\bkmkend
        // Feldnn}{\bkmkend Tknn}".
        while (pos < t.size()) {
            if (state == SupplementScan::Marker) {
                const size_t mark = t.find(kBookmarkStart, pos);
                const size_t close =
                    mark == std::string::npos ? mark : t.find('}', mark + kBookmarkStart.size());
                if (close == std::string::npos) break;
                const std::string name = TrimLeft(std::string_view(t).substr(
                    mark + kBookmarkStart.size(), close - mark - kBookmarkStart.size()));
                kind = name.size() >= 2 ? name[1] : 'B';
                take(close + 1);
                state = SupplementScan::TextOpen;
            } else if (state == SupplementScan::TextOpen) {
                const size_t mark = t.find(kBookmarkStart, pos);
                const size_t close =
                    mark == std::string::npos ? mark : t.find('}', mark + kBookmarkStart.size());
                if (close == std::string::npos) break;
                take(close + 1);
                state = SupplementScan::Text;
            } else {
                const size_t mark = t.find(kBookmarkEnd, pos);
                const size_t close =
                    mark == std::string::npos ? mark : t.find('}', mark + kBookmarkEnd.size());
                if (close == std::string::npos) break;
                if (state == SupplementScan::Text && kind == 'B' && k < lines.size()) {
                    o += RtfText(WithoutQuotes(lines[k++]));
                    pos = mark;
                }
                take(close + 1);
                state = state == SupplementScan::Text ? SupplementScan::OuterClose : SupplementScan::Marker;
            }
        }
    }
    o.append(t, pos);
    m_tree.SetValue(longText, o);
}

void CP84Writer::UpdateStamp(CGaebTagNode* item) {
    std::string date = m_stampDate;
    std::string time = m_stampTime;
    if (date.empty() || time.empty()) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
#ifdef _WIN32
        localtime_s(&local, &now);
#else
        localtime_r(&now, &local);
#endif
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                      local.tm_year + 1900);
        if (date.empty()) date = buffer;
        std::snprintf(buffer, sizeof buffer, "%02d:%02d", local.tm_hour, local.tm_min);
        if (time.empty()) time = buffer;
    }

    if (item->HasName("Datum"))
        m_tree.SetValue(item, date);
    else if (item->HasName("Uhrzeit"))
        m_tree.SetValue(item, time);
    else if (item->HasName("ProgSystem") || item->HasName("ProgName"))
        m_tree.SetValue(item, kProgramName);
    else if (item->HasName("DP"))
        m_tree.SetValue(item, "84");
}

void CP84Writer::PrepareBidder() {
    std::string name;
    CInfoBlocks::GetBlockOfFirstRecord(m_list, InfoKey::Bidder, name);

    if (CGaebTagNode* bidder = m_tree.FindBlock("AN", nullptr)) {
        // The bidder's own address only: an address found behind "AN" would be another
        // party's, such as the client's.
        CGaebTagNode* first = m_tree.FirstChild(bidder);
        CGaebTagNode* address = first ? m_tree.FindBlock("Adresse", first) : nullptr;
        if (!address) address = m_tree.InsertBlock("Adresse", bidder, true);
        if (address) m_tree.SetValue(FindOrAddItem(address, "Name1"), name);
    } else if (CGaebTagNode* client = m_tree.FindBlock("AG", nullptr)) {
        bidder = m_tree.InsertBlock("AN", client, false);
        CGaebTagNode* address = m_tree.InsertBlock("Adresse", bidder, true);
        m_tree.SetValue(m_tree.AppendItem("Name1", address), name);
        m_tree.SetValue(m_tree.AppendItem("PLZ", address), "99999");
        m_tree.AppendItem("DVNr", bidder);
        m_tree.AppendItem("VergNr", bidder);
    }

    std::string code;
    CInfoBlocks::GetBlockOfFirstRecord(m_list, InfoKey::Currency, code);
    if (code.size() > 5) code = TrimRight(code.substr(0, 6));
    // Without a currency the file's own currency items stay as they are.
    if (Trim(code).empty()) return;
    for (int32_t i = 0; i < m_tree.Count(); ++i) {
        CGaebTagNode* node = m_tree.Node(i);
        if (!node->IsItem() || !ContainsNoCase(node->Name(), "Wae")) continue;
        if (node->ValueView() == code) break;
        m_tree.SetValue(node, code);
    }
}

CGaebTagNode* CP84Writer::FindOrAddItem(CGaebTagNode* block, std::string_view name) {
    if (CGaebTagNode* item = m_tree.FindItem(name, block)) return item;
    return m_tree.AppendItem(name, block);
}

void CP84Writer::SetItem(const CGaebTagNode* block, std::string_view name, std::string value) {
    if (CGaebTagNode* item = m_tree.FindItem(name, block)) {
        m_tree.SetValue(item, value);
        return;
    }
    if (m_added.empty()) {
        // Where the tree would put the item: after the block's first run of items.
        m_addAfter = block;
        for (const CGaebTagNode* child = m_tree.FirstChild(block); child && child->IsItem();
             child = m_tree.NextSibling(child))
            m_addAfter = child;
    }
    m_added.push_back({name, std::move(value)});
}

std::string CP84Writer::Plain(int r, Fld field, int decimals, bool negate) {
    const double value = m_list.GetDouble(r, field);
    std::string text;
    m_format.FormatPlain(negate ? -value : value, decimals, text);
    return text;
}

void CP84Writer::Line(int indent, std::initializer_list<std::string_view> parts) {
    m_out.append(static_cast<size_t>(std::max(indent, 0)), ' ');
    for (std::string_view part : parts)
        m_out += part;
    m_out += "\r\n";
    if (m_file && m_out.size() >= kPiece) {
        m_file->Write(m_out);
        m_out.clear();
    }
}
