#include "gaeb2000/gaeb_mapper.h"

#include "common/number_format.h"
#include "common/text_util.h"
#include "gaeb2000/rtf_plain_text.h"
#include "gaeb2000/supplement_scan.h"
#include "model/calculation.h"
#include "model/gaeb_text.h"
#include "model/info_blocks.h"
#include "model/info_values.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr size_t kFlagsLength = 20;
// Longest OZ mask kept; the ordinal-number formatter looks at its first nine places.
constexpr size_t kMaxOzMask = 64;
// Numbers beyond this are refused: the grid shows at most 12 integer digits.
constexpr double kMaxNumber = 1e12;

enum class Handler { None, LvInfo, Description, Position, Surcharge, ExecDescription };

struct MapEntry {
    const char* name;
    const char* kind;
    const char* subKind;
    Handler handler;
};

const MapEntry kMapTable[] = {
    {"LV", "L", nullptr, Handler::LvInfo},
    {"LVBereich", "T", nullptr, Handler::None},
    {"Hinweis", "B", nullptr, Handler::Description},
    {"Position", "P", "N", Handler::Position},
    {"ZuschlPosition", "P", "N", Handler::Surcharge},
    {"AusfBeschr", "B", "A", Handler::ExecDescription},
};

std::string Format03(int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%03d", value);
    return buffer;
}

std::string Format04(int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d", value);
    return buffer;
}

std::string Format02(int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

// Replaces every `from` by `to` in one pass.
std::string ReplaceEvery(const std::string& text, std::string_view from, std::string_view to) {
    if (text.find(from) == std::string::npos) return text;
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    for (size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
        out.append(to);
    }
    out.append(text, pos);
    return out;
}

} // namespace

CGaebMapper::CGaebMapper(CAngebotList& list, CGaebTagTree& tree)
    : m_list(list), m_tree(tree), m_blocks(tree) {}

CIoResult CGaebMapper::MapTree(CGaebTagNode* start) {
    m_blocks.Reset();
    m_error = CIoResult::Success();
    // Each node, then its children, then its next sibling: the file order of the run.
    CGaebTagNode* node = start ? start : m_tree.FirstRoot();
    const CGaebTagNode* top = m_tree.Parent(node);
    for (; node && m_error; node = m_tree.WalkNext(node, top))
        MapNode(node);
    return m_error;
}

double CGaebMapper::Checked(double value, const CGaebTagNode* item) {
    if (std::isfinite(value) && std::fabs(value) < kMaxNumber) return value;
    if (m_error)
        m_error = CIoResult::Failure(
            "Der Wert von [" + item->Name() + "] ist keine g\xfcltige Zahl oder zu gro\xdf", item->Line());
    return 0.0;
}

void CGaebMapper::MapNode(CGaebTagNode* node) {
    if (!node) return;
    const MapEntry* entry = nullptr;
    for (const MapEntry& e : kMapTable) {
        if (node->HasName(e.name)) {
            entry = &e;
            break;
        }
    }
    if (!entry) return;

    const int r = m_list.AddRecord();
    node->SetRecordIndex(r);
    const bool isLv = entry->handler == Handler::LvInfo;
    SetPlace(r, isLv ? 0.0 : static_cast<double>(node->ParentIndex()), static_cast<double>(node->Index()),
             node->Depth());

    std::string_view value;
    if (Item(node, "Bez", value)) m_list.SetText(r, Fld::ShortText, std::string(value));
    if (Item(node, "OZ", value)) m_list.SetText(r, Fld::OZ, FormatOZ(value));
    m_list.SetText(r, Fld::Kind, entry->kind);
    if (entry->subKind) m_list.SetText(r, Fld::SubKind, entry->subKind);

    switch (entry->handler) {
    case Handler::LvInfo:
        MapLVInfo(node, r);
        break;
    case Handler::Description:
        MapDescription(node, r, true);
        break;
    case Handler::Position:
        MapPosition(node, r);
        break;
    case Handler::Surcharge:
        MapSurchargePosition(node, r);
        break;
    case Handler::ExecDescription:
        MapExecDescription(node, r);
        break;
    case Handler::None:
        break;
    }
}

