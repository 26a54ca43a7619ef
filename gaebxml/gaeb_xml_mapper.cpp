#include "gaebxml/gaeb_xml_mapper.h"

#include "common/code_page.h"
#include "common/number_format.h"
#include "common/text_util.h"
#include "gaebxml/boq_walk.h"
#include "gaebxml/flow_text.h"
#include "gaebxml/xml_names.h"
#include "model/info_blocks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kHeadingComponents = "#BEZEICHNUNG DER EINHEITSPREISAUFGLIEDERUNG:";

std::string Cp(std::string_view utf8) {
    return Utf8ToCp1252Nearest(utf8);
}

std::string Format(const char* format, int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string Fitted(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

// The first line of a flow text.
std::string FirstLine(const std::string& flowText) {
    return flowText.substr(0, flowText.find('\n'));
}

// A client's complement text in quotes: quotes the file already put around it are dropped.
std::string Unquoted(const std::string& flowText) {
    std::string text = Trim(flowText);
    if (!text.empty() && text.front() == '\'') text.erase(0, 1);
    if (!text.empty() && text.back() == '\'') text.pop_back();
    return Trim(text);
}

bool IsYes(const pugi::xml_node& node, const char* name) {
    return ChildIsYes(node, name);
}

} // namespace

class CGaebXmlMapper::CWalk : public CBoQWalk {
public:
    CWalk(CGaebXmlMapper& mapper, int lv, const COzMask& mask, bool split)
        : m_mapper(mapper), m_list(mapper.m_list), m_mask(mask), m_split(split) {
        m_frames.push_back({{m_list.GetDouble(lv, Fld::RecordId), 1}, {}});
    }

protected:
    void OnCategoryBegin(const pugi::xml_node& category) override {
        const Place place = m_frames.back().children;
        const int r = m_mapper.NewRecord("T", place);
        std::vector<std::string> parts = Parts();
        parts.push_back(RNoPart(category));
        m_list.SetText(r, Fld::OZ, Cp(m_mask.Category(parts)));
        m_list.SetText(r, Fld::ShortText, RecordText(SingleLine(FlowText(ChildNamed(category, "LblTx")))));
        m_mapper.m_document.Link(category, r);
        // Deeper than the model's levels allow: the content goes beside the category.
        const bool tooDeep = static_cast<int>(m_frames.size()) > kMaxLevels;
        m_frames.push_back(
            {tooDeep ? place : Place{m_list.GetDouble(r, Fld::RecordId), place.level + 1}, {}});
    }

    void OnCategoryEnd(const pugi::xml_node&) override {
        if (m_frames.size() > 1) m_frames.pop_back();
    }

    void OnElement(const pugi::xml_node& element) override {
        const std::string_view name = LocalName(element);
        if (name == "Item")
            MapItem(element);
        else if (name == "MarkupItem")
            MapMarkupItem(element);
        else if (name == "Remark" || name == "AddText")
            MapRemark(element, nullptr);
        else if (name == "PerfDescr")
            MapRemark(element, "A");
        else
            MapUnknown(element);
    }

private:
    void MapItem(const pugi::xml_node& item) {
        const Place place = m_frames.back().children;
        const int r = m_mapper.NewRecord("P", place);
        m_list.SetText(r, Fld::SubKind, "N");
        m_list.SetText(r, Fld::OZ, Cp(m_mask.Item(Parts(), RNoPart(item), RNoIndex(item))));
        std::string f(kFlagsLength, ' ');

        const std::string group = ChildText(item, "ALNGroupNo");
        if (!group.empty()) {
            const std::string serial = ChildText(item, "ALNSerNo");
            if (std::atoi(serial.c_str()) == 0) {
                m_list.SetText(r, Fld::PosType, "G");
                m_list.SetText(r, Fld::GroupRef, Format("%03d", std::atoi(group.c_str())));
            } else {
                m_list.SetText(r, Fld::PosType, "A");
                m_list.SetText(r, Fld::GroupRef, Format("%03d", std::atoi(group.c_str())) + Cp(serial));
            }
        }
        const std::string provis = ChildText(item, "Provis");
        if (provis == "WithoutTotal")
            m_list.SetText(r, Fld::PosType, "E");
        else if (provis == "WithTotal")
            m_list.SetText(r, Fld::PosType, "F");

        if (m_split) f[FlagPos::SplitPrice] = 'X';
        if (IsYes(item, "QtyTBD")) f[FlagPos::BidderQuantity] = 'X';
        if (IsYes(item, "NotAppl")) f[FlagPos::Omitted] = 'R';
        if (IsYes(item, "HourIt")) f[FlagPos::HourlyRate] = '1';
        if (IsYes(item, "KeyIt")) f[FlagPos::Marked] = '1';

        ReadQuantity(item, r);
        if (IsYes(item, "LumpSumItem")) {
            if (!ChildNamed(item, "Qty")) m_list.SetDouble(r, Fld::Quantity, 1.0);
            if (m_list.GetText(r, Fld::Unit).empty()) m_list.SetText(r, Fld::Unit, "psch");
        }
        m_mapper.MapDescription(ChildNamed(item, "Description"), r, f);
        m_list.SetText(r, Fld::Flags, f);
        ApplyBidValues(m_list, item, r, m_mapper.numbers);
        m_mapper.m_document.Link(item, r);

        const char type = m_list.GetChar(r, Fld::PosType);
        if (type != PosType::Alternative && type != PosType::Eventual)
            for (Frame& frame : m_frames)
                frame.items.push_back(r);

        for (pugi::xml_node sub = ChildNamed(item, "SubDescr"); sub; sub = NextNamed(sub, "SubDescr"))
            MapSubDescription(sub, place);
    }

    void MapSubDescription(const pugi::xml_node& sub, const Place& place) {
        const int s = m_mapper.NewRecord("B", place);
        m_list.SetText(s, Fld::SubKind, "L");
        const std::string number = ChildText(sub, "SubDNo");
        const bool numeric = !number.empty() && number.find_first_not_of("0123456789") == std::string::npos;
        m_list.SetText(s, Fld::GroupRef, numeric ? Format("%02d", std::atoi(number.c_str())) : Cp(number));
        std::string f(kFlagsLength, ' ');
        if (IsYes(sub, "QtyTBD")) f[FlagPos::BidderQuantity] = 'X';
        ReadQuantity(sub, s);
        m_mapper.MapDescription(ChildNamed(sub, "Description"), s, f);
        m_list.SetText(s, Fld::Flags, f);
        m_mapper.m_document.Link(sub, s);
    }

    void MapMarkupItem(const pugi::xml_node& item) {
        const int r = m_mapper.NewRecord("P", m_frames.back().children);
        m_list.SetText(r, Fld::SubKind, "N");
        m_list.SetText(r, Fld::OZ, Cp(m_mask.Item(Parts(), RNoPart(item), RNoIndex(item))));
        m_list.SetText(r, Fld::Unit, "%");
        std::string f(kFlagsLength, ' ');
        f[FlagPos::Surcharge] = 'Z';
        m_mapper.MapDescription(ChildNamed(item, "Description"), r, f);
        m_list.SetText(r, Fld::Flags, f);
        ApplyBidValues(m_list, item, r, m_mapper.numbers);
        m_mapper.m_document.Link(item, r);
        m_mapper.m_document.Markups().push_back({r, m_frames.back().items});
    }

    void MapRemark(const pugi::xml_node& element, const char* subKind) {
        const int r = m_mapper.NewRecord("B", m_frames.back().children);
        if (subKind) m_list.SetText(r, Fld::SubKind, subKind);
        std::string f(kFlagsLength, ' ');
        if (HasLocalName(element, "AddText")) {
            m_mapper.MapAddText(element, r, f);
        } else {
            m_mapper.MapDescription(ChildNamed(element, "Description"), r, f);
            const std::string label = ChildText(element, "PerfLbl");
            if (!label.empty()) m_list.SetText(r, Fld::ShortText, Cp(label));
        }
        m_list.SetText(r, Fld::Flags, f);
        m_mapper.m_document.Link(element, r);
    }

    // An element no mapping knows still becomes a position, with what it offers.
    void MapUnknown(const pugi::xml_node& element) {
        const int r = m_mapper.NewRecord("P", m_frames.back().children);
        m_list.SetText(r, Fld::SubKind, "N");
        if (!RNoPart(element).empty())
            m_list.SetText(r, Fld::OZ, Cp(m_mask.Item(Parts(), RNoPart(element), RNoIndex(element))));
        std::string f(kFlagsLength, ' ');
        ReadQuantity(element, r);
        m_mapper.MapDescription(ChildNamed(element, "Description"), r, f);
        if (m_list.GetText(r, Fld::ShortText).empty())
            m_list.SetText(r, Fld::ShortText, "Unbekanntes Element " + Cp(element.name()));
        m_list.SetText(r, Fld::Flags, f);
        m_mapper.m_document.Link(element, r);
    }

    void ReadQuantity(const pugi::xml_node& element, int r) {
        if (const pugi::xml_node qty = ChildNamed(element, "Qty"))
            m_list.SetDouble(r, Fld::Quantity, m_mapper.numbers.Read(qty));
        const std::string unit = ChildText(element, "QU");
        if (!unit.empty()) m_list.SetText(r, Fld::Unit, Cp(unit));
    }

    struct Frame {
        Place children;         // where the records of the content go
        std::vector<int> items; // priced items so far, the basis of a markup item
    };

    CGaebXmlMapper& m_mapper;
    CAngebotList& m_list;
    const COzMask& m_mask;
    bool m_split;
    std::vector<Frame> m_frames;
};

CGaebXmlMapper::CGaebXmlMapper(CAngebotList& list, CGaebXmlDocument& document)
    : m_list(list), m_document(document) {}

void CGaebXmlMapper::Map() {
    m_document.ClearLinks();
    const pugi::xml_node award = ChildNamed(m_document.Root(), "Award");
    bool first = true;
    for (pugi::xml_node boq = ChildNamed(award, "BoQ"); boq; boq = NextNamed(boq, "BoQ")) {
        const pugi::xml_node info = ChildNamed(boq, "BoQInfo");
        const bool split = ChildText(info, "NoUPComps") == "2";
        if (split && shareTitle1.empty() && shareTitle2.empty()) {
            shareTitle1 = Cp(ChildText(info, "LblUPComp1"));
            shareTitle2 = Cp(ChildText(info, "LblUPComp2"));
        }
        const int lv = MapLv(boq, first);
        first = false;
        COzMask mask;
        mask.Load(info);
        CWalk walk(*this, lv, mask, split);
        walk.Walk(ChildNamed(boq, "BoQBody"));
    }
    // The items a markup item adds up are the basis of its surcharge.
    for (const CGaebXmlDocument::Markup& markup : m_document.Markups()) {
        for (int b : markup.basis) {
            std::string flags = m_list.GetText(b, Fld::Flags);
            if (flags.size() < kFlagsLength) flags.resize(kFlagsLength, ' ');
            if (flags[FlagPos::Surcharge] == ' ') {
                flags[FlagPos::Surcharge] = 'E';
                m_list.SetText(b, Fld::Flags, flags);
            }
        }
    }
}

int CGaebXmlMapper::NewRecord(const char* kind, const Place& place) {
    const int r = m_list.AddRecord();
    m_list.SetDouble(r, Fld::ParentId, place.parentId);
    m_list.SetDouble(r, Fld::RecordId, static_cast<double>(r) + 1.0);
    m_list.SetDouble(r, Fld::SortNo, static_cast<double>(r));
    m_list.SetInt(r, Fld::Level, place.level);
    m_list.SetText(r, Fld::Kind, kind);
    return r;
}

int CGaebXmlMapper::MapLv(const pugi::xml_node& boq, bool first) {
    const int r = NewRecord("L", {0.0, 0});
    const pugi::xml_node info = ChildNamed(boq, "BoQInfo");
    std::string name = ChildText(info, "LblBoQ");
    if (name.empty()) name = ChildText(info, "Name");
    m_list.SetText(r, Fld::ShortText, Cp(name));
    m_list.SetText(r, Fld::InfoText, InfoText(boq));
    const pugi::xml_node project = ChildNamed(m_document.Root(), "PrjInfo");
    std::string projectText = ChildText(project, "LblPrj");
    if (projectText.empty()) projectText = ChildText(project, "NamePrj");
    m_list.SetText(r, Fld::LongText, Cp(projectText));
    m_document.Link(boq, r);

    // The award's own texts head the first LV.
    if (first) {
        const pugi::xml_node award = boq.parent();
        for (pugi::xml_node text = ChildNamed(award, "AddText"); text; text = NextNamed(text, "AddText")) {
            if (FlowText(text).empty()) continue;
            const int b = NewRecord("B", {m_list.GetDouble(r, Fld::RecordId), 1});
            std::string f(kFlagsLength, ' ');
            MapAddText(text, b, f);
            m_list.SetText(b, Fld::Flags, f);
            m_document.Link(text, b);
        }
    }
    return r;
}

void CGaebXmlMapper::MapAddText(const pugi::xml_node& text, int r, std::string& flags) {
    std::string shortText = SingleLine(FlowText(ChildNamed(text, "OutlineAddText")));
    const pugi::xml_node detail = ChildNamed(text, "DetailAddText");
    const std::string longText = detail ? MapDetail(detail, r, flags) : std::string();
    if (shortText.empty()) shortText = SingleLine(FirstLine(longText));
    m_list.SetText(r, Fld::ShortText, RecordText(shortText));
    m_list.SetText(r, Fld::LongText, RecordText(longText));
}

void CGaebXmlMapper::MapDescription(const pugi::xml_node& description, int r, std::string& flags) {
    if (!description) return;
    pugi::xml_node complete = ChildNamed(description, "CompleteText");
    if (!complete) complete = description;
    std::string shortText = SingleLine(FlowText(ChildNamed(complete, "OutlineText")));
    const pugi::xml_node detail = ChildNamed(complete, "DetailTxt");
    const std::string longText = detail ? MapDetail(detail, r, flags) : std::string();
    if (shortText.empty()) shortText = SingleLine(FirstLine(longText));
    m_list.SetText(r, Fld::ShortText, RecordText(shortText));
    m_list.SetText(r, Fld::LongText, RecordText(longText));
}

std::string CGaebXmlMapper::MapDetail(const pugi::xml_node& detail, int r, std::string& flags) {
    if (flags.size() < kFlagsLength) flags.resize(kFlagsLength, ' ');
    CFlowText flow;
    std::string index;
    std::string bidderTexts;
    int ordinal = 0;
    for (pugi::xml_node child = detail.first_child(); child; child = child.next_sibling()) {
        if (HasLocalName(child, "Text")) {
            flow.Append(child);
            continue;
        }
        if (!HasLocalName(child, "TextComplement")) {
            flow.AppendNode(child);
            continue;
        }
        const std::string code = MarkCode(Trim(child.attribute("MarkLbl").value()), ++ordinal);
        flow.Append(ChildNamed(child, "ComplCaption"));
        const std::string body = FlowText(ChildNamed(child, "ComplBody"));
        if (std::string_view(child.attribute("Kind").value()) == "Bidder") {
            flow.AppendRaw("'...'");
            bidderTexts += "'" + RecordText(BidderBody(body)) + "'\r\n";
            index += code + "B1";
            flags[FlagPos::BidderSupp] = 'X';
        } else {
            flow.AppendRaw("'" + Unquoted(body) + "'");
            index += code + "A1";
            flags[FlagPos::ClientSupp] = 'X';
        }
        flow.Append(ChildNamed(child, "ComplTail"));
    }
    if (!index.empty()) m_list.SetText(r, Fld::SupplementIndex, index);
    if (!bidderTexts.empty()) m_list.SetText(r, Fld::BidderTexts, bidderTexts);
    return flow.Text();
}

std::string CGaebXmlMapper::InfoText(const pugi::xml_node& boq) const {
    const pugi::xml_node root = m_document.Root();
    const pugi::xml_node info = ChildNamed(boq, "BoQInfo");
    const pugi::xml_node award = boq.parent();
    const pugi::xml_node awardInfo = ChildNamed(award, "AwardInfo");
    const pugi::xml_node project = ChildNamed(root, "PrjInfo");

    std::string name = ChildText(info, "LblBoQ");
    if (name.empty()) name = ChildText(info, "Name");
    std::string time = ChildText(awardInfo, "OpenTime").substr(0, 5);
    const std::string lvLine = Fitted(Cp(name), 40) + Fitted(ShortDate(ChildText(info, "Date")), 8) +
                               Fitted(ShortDate(ChildText(awardInfo, "OpenDate")), 8) + Fitted(time, 5) +
                               Fitted(ShortDate(ChildText(awardInfo, "EvalEnd")), 8) + "  ";
    std::string text = std::string(InfoKey::Lv) + "\r\n" + lvLine + "\r\n";

    const auto block = [&text](const char* key, const std::vector<std::string>& lines) {
        std::string value;
        for (const std::string& line : lines)
            if (!line.empty()) value += Cp(line) + "\r\n";
        if (!value.empty()) text += std::string(key) + "\r\n" + value;
    };

    std::string projectText = ChildText(project, "LblPrj");
    if (projectText.empty()) projectText = ChildText(project, "NamePrj");
    block(InfoKey::Project, {projectText});

    const pugi::xml_node client = PathNamed(award, "OWN/Address");
    block(InfoKey::Client,
          {ChildText(client, "Name1"), ChildText(client, "Name2"), ChildText(client, "Name3"),
           ChildText(client, "Name4"), ChildText(client, "Street"),
           Trim(ChildText(client, "PCode") + " " + ChildText(client, "City"))});

    std::string currency = ChildText(awardInfo, "Cur");
    std::string currencyLabel = ChildText(awardInfo, "CurLbl");
    if (currency.empty()) {
        currency = ChildText(project, "Cur");
        currencyLabel = ChildText(project, "CurLbl");
    }
    if (!currency.empty())
        block(InfoKey::Currency,
              {Trim(Fitted(currency, std::max<size_t>(currency.size(), 6)) + currencyLabel)});

    std::vector<std::string> components;
    for (const char* label :
         {"LblUPComp1", "LblUPComp2", "LblUPComp3", "LblUPComp4", "LblUPComp5", "LblUPComp6"})
        components.push_back(ChildText(info, label));
    block(kHeadingComponents, components);

    const pugi::xml_node bidder = PathNamed(award, "CTR/Address");
    block(InfoKey::Bidder, {ChildText(bidder, "Name1")});
    return text;
}

void CGaebXmlMapper::ApplyBidValues(CAngebotList& list, const pugi::xml_node& element, int r,
                                    CXmlNumbers& numbers) {
    const std::string flags = list.GetText(r, Fld::Flags);
    if (HasLocalName(element, "MarkupItem")) {
        if (const pugi::xml_node markup = ChildNamed(element, "Markup"))
            list.SetDouble(r, Fld::Quantity, numbers.Read(markup));
        return;
    }
    const pugi::xml_node comp1 = ChildNamed(element, "UPComp1");
    const pugi::xml_node comp2 = ChildNamed(element, "UPComp2");
    const pugi::xml_node up = ChildNamed(element, "UP");
    if (FlagAt(flags, FlagPos::SplitPrice) == 'X' && (comp1 || comp2 || up)) {
        // The two shares make the unit price; a price given whole counts as the first share.
        const double other = comp1 || comp2 ? numbers.Read(comp1) : numbers.Read(up);
        const double wage = comp1 || comp2 ? numbers.Read(comp2) : 0.0;
        list.SetDouble(r, Fld::OtherShare, other);
        list.SetDouble(r, Fld::WageShare, wage);
        list.SetDouble(r, Fld::UnitPrice, other + wage);
    } else if (up) {
        list.SetDouble(r, Fld::UnitPrice, numbers.Read(up));
    }
    if (FlagAt(flags, FlagPos::BidderQuantity) == 'X')
        if (const pugi::xml_node qty = ChildNamed(element, "Qty"))
            list.SetDouble(r, Fld::Quantity, numbers.Read(qty));
}

std::string CGaebXmlMapper::ShortDate(const std::string& isoDate) {
    if (isoDate.size() < 10 || isoDate[4] != '-' || isoDate[7] != '-') return std::string();
    return isoDate.substr(8, 2) + "." + isoDate.substr(5, 2) + "." + isoDate.substr(2, 2);
}

std::string CGaebXmlMapper::MarkCode(const std::string& markLbl, int ordinal) {
    const bool numeric = !markLbl.empty() && markLbl.size() <= 9 &&
                         markLbl.find_first_not_of("0123456789") == std::string::npos;
    return Format("%02d", (numeric ? std::atoi(markLbl.c_str()) : ordinal) % 100);
}

std::string CGaebXmlMapper::BidderBody(const std::string& flowText) {
    std::string text;
    for (char c : flowText)
        if (c != '\r' && c != '\n' && c != '\t') text.push_back(c);
    if (text.find_first_not_of(" ._\xe2\x80\xa6'") == std::string::npos) return std::string();
    return Trim(text);
}
