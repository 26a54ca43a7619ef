#include "gaebxml/x84_writer.h"

#include "common/code_page.h"
#include "common/number_format.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaebxml/boq_walk.h"
#include "gaebxml/markup_totals.h"
#include "gaebxml/xml_names.h"
#include "model/calculation.h"
#include "model/info_blocks.h"

#include <cstdio>
#include <ctime>
#include <deque>
#include <utility>
#include <vector>

namespace {

const char* const kProgramSystem = "Valdorhaus Angebotsbearbeitung";
const char* const kProgramName = "Valdorhaus Angebotsbearbeitung V11";

const char* const kNoDocument =
    "Die Angebotsabgabe kann nicht geschrieben werden: Es ist keine GAEB-DA-XML-Datei "
    "ge\xf6"
    "ffnet.";
const char* const kMismatch =
    "Die Angebotsabgabe kann nicht geschrieben werden: Die Positionen passen nicht zur "
    "ge\xf6"
    "ffneten GAEB-DA-XML-Datei.";

class CStringWriter : public pugi::xml_writer {
public:
    explicit CStringWriter(std::string& out) : m_out(out) {}
    void write(const void* data, size_t size) override { m_out.append(static_cast<const char*>(data), size); }

private:
    std::string& m_out;
};

std::string Plain(double value, int decimals) {
    CNumberFormat format;
    std::string text;
    format.FormatPlain(CNumberFormat::RoundTo(value, decimals), decimals, text);
    return text;
}

pugi::xml_node AddElement(pugi::xml_node parent, const char* name, const std::string& utf8) {
    pugi::xml_node child = parent.append_child(name);
    child.text().set(utf8.c_str());
    return child;
}

void CopyAttribute(const pugi::xml_node& source, pugi::xml_node target, const char* name) {
    const pugi::xml_attribute attribute = source.attribute(name);
    if (attribute) target.append_attribute(name).set_value(attribute.value());
}

// Copies the content of an element under local names (a prefix of the invitation would
// lack its declaration in the bid); breadth first, so without recursion.
void CopyContent(const pugi::xml_node& source, pugi::xml_node target) {
    std::deque<std::pair<pugi::xml_node, pugi::xml_node>> pending{{source, target}};
    while (!pending.empty()) {
        auto [from, to] = pending.front();
        pending.pop_front();
        for (pugi::xml_node child = from.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element) {
                pugi::xml_node copy = to.append_child(std::string(LocalName(child)).c_str());
                for (pugi::xml_attribute a = child.first_attribute(); a; a = a.next_attribute())
                    if (std::string_view(a.name()).rfind("xmlns", 0) != 0)
                        copy.append_attribute(a.name()).set_value(a.value());
                pending.emplace_back(child, copy);
            } else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                to.append_child(pugi::node_pcdata).set_value(child.value());
            }
        }
    }
}

void CopyChild(const pugi::xml_node& source, pugi::xml_node target, const char* name) {
    const pugi::xml_node child = ChildNamed(source, name);
    if (child) CopyContent(child, target.append_child(name));
}

// The value of an information block of the first LV, line breaks as blanks, trimmed.
std::string LvBlock(CAngebotList& list, const char* key) {
    for (int i = 0; i < list.Count(); ++i) {
        if (list.GetChar(i, Fld::Kind) != Kind::Lv) continue;
        CInfoBlocks blocks(list);
        blocks.ParseLines(list.GetText(i, Fld::InfoText));
        std::string value;
        blocks.GetBlock(key, value);
        for (char& c : value)
            if (c == '\r' || c == '\n') c = ' ';
        return Trim(value);
    }
    return std::string();
}

// The bidder texts of a record without their quotes, in directory order.
std::vector<std::string> BidderTexts(const CAngebotList& list, int r) {
    std::vector<std::string> texts;
    const std::string all = list.GetText(r, Fld::BidderTexts);
    for (size_t start = 0; start < all.size();) {
        const size_t end = all.find("\r\n", start);
        std::string text = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (text.size() > 1 && text.front() == '\'') text.erase(0, 1);
        if (!text.empty() && text.back() == '\'') text.pop_back();
        texts.push_back(text);
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return texts;
}

bool IsRemark(std::string_view name) {
    return name == "Remark" || name == "AddText" || name == "PerfDescr";
}

} // namespace