void CGaebMapper::MapLVInfo(CGaebTagNode* lvNode, int r) {
    CGaebTagNode* info = m_blocks.Find("LVInfo", lvNode);
    if (!info) return;

    std::string lvName;
    if (Item(info, "Bez", lvName)) m_list.SetText(r, Fld::ShortText, lvName);

    // The OZ mask: one character per place of the ordinal number, "1", "2", ... for the
    // levels of LV areas, "P" for the position number and "I" for the index.
    std::string mask;
    std::string piece;
    for (CGaebTagNode* g = m_blocks.Find("LVGlied", info); g; g = m_tree.NextSibling(g)) {
        std::string type;
        if (Item(g, "Typ", type)) {
            if (type == "LVStufe") {
                if (!mask.empty() && mask.front() == '1') {
                    const char last = mask.back();
                    piece = std::to_string((last >= '0' && last <= '9' ? last - '0' : 0) + 1);
                } else {
                    piece = "1";
                }
            } else if (type == "Position") {
                piece = "P";
            } else if (type == "Index") {
                piece = "I";
            }
        }
        std::string length;
        if (Item(g, "Laenge", length)) {
            const int count = std::min(ParseInt(length), static_cast<int>(kMaxOzMask));
            for (int n = 0; n < count && !piece.empty() && mask.size() + piece.size() <= kMaxOzMask; ++n)
                mask += piece;
        }
    }
    m_tree.SetOzMask(mask);

    MapAwardInfo(r);

    SetInfoValue(m_list, r, "LVBezeichnung", lvName);
    std::string value;
    if (Item(info, "Datum", value)) SetInfoValue(m_list, r, "LVDatum", value);
    CGaebTagNode* project = m_blocks.Find("PrjInfo", nullptr);
    if (project && Item(project, "Beschreib", value)) {
        SetInfoValue(m_list, r, "ProjektInfo", value);
        m_list.SetText(r, Fld::LongText, value);
    }
}

void CGaebMapper::MapAwardInfo(int r) {
    std::string opening(71, ' ');
    opening.replace(8, 3, "81L");
    opening.replace(34, 3, "000");
    opening.replace(69, 2, "90");
    const std::string lvLine = std::string(40, ' ') + "01.01.01" + "01.01.01" + "10:00" + "01.01.01" + "  ";

    std::string info;
    for (const std::string& line :
         {std::string(InfoKey::Opening), opening, std::string(InfoKey::Lv), lvLine,
          std::string(InfoKey::Project), std::string(" "), std::string(InfoKey::Client), std::string(" "),
          std::string(InfoKey::Currency), std::string(" "), std::string(InfoKey::Components),
          std::string(" ")})
        info += line + "\r\n";
    m_list.SetText(r, Fld::InfoText, info);

    const auto set = [&](std::string_view key, const std::string& text) {
        SetInfoValue(m_list, r, key, text);
    };
    std::string value;

    if (CGaebTagNode* award = m_blocks.Find("VergabeInfo", nullptr)) {
        std::string code;
        if (Item(award, "Wae", code)) {
            std::string currency = code;
            if (currency.size() < 6) currency.resize(6, ' ');
            if (Item(award, "WaeBez", value)) currency += value;
            set("08", currency);
            set("BieterW\xe4hrung", code);
        }
        if (Item(award, "ErDatum", value)) set("AbgabeDatum", value);
        if (Item(award, "ErUhrzeit", value)) set("AbgabeZeit", value);
        if (Item(award, "ZusEnde", value)) set("ZuschlagsFrist", value);
    }

    // The address is looked for inside the party's own block only: the client's name
    // must not be taken from the bidder's address or the other way round.
    if (CGaebTagNode* client = m_blocks.Find("AG", nullptr)) {
        CGaebTagNode* address = m_blocks.FindInside("Adresse", client);
        if (address && Item(address, "Name1", value)) set("03", value);
        if (Item(client, "DVNr", value)) set("DVNrAG", value);
        if (Item(client, "VergNr", value)) set("VergabeNrAG", value);
    }
    if (CGaebTagNode* bidder = m_blocks.Find("AN", nullptr)) {
        CGaebTagNode* address = m_blocks.FindInside("Adresse", bidder);
        if (address && Item(address, "Name1", value)) set("04", value);
        if (Item(bidder, "DVNr", value)) set("DVNrAN", value);
        if (Item(bidder, "VergNr", value)) set("VergabeNrAN", value);
    }
}

