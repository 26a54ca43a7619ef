#include "gaebxml/x84_merge.h"

#include "model/calculation.h"

#include "common/code_page.h"
#include "common/number_format.h"
#include "common/text_util.h"
#include "gaebxml/boq_walk.h"
#include "gaebxml/flow_text.h"
#include "gaebxml/gaeb_xml_mapper.h"
#include "gaebxml/xml_names.h"
#include "model/info_blocks.h"

#include <functional>
#include <map>
#include <unordered_map>
#include <vector>

namespace {

// Calls back for every element of the BoQs that is not a category or item list, with a key
// of its BoQ (the BoQ's place among the BoQs) and its full ordinal number.
class CElementWalk : public CBoQWalk {
public:
    using Callback = std::function<void(const pugi::xml_node&, const std::string&)>;
    explicit CElementWalk(Callback callback) : m_callback(std::move(callback)) {}

    void WalkAll(const CGaebXmlDocument& document) {
        const pugi::xml_node award = ChildNamed(document.Root(), "Award");
        int n = 0;
        for (pugi::xml_node boq = ChildNamed(award, "BoQ"); boq; boq = NextNamed(boq, "BoQ")) {
            m_boq = std::to_string(n++) + ":";
            Walk(ChildNamed(boq, "BoQBody"));
        }
    }

protected:
    void OnElement(const pugi::xml_node& element) override {
        m_callback(element, m_boq + OzKey(Parts(), element));
    }

private:
    Callback m_callback;
    std::string m_boq;
};

bool IsPriced(const pugi::xml_node& element) {
    const std::string_view name = LocalName(element);
    return name != "Remark" && name != "AddText" && name != "PerfDescr";
}

std::string Id(const pugi::xml_node& element) {
    return Trim(element.attribute("ID").value());
}

// Sets a block in the information text of every LV record.
void SetBlockInLvs(CAngebotList& list, const char* key, const std::string& value) {
    for (int i = 0; i < list.Count(); ++i) {
        if (list.GetChar(i, Fld::Kind) != Kind::Lv) continue;
        CInfoBlocks blocks(list);
        blocks.ParseLines(list.GetText(i, Fld::InfoText));
        blocks.SetBlock(key, value);
        blocks.StoreToRecord(i);
    }
}

} // namespace

CX84Merge::CX84Merge(CAngebotList& list, const CGaebXmlDocument& invitation)
    : m_list(list), m_invitation(invitation) {}

void CX84Merge::Merge(const CGaebXmlDocument& bid) {
    std::unordered_map<std::string, pugi::xml_node> byId;
    std::unordered_map<std::string, pugi::xml_node> byOz;
    CElementWalk collect([&](const pugi::xml_node& element, const std::string& key) {
        if (!IsPriced(element)) return;
        const std::string id = Id(element);
        if (!id.empty()) byId.emplace(id, element);
        byOz.emplace(key, element);
    });
    collect.WalkAll(bid);

    CElementWalk apply([&](const pugi::xml_node& element, const std::string& key) {
        const int r = m_invitation.RecordOf(element);
        if (r < 0 || !IsPriced(element)) return;
        const std::string id = Id(element);
        auto it = id.empty() ? byId.end() : byId.find(id);
        if (it == byId.end()) it = byOz.find(key);
        if (it == byOz.end()) return;
        MergeElement(it->second, element, r);
        ++matched;
    });
    apply.WalkAll(m_invitation);
    MergeInfo(bid);
}

void CX84Merge::MergeElement(const pugi::xml_node& bidElement, const pugi::xml_node& element, int r) {
    CGaebXmlMapper::ApplyBidValues(m_list, bidElement, r, numbers);
    MergeBidderTexts(m_list, bidElement, r);
    // Sub-descriptions by their number.
    for (pugi::xml_node sub = ChildNamed(element, "SubDescr"); sub; sub = NextNamed(sub, "SubDescr")) {
        const int s = m_invitation.RecordOf(sub);
        if (s < 0) continue;
        const std::string number = ChildText(sub, "SubDNo");
        for (pugi::xml_node bidSub = ChildNamed(bidElement, "SubDescr"); bidSub;
             bidSub = NextNamed(bidSub, "SubDescr")) {
            if (ChildText(bidSub, "SubDNo") != number) continue;
            if (FlagAt(m_list.GetText(s, Fld::Flags), FlagPos::BidderQuantity) == 'X')
                if (const pugi::xml_node qty = ChildNamed(bidSub, "Qty"))
                    m_list.SetDouble(s, Fld::Quantity, numbers.Read(qty));
            MergeBidderTexts(m_list, bidSub, s);
            break;
        }
    }
}

void CX84Merge::MergeBidderTexts(CAngebotList& list, const pugi::xml_node& bidElement, int r) {
    const pugi::xml_node detail = PathNamed(bidElement, "Description/CompleteText/DetailTxt");
    std::map<std::string, std::string> texts;
    int ordinal = 0;
    for (pugi::xml_node c = ChildNamed(detail, "TextComplement"); c; c = NextNamed(c, "TextComplement")) {
        const std::string code = CGaebXmlMapper::MarkCode(Trim(c.attribute("MarkLbl").value()), ++ordinal);
        if (std::string_view(c.attribute("Kind").value()) != "Bidder") continue;
        texts[code] = RecordText(CGaebXmlMapper::BidderBody(FlowText(ChildNamed(c, "ComplBody"))));
    }
    if (texts.empty()) return;

    const std::string index = TrimRight(list.GetText(r, Fld::SupplementIndex));
    std::vector<std::string> lines;
    const std::string old = list.GetText(r, Fld::BidderTexts);
    for (size_t start = 0; start < old.size();) {
        const size_t end = old.find("\r\n", start);
        lines.push_back(old.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    size_t k = 0;
    for (size_t e = 0; e + 4 <= index.size(); e += 4) {
        if (index[e + 2] != 'B') continue;
        if (lines.size() <= k) lines.resize(k + 1, "''");
        const auto it = texts.find(index.substr(e, 2));
        if (it != texts.end()) lines[k] = "'" + it->second + "'";
        ++k;
    }
    std::string joined;
    for (size_t i = 0; i < k && i < lines.size(); ++i)
        joined += lines[i] + "\r\n";
    list.SetText(r, Fld::BidderTexts, joined);
}

void CX84Merge::MergeInfo(const CGaebXmlDocument& bid) {
    const pugi::xml_node award = ChildNamed(bid.Root(), "Award");
    const std::string bidder = ChildText(PathNamed(award, "CTR/Address"), "Name1");
    if (!bidder.empty()) SetBlockInLvs(m_list, InfoKey::Bidder, Utf8ToCp1252Nearest(bidder));
    const std::string currency = ChildText(ChildNamed(award, "AwardInfo"), "Cur");
    if (!currency.empty()) SetBlockInLvs(m_list, InfoKey::Currency, Utf8ToCp1252Nearest(currency));
    const pugi::xml_node vat = PathNamed(award, "BoQ/BoQInfo/Totals/VAT");
    // A rate outside 0..100 is no VAT rate; the positions keep theirs.
    if (vat) {
        const double rate = numbers.Read(vat);
        vatRate = IsValidVatRate(rate) ? rate : 0.0;
    }
}