// Builds the BoQBody of the bid while walking that of the invitation.
class CX84Writer::CBodyWriter : public CBoQWalk {
public:
    CBodyWriter(const CAngebotList& list, const CGaebXmlDocument& document, pugi::xml_node body, bool split)
        : m_list(list), m_document(document), m_split(split) {
        m_frames.push_back({body, {}, {}});
    }

    bool ok = true;

protected:
    void OnCategoryBegin(const pugi::xml_node& category) override {
        const int r = m_document.RecordOf(category);
        if (!Is(r, Kind::Title)) ok = false;
        pugi::xml_node out = m_frames.back().body.append_child("BoQCtgy");
        CopyAttribute(category, out, "ID");
        CopyAttribute(category, out, "RNoPart");
        pugi::xml_node body = out.append_child("BoQBody");
        AddElement(out.append_child("Totals"), "Total", Plain(Value(r, Fld::TotalPrice), 2));
        m_frames.push_back({body, {}, {}});
    }

    void OnCategoryEnd(const pugi::xml_node&) override {
        if (m_frames.size() > 1) m_frames.pop_back();
    }

    void OnElement(const pugi::xml_node& element) override {
        const std::string_view name = LocalName(element);
        if (IsRemark(name)) return;
        const int r = m_document.RecordOf(element);
        if (!Is(r, Kind::Position)) {
            ok = false;
            return;
        }
        pugi::xml_node out = List(element).append_child(std::string(name).c_str());
        CopyAttribute(element, out, "ID");
        CopyAttribute(element, out, "RNoPart");
        CopyAttribute(element, out, "RNoIndex");
        if (name == "MarkupItem") {
            AddElement(out, "ITMarkup", Plain(Value(r, Fld::UnitPrice), 2));
            AddElement(out, "Markup", Plain(Value(r, Fld::Quantity), 3));
            AddElement(out, "IT", Plain(Value(r, Fld::TotalPrice), 2));
            return;
        }
        const std::string flags = m_list.GetText(r, Fld::Flags);
        if (FlagAt(flags, FlagPos::BidderQuantity) == 'X')
            AddElement(out, "Qty", Plain(Value(r, Fld::Quantity), 3));
        if (m_split && FlagAt(flags, FlagPos::SplitPrice) == 'X') {
            AddElement(out, "UPComp1", Plain(Value(r, Fld::OtherShare), 3));
            AddElement(out, "UPComp2", Plain(Value(r, Fld::WageShare), 3));
        }
        AddElement(out, "UP", Plain(Value(r, Fld::UnitPrice), 3));
        AddElement(out, "IT", Plain(Value(r, Fld::TotalPrice), 2));
        WriteBidderTexts(element, r, out);
        for (pugi::xml_node sub = ChildNamed(element, "SubDescr"); sub; sub = NextNamed(sub, "SubDescr"))
            WriteSubDescription(sub, out);
    }

private:
    struct Frame {
        pugi::xml_node body;       // the bid's BoQBody
        pugi::xml_node sourceList; // the container of the invitation the current list stands for
        pugi::xml_node list;       // the bid's Itemlist, made when its first element is written
    };

    bool Is(int r, char kind) const {
        return r >= 0 && r < m_list.Count() && m_list.GetChar(r, Fld::Kind) == kind;
    }
    double Value(int r, Fld field) const { return m_list.GetDouble(r, field); }

    // The bid's item list for an element of the invitation: one per item list of the
    // invitation; an element directly in a BoQBody gets a list of its own as well.
    pugi::xml_node List(const pugi::xml_node& element) {
        Frame& frame = m_frames.back();
        if (!frame.list || frame.sourceList != element.parent()) {
            frame.sourceList = element.parent();
            frame.list = frame.body.append_child("Itemlist");
        }
        return frame.list;
    }