void CGaebMapper::ApplyPositionFlags(const CGaebTagNode* node, int r, std::string& f) {
    std::string_view value;
    if (Item(node, "Bedarf", value)) {
        if (value == "E")
            m_list.SetText(r, Fld::PosType, "E");
        else if (value == "M")
            m_list.SetText(r, Fld::PosType, "F");
    }
    if (ItemIs(node, "Entf", "J")) f[FlagPos::Omitted] = 'R';
    if (ItemIs(node, "StPos", "J")) f[FlagPos::HourlyRate] = '1';
    if (ItemIs(node, "SPos", "J")) f[FlagPos::Marked] = '1';
    if (Item(node, "NachtrStatus", value) && !value.empty()) {
        m_list.SetText(r, Fld::PosType, "T");
        f[FlagPos::Status] = value.front();
    }
}

void CGaebMapper::MapPosition(CGaebTagNode* node, int r) {
    // The texts are post-processed once the flags and references are known, as the
    // GAEB 90 reader does when a record is complete: "&OZNR&" needs them.
    const bool described = ReadDescription(node, r, true);

    std::string_view value;
    if (m_tree.FindItem("Menge", node)) m_list.SetDouble(r, Fld::Quantity, Number(node, "Menge"));
    if (Item(node, "ME", value)) m_list.SetText(r, Fld::Unit, std::string(value));

    std::string f = PaddedFlags(r);

    const int group = Integer(node, "ZZGruppeNr");
    std::string_view serial;
    if (group != 0 && Item(node, "ZZLfdNr", serial)) {
        if (ParseInt(serial) == 0) {
            m_list.SetText(r, Fld::PosType, "G");
            m_list.SetText(r, Fld::GroupRef, Format03(group));
        } else {
            m_list.SetText(r, Fld::PosType, "A");
            m_list.SetText(r, Fld::GroupRef, Format03(group).append(serial));
        }
    }

    ApplyPositionFlags(node, r, f);
    if (ItemIs(node, "EPAufgl", "J")) f[FlagPos::SplitPrice] = 'X';
    if (ItemIs(node, "Bezuschl", "J")) f[FlagPos::Surcharge] = 'E';

    if (Item(node, "BezugBeschr", value) && (value == "B" || value == "W")) {
        f[FlagPos::DescRef] = value.front();
        std::string_view ref;
        if (value == "W" && Item(node, "BezugOZ", ref)) m_list.SetText(r, Fld::RepeatRef, FormatOZ(ref));
    }
    if (Item(node, "BezugAusfNr", value) && ParseInt(value) > 0) {
        f[FlagPos::DescRef] = 'A';
        m_list.SetText(r, Fld::RepeatRef, std::string(value));
    }
    if (ItemIs(node, "FrMenge", "J")) f[FlagPos::BidderQuantity] = 'X';
    if (ItemIs(node, "LeitBeschr", "J")) m_list.SetText(r, Fld::SubKind, "L");

    // Unit-price parts: part 1 is the wage share, the others make up the other share.
    const double wage = Number(node, "EPAnteil1");
    if (wage != 0.0) m_list.SetDouble(r, Fld::WageShare, wage);
    double rest = Number(node, "EPAnteil2");
    if (rest != 0.0) f[FlagPos::SplitPrice] = 'X';
    m_list.SetText(r, Fld::Flags, f);
    for (const char* part : {"EPAnteil3", "EPAnteil4", "EPAnteil5", "EPAnteil6"})
        rest += Number(node, part);
    m_list.SetDouble(r, Fld::OtherShare, rest);

    if (wage == 0.0 && rest == 0.0) {
        const double price = Number(node, "EP");
        if (price != 0.0) m_list.SetDouble(r, Fld::UnitPrice, price);
    } else {
        m_list.SetDouble(r, Fld::UnitPrice, wage + rest);
    }

    if (m_tree.FindItem("NachlassProz", node)) {
        const double surcharge = -Number(node, "NachlassProz");
        if (surcharge != 0.0) m_list.SetDouble(r, Fld::SurchargePct, surcharge);
    }

    if (described) PostProcessLongText(m_list, r);
    RecalcPositionTotals(r);
    MapSubDescriptions(node, r);
}

void CGaebMapper::MapSurchargePosition(CGaebTagNode* node, int r) {
    std::string f = PaddedFlags(r);
    std::string_view value;

    const int group = Integer(node, "ZZGruppeNr");
    std::string_view serial;
    if (group >= 1 && Item(node, "ZZLfdNr", serial)) {
        if (ParseInt(serial) == 0) {
            m_list.SetText(r, Fld::PosType, "G");
            m_list.SetText(r, Fld::GroupRef, Format03(group));
        } else {
            m_list.SetText(r, Fld::PosType, "A");
            m_list.SetText(r, Fld::GroupRef, Format03(group) + SafeSubstr(serial, 0, 1));
        }
    }

    ApplyPositionFlags(node, r, f);

    if (Item(node, "BezugOZ", value) && ParseInt(value) != 0) {
        f[FlagPos::DescRef] = 'W';
        m_list.SetText(r, Fld::RepeatRef, FormatOZ(value));
    }
    const int execNo = Integer(node, "BezugAusfNr");
    if (execNo != 0) {
        f[FlagPos::DescRef] = 'A';
        m_list.SetText(r, Fld::RepeatRef, Format04(execNo));
    }

    if (ItemIs(node, "ZuschlArt", "Z")) {
        f[FlagPos::Surcharge] = 'Z';
        m_list.SetText(r, Fld::Unit, "%");
        m_list.SetText(r, Fld::Flags, f);
        const double basis = Number(node, "GBZuschl");
        if (basis != 0.0) m_list.SetDouble(r, Fld::UnitPrice, basis);
        const double percent = Number(node, "Zuschlag");
        if (percent != 0.0) m_list.SetDouble(r, Fld::Quantity, percent);
        RecalcPositionTotals(r);
    }

    m_list.SetText(r, Fld::Flags, f);
    MapDescription(node, r, true);
}

void CGaebMapper::MapExecDescription(CGaebTagNode* node, int r) {
    std::string_view value;
    if (Item(node, "AusfNr", value)) {
        const std::string number = Format04(ParseInt(value));
        m_list.SetText(r, Fld::GroupRef, number);
        m_list.SetText(r, Fld::ShortText, "Ausf\xfchrungsbeschreibung " + number);
    }
    if (Item(node, "AusfBez", value)) m_list.SetText(r, Fld::LongText, std::string(value));

    const double parentId = m_list.GetDouble(r, Fld::ParentId);
    int k = 0;
    for (CGaebTagNode* child = m_tree.FirstChild(node); child; child = m_tree.NextSibling(child)) {
        if (!child->HasName("Beschreibung")) continue;
        const int s = m_list.AddRecord();
        SetPlace(s, parentId, static_cast<double>(child->Index()), node->Depth());
        m_list.SetText(s, Fld::Kind, "B");
        m_list.SetText(s, Fld::SubKind, "B");
        m_list.SetText(s, Fld::GroupRef, Format02(++k));
        MapDescription(child, s, false);
    }
}