    void WriteBidderTexts(const pugi::xml_node& element, int r, pugi::xml_node out) {
        const pugi::xml_node detail = PathNamed(element, "Description/CompleteText/DetailTxt");
        std::vector<pugi::xml_node> complements;
        for (pugi::xml_node c = ChildNamed(detail, "TextComplement"); c; c = NextNamed(c, "TextComplement"))
            if (std::string_view(c.attribute("Kind").value()) == "Bidder") complements.push_back(c);
        if (complements.empty()) return;
        const std::vector<std::string> texts = BidderTexts(m_list, r);
        pugi::xml_node outDetail =
            out.append_child("Description").append_child("CompleteText").append_child("DetailTxt");
        for (size_t k = 0; k < complements.size(); ++k) {
            pugi::xml_node complement = outDetail.append_child("TextComplement");
            complement.append_attribute("Kind").set_value("Bidder");
            CopyAttribute(complements[k], complement, "MarkLbl");
            AddElement(complement.append_child("ComplBody"), "span",
                       Cp1252ToUtf8(k < texts.size() ? texts[k] : std::string()));
        }
    }

    void WriteSubDescription(const pugi::xml_node& sub, pugi::xml_node out) {
        const int s = m_document.RecordOf(sub);
        if (s < 0 || s >= m_list.Count()) return;
        const bool quantity = FlagAt(m_list.GetText(s, Fld::Flags), FlagPos::BidderQuantity) == 'X';
        const bool texts = m_list.GetText(s, Fld::SupplementIndex).find('B') != std::string::npos;
        if (!quantity && !texts) return;
        pugi::xml_node outSub = out.append_child("SubDescr");
        AddElement(outSub, "SubDNo", ChildText(sub, "SubDNo"));
        if (texts) WriteBidderTexts(sub, s, outSub);
        if (quantity) AddElement(outSub, "Qty", Plain(Value(s, Fld::Quantity), 3));
    }

    const CAngebotList& m_list;
    const CGaebXmlDocument& m_document;
    bool m_split;
    std::vector<Frame> m_frames;
};

CX84Writer::CX84Writer(CAngebotList& list, CGaebXmlDocument& document) : m_list(list), m_document(document) {}

void CX84Writer::SetStampTime(std::string date, std::string time) {
    m_stampDate = std::move(date);
    m_stampTime = std::move(time);
}

std::string CX84Writer::BidNamespace(const std::string& invitationNamespace) {
    std::string uri = invitationNamespace;
    const size_t phase = uri.find("/DA8");
    if (phase != std::string::npos && phase + 5 <= uri.size()) uri.replace(phase, 5, "/DA84");
    return uri;
}

CIoResult CX84Writer::Write(const std::string& path) {
    std::string text;
    CIoResult result = Build(text);
    if (!result) return result;
    refused = false;
    return WriteFileReplacing(path, text);
}