void CGaebMapper::MapSubDescriptions(CGaebTagNode* posNode, int r) {
    const double parentId = m_list.GetDouble(r, Fld::ParentId);
    for (CGaebTagNode* child = m_tree.FirstChild(posNode); child; child = m_tree.NextSibling(child)) {
        if (!child->HasName("UnterBeschr")) continue;
        const int s = m_list.AddRecord();
        SetPlace(s, parentId, static_cast<double>(child->Index()), posNode->Depth());
        m_list.SetText(s, Fld::Kind, "B");
        m_list.SetText(s, Fld::SubKind, "L");
        std::string_view value;
        if (Item(child, "ME", value)) m_list.SetText(s, Fld::Unit, std::string(value));
        if (Item(child, "UbNr", value)) m_list.SetText(s, Fld::GroupRef, Format02(ParseInt(value)));
        if (m_tree.FindItem("Menge", child)) m_list.SetDouble(s, Fld::Quantity, Number(child, "Menge"));
        MapDescription(child, s, true);
    }
}

void CGaebMapper::MapDescription(CGaebTagNode* node, int r, bool searchMode) {
    if (ReadDescription(node, r, searchMode)) PostProcessLongText(m_list, r);
}

bool CGaebMapper::ReadDescription(CGaebTagNode* node, int r, bool searchMode) {
    CGaebTagNode* d = searchMode ? m_blocks.Find("Beschreibung", node) : node;
    if (!d) return false;

    std::string f = PaddedFlags(r);
    std::string value;
    if (Item(d, "Kurztext", value)) {
        PlainText(value);
        m_list.SetText(r, Fld::ShortText, std::move(value));
    }
    std::string_view key;
    if (Item(d, "StLNr", key)) {
        f[FlagPos::StdText] = '1';
        m_list.SetText(r, Fld::StdTextKey, std::string(key));
    }
    if (ItemIs(d, "LangtextTA", "J")) f[FlagPos::ClientSupp] = 'X';
    if (ItemIs(d, "LangtextTB", "J")) f[FlagPos::BidderSupp] = 'X';
    m_list.SetText(r, Fld::Flags, f);

    if (Item(d, "Langtext", value)) {
        if (value.find("\\rtf1") != std::string::npos) m_tree.SetRtfLongTexts(true);
        if (m_tree.HasRtfLongTexts()) ConvertBookmarks(value);
        PlainText(value);
        ResolveSupplements(value, r);
        m_list.SetText(r, Fld::LongText, std::move(value));
    }
    return true;
}

void CGaebMapper::ConvertBookmarks(std::string& t) {
    static const std::string kStart = "{\\bkmkstart";
    static const std::string kEnd = "{\\bkmkend";
    for (;;) {
        const size_t start = t.find(kStart);
        if (start != std::string::npos) {
            t.replace(start, kStart.size(), "[");
            const size_t name = start + 1;
            size_t blanks = name;
            while (blanks < t.size() && t[blanks] == ' ')
                ++blanks;
            t.erase(name, blanks - name);
            if (t.compare(name, 4, "Feld") == 0) {
                const size_t close = t.find('}', name);
                t.erase(name, close == std::string::npos ? std::string::npos : close - name);
            }
            const size_t close = t.find('}', name);
            if (close != std::string::npos) t.erase(close, 1);
        }
        const size_t end = t.find(kEnd);
        if (end == std::string::npos) break;
        const size_t close = t.find('}', end + kEnd.size());
        if (close == std::string::npos) break;
        t.replace(end, close + 1 - end, "]");
    }
}

void CGaebMapper::ResolveSupplements(std::string& text, int r) {
    // Most long texts have neither a supplement nor an escaped bracket.
    if (text.find("[T") == std::string::npos && text.find("&#9") == std::string::npos) {
        m_list.SetText(r, Fld::BidderTexts, std::string());
        return;
    }
    const std::string t = ReplaceEvery(ReplaceEvery(text, "&#91;", "["), "&#93;", "]");
    std::string o;
    std::string collected;
    std::string index = m_list.GetText(r, Fld::SupplementIndex);
    bool indexChanged = false;
    char kind = '\0';
    SupplementScan state = SupplementScan::Marker;
    size_t pos = 0;
    for (;;) {
        if (state == SupplementScan::Marker) {
            const size_t mark = t.find("[T", pos);
            if (mark == std::string::npos || t.size() - mark < 4) break;
            o.append(t, pos, mark - pos);
            kind = t[mark + 2];
            const std::string number = SafeSubstr(t, mark + 3, 2);
            pos = std::min(mark + 5, t.size());
            index = TrimLeft(index) + number + kind + "1";
            indexChanged = true;
            state = SupplementScan::TextOpen;
        } else if (state == SupplementScan::TextOpen) {
            const size_t open = t.find('[', pos);
            if (open == std::string::npos) break;
            o.append(t, pos, open - pos);
            pos = open + 1;
            state = SupplementScan::Text;
        } else if (state == SupplementScan::Text) {
            size_t close = t.find(']', pos);
            if (close == std::string::npos) break;
            // Brackets of the text itself ("[end]", written as "&#91;end]") come in pairs: the
            // text ends at the bracket that pairs with its opening one when the supplement's
            // own closing bracket follows there, else at the first bracket as before.
            int depth = 0;
            for (size_t i = pos; i < t.size(); ++i) {
                if (t[i] == '[') {
                    ++depth;
                } else if (t[i] == ']' && depth-- == 0) {
                    if (i + 1 < t.size() && t[i + 1] == ']') close = i;
                    break;
                }
            }
            std::string content = t.substr(pos, close - pos);
            if (kind != 'B') {
                o += "'" + content + "'";
            } else {
                o += "'...'";
                std::erase_if(content, [](char c) { return c == '\r' || c == '\n' || c == '\t'; });
                collected += "'" + content + "'\r\n";
            }
            pos = close + 1;
            state = SupplementScan::OuterClose;
        } else {
            const size_t close = t.find(']', pos);
            if (close == std::string::npos) break;
            o.append(t, pos, close - pos);
            pos = close + 1;
            state = SupplementScan::Marker;
        }
    }
    o.append(t, pos);
    text = std::move(o);
    m_list.SetText(r, Fld::BidderTexts, collected);
    if (indexChanged) m_list.SetText(r, Fld::SupplementIndex, index);
}

void CGaebMapper::RecalcPositionTotals(int r) {
    RecalcPosition(m_list, r);
}

bool CGaebMapper::Item(const CGaebTagNode* block, std::string_view name, std::string_view& value) const {
    const CGaebTagNode* item = m_tree.FindItem(name, block);
    if (!item) return false;
    value = item->ValueView();
    return true;
}

bool CGaebMapper::Item(const CGaebTagNode* block, std::string_view name, std::string& value) const {
    std::string_view view;
    if (!Item(block, name, view)) return false;
    value.assign(view);
    return true;
}

bool CGaebMapper::ItemIs(const CGaebTagNode* block, std::string_view name, std::string_view value) const {
    const CGaebTagNode* item = m_tree.FindItem(name, block);
    return item && item->ValueView() == value;
}

double CGaebMapper::Number(const CGaebTagNode* block, std::string_view name) {
    const CGaebTagNode* item = m_tree.FindItem(name, block);
    return item ? Checked(CNumberFormat::ParseLoose(item->ValueView(), &mixedSeparators), item) : 0.0;
}

int CGaebMapper::Integer(const CGaebTagNode* block, std::string_view name) const {
    const CGaebTagNode* item = m_tree.FindItem(name, block);
    return item ? ParseInt(item->ValueView()) : 0;
}

std::string CGaebMapper::FormatOZ(std::string_view raw) {
    return ::FormatOZ(raw, m_tree.OzMask());
}

std::string CGaebMapper::PaddedFlags(int r) const {
    std::string flags = m_list.GetText(r, Fld::Flags);
    if (flags.size() < kFlagsLength) flags.resize(kFlagsLength, ' ');
    return flags;
}

void CGaebMapper::SetPlace(int r, double parentId, double recordId, int depth) {
    m_list.SetDouble(r, Fld::ParentId, parentId);
    m_list.SetDouble(r, Fld::RecordId, recordId);
    m_list.SetDouble(r, Fld::SortNo, static_cast<double>(r));
    // Elements above the LV ("GAEB", "Vergabe") do not count as levels; a file that puts
    // an element higher up than usual gets level 0, never a negative one.
    m_list.SetInt(r, Fld::Level, std::max(depth - 2, 0));
}