CIoResult CX84Writer::Build(std::string& text) {
    refused = true;
    text.clear();
    const pugi::xml_node source = m_document.Root();
    if (!source) return CIoResult::Failure(kNoDocument);
    UpdateMarkupTotals(m_list, m_document);
    CalcAll(m_list);

    std::string date = m_stampDate;
    std::string time = m_stampTime;
    if (date.empty() || time.empty()) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                      local.tm_mday);
        if (date.empty()) date = buffer;
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
        if (time.empty()) time = buffer;
    }

    pugi::xml_document xml;
    pugi::xml_node declaration = xml.append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node gaeb = xml.append_child("GAEB");
    if (!m_document.NamespaceUri().empty())
        gaeb.append_attribute("xmlns").set_value(BidNamespace(m_document.NamespaceUri()).c_str());

    const pugi::xml_node sourceInfo = ChildNamed(source, "GAEBInfo");
    pugi::xml_node info = gaeb.append_child("GAEBInfo");
    const std::string version = m_document.Version();
    AddElement(info, "Version", version.empty() ? "3.3" : version);
    CopyChild(sourceInfo, info, "VersDate");
    AddElement(info, "Date", date);
    AddElement(info, "Time", time);
    AddElement(info, "ProgSystem", kProgramSystem);
    AddElement(info, "ProgName", kProgramName);

    if (const pugi::xml_node sourceProject = ChildNamed(source, "PrjInfo")) {
        pugi::xml_node project = gaeb.append_child("PrjInfo");
        for (const char* name : {"NamePrj", "LblPrj", "Cur", "CurLbl"})
            CopyChild(sourceProject, project, name);
    }

    const pugi::xml_node sourceAward = ChildNamed(source, "Award");
    pugi::xml_node award = gaeb.append_child("Award");
    AddElement(award, "DP", "84");
    const pugi::xml_node sourceAwardInfo = ChildNamed(sourceAward, "AwardInfo");
    std::string currency = LvBlock(m_list, InfoKey::Currency);
    if (currency.size() > 5) currency = TrimRight(currency.substr(0, 6));
    const std::string sourceCurrency = ChildText(sourceAwardInfo, "Cur");
    if (currency.empty()) currency = sourceCurrency.empty() ? "EUR" : Utf8ToCp1252Nearest(sourceCurrency);
    pugi::xml_node awardInfo = award.append_child("AwardInfo");
    AddElement(awardInfo, "Cur", Cp1252ToUtf8(currency));
    AddElement(awardInfo, "CurLbl",
               Cp1252ToUtf8(currency) == sourceCurrency ? ChildText(sourceAwardInfo, "CurLbl")
                                                        : Cp1252ToUtf8(currency));
    AddElement(award.append_child("CTR").append_child("Address"), "Name1",
               Cp1252ToUtf8(LvBlock(m_list, InfoKey::Bidder)));

    for (pugi::xml_node sourceBoq = ChildNamed(sourceAward, "BoQ"); sourceBoq;
         sourceBoq = NextNamed(sourceBoq, "BoQ")) {
        const int lv = m_document.RecordOf(sourceBoq);
        if (lv < 0 || lv >= m_list.Count() || m_list.GetChar(lv, Fld::Kind) != Kind::Lv)
            return CIoResult::Failure(kMismatch);
        pugi::xml_node boq = award.append_child("BoQ");
        CopyAttribute(sourceBoq, boq, "ID");
        const pugi::xml_node sourceBoqInfo = ChildNamed(sourceBoq, "BoQInfo");
        pugi::xml_node boqInfo = boq.append_child("BoQInfo");
        CopyChild(sourceBoqInfo, boqInfo, "Name");
        for (pugi::xml_node b = ChildNamed(sourceBoqInfo, "BoQBkdn"); b; b = NextNamed(b, "BoQBkdn"))
            CopyContent(b, boqInfo.append_child("BoQBkdn"));
        const bool split = ChildText(sourceBoqInfo, "NoUPComps") == "2";
        if (split) {
            CopyChild(sourceBoqInfo, boqInfo, "NoUPComps");
            CopyChild(sourceBoqInfo, boqInfo, "LblUPComp1");
            CopyChild(sourceBoqInfo, boqInfo, "LblUPComp2");
        }
        // Net and gross as the positions' own rates give them, the VAT as their difference, so
        // that the rate beside them never claims a tax the totals do not hold.
        const double total = CNumberFormat::RoundTo(m_list.GetDouble(lv, Fld::TotalPrice), 2);
        const double net = CNumberFormat::RoundTo(m_list.GetDouble(lv, Fld::TotalNet), 2);
        const double gross = CNumberFormat::RoundTo(m_list.GetDouble(lv, Fld::TotalGross), 2);
        pugi::xml_node totals = boqInfo.append_child("Totals");
        AddElement(totals, "Total", Plain(total, 2));
        AddElement(totals, "VAT", Plain(vatRate, 2));
        AddElement(totals, "VATAmount", Plain(CNumberFormat::RoundTo(gross - net, 2), 2));
        AddElement(totals, "TotalGross", Plain(gross, 2));

        CBodyWriter body(m_list, m_document, boq.append_child("BoQBody"), split);
        body.Walk(ChildNamed(sourceBoq, "BoQBody"));
        if (!body.ok) return CIoResult::Failure(kMismatch);
    }

    CStringWriter writer(text);
    xml.save(writer, " ", pugi::format_indent, pugi::encoding_utf8);
    refused = false;
    return CIoResult::Success();
}
