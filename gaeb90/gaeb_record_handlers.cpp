// The handlers of the GAEB 90 record types (members of CGaebConverter): which columns
// each takes, which records it creates and how it moves the parsing state.

#include "common/number_format.h"
#include "common/text_util.h"
#include "gaeb90/gaeb_columns.h"
#include "gaeb90/gaeb_converter.h"
#include "model/info_blocks.h"
#include "model/info_values.h"

#include <algorithm>

using gaeb90::Cols;
using gaeb90::ColsNumber;
using gaeb90::ColsTrim;
using gaeb90::ColsTrimView;
using gaeb90::ColsView;

namespace {

constexpr double kQuantityScale = 0.001;
constexpr double kPriceScale = 0.01;

std::string BlanksToZeros(std::string text) {
    std::replace(text.begin(), text.end(), ' ', '0');
    return text;
}

// The first four characters of a unit in upper case ("PSCH" for a lump sum).
std::string UnitKey(const std::string& unit) {
    return ToUpperAscii(SafeSubstr(unit, 0, 4));
}

std::string TwoDigits(int n) {
    std::string text = std::to_string(n);
    return text.size() < 2 ? "0" + text : text;
}

} // namespace

void CGaebConverter::AppendSection(const char* heading, const std::string& text) {
    if (!m_pendingText.empty()) m_pendingText += "\r\n";
    m_pendingText += heading;
    m_pendingText += " \r\n";
    m_pendingText += text;
}

// The number columns of the price records 22 and 23; the quantity stands at other columns.
bool CGaebConverter::ReadPriceColumns(const std::string& line, int quantityFirst, int quantityLast,
                                      PriceColumns& out) {
    out.quantity = ColsNumber(line, quantityFirst, quantityLast, kQuantityScale);
    out.total = ColsNumber(line, 24, 36, kPriceScale);
    out.unitPrice = ColsNumber(line, 12, 22, kPriceScale);
    out.percent = ColsNumber(line, 56, 61, kPriceScale);
    out.base = ColsNumber(line, 62, 74, kPriceScale);
    return CheckNumber(out.quantity, "Die Menge") && CheckNumber(out.total, "Der Gesamtpreis") &&
           CheckNumber(out.unitPrice, "Der Einheitspreis") && CheckNumber(out.percent, "Der Zuschlagssatz") &&
           CheckNumber(out.base, "Die Zuschlagsbasis");
}

// A factor of 7 digits with 6 implied decimals (1150000 = 1.15) as a surcharge in percent.
bool CGaebConverter::ApplyFactor(const std::string& factor) {
    if (factor.empty()) return true;
    std::string multiplier = factor;
    multiplier.insert(1, ".");
    const double surcharge = CNumberFormat::StringToDouble(multiplier) * 100.0 - 100.0;
    if (!CheckNumber(surcharge, "Der Zuschlagsfaktor")) return false;
    m_list.SetDouble(m_current, Fld::SurchargePct, surcharge);
    return true;
}

// LV opening record: opens the LV.
bool CGaebConverter::OnRecord00(const std::string& line) {
    if (!CanOpenGroup()) return Fail("Zu viele Gliederungsebenen");
    const std::string title = Cols(line, 3, 74);
    m_ozKey = Cols(line, 63, 71);
    m_exchangePhase = ParseInt(Cols(line, 12, 12));
    m_componentCount = 0;
    AppendSection(InfoKey::Opening, title);
    m_levelTitles[static_cast<size_t>(SafeLevel(m_level))] = title;
    const int index = NewRecord(Kind::Lv);
    m_list.SetText(index, Fld::ShortText, title);
    OpenGroup();
    SetInfoValue(m_list, m_current, "BieterNummer", Cols(line, 37, 39));
    SetInfoValue(m_list, m_current, "VergabeNrAN", Cols(line, 40, 54));
    SetInfoValue(m_list, m_current, "DVNrAN", Cols(line, 55, 62));
    return true;
}

// LV information: the LV name.
void CGaebConverter::OnRecord01(const std::string& line) {
    const std::string name = Cols(line, 3, 42);
    m_levelTitles[static_cast<size_t>(SafeLevel(m_level - 1))] = name;
    m_list.SetText(m_current, Fld::ShortText, name);
    AppendSection(InfoKey::Lv, ColsTrim(line, 3, 74));
}

// Project information: consecutive lines form one section.
void CGaebConverter::OnRecord02(const std::string& line) {
    if (!m_pendingText.empty()) m_pendingText += "\r\n";
    if (m_prevRecordType != "02") {
        m_pendingText += InfoKey::Project;
        m_pendingText += " \r\n";
    }
    m_pendingText += ColsTrim(line, 3, 62);
}

void CGaebConverter::OnRecord03(const std::string& line) {
    AppendSection(InfoKey::Client, ColsTrim(line, 3, 62));
}

void CGaebConverter::OnRecord04(const std::string& line) {
    const std::string text = ColsTrim(line, 3, 62);
    SetInfoValue(m_list, m_current, "04", text);
    AppendSection(InfoKey::Bidder, text);
}

// Names and number of the unit-price components.
void CGaebConverter::OnRecord06(const std::string& line) {
    AppendSection(InfoKey::Components, ColsTrim(line, 3, 73));
    m_component1Name = ColsTrim(line, 18, 31);
    m_component2Name = ColsTrim(line, 32, 45);
    m_componentCount = ParseInt(Cols(line, 3, 3));
}

void CGaebConverter::OnRecord07(const std::string& line) {
    AppendSection(InfoKey::Assignment, ColsTrim(line, 3, 54));
}

void CGaebConverter::OnRecord08(const std::string& line) {
    AppendSection(InfoKey::Currency, ColsTrim(line, 3, 58));
}

// Start of an LV area; its title follows in record 12.
bool CGaebConverter::OnRecord11(const std::string& line) {
    if (!CanOpenGroup()) return Fail("Zu viele Gliederungsebenen");
    const std::string raw = ColsTrim(line, 3, 11);
    const std::string oz = FormatOZ(raw);
    const std::string key = BlanksToZeros(raw);
    m_levelOZ[static_cast<size_t>(SafeLevel(m_level))] = key;
    const int index = NewRecord(Kind::Title);
    m_list.SetText(index, Fld::OZ, oz);
    m_list.SetText(index, Fld::OZKey, key);
    OpenGroup();
    return true;
}

// Title of an LV area: the first line is the title, all lines are its long text.
void CGaebConverter::OnRecord12(const std::string& line) {
    const std::string text = ColsTrim(line, 3, 42);
    if (m_prevRecordType != "12") {
        m_levelTitles[static_cast<size_t>(SafeLevel(m_level - 1))] = text;
        m_list.SetText(m_current, Fld::ShortText, text);
    }
    if (!m_pendingText.empty()) m_pendingText += "\r\n";
    m_pendingText += text;
}

// Remark.
void CGaebConverter::OnRecord20(const std::string& line) {
    const int index = NewRecord(Kind::Remark);
    m_list.SetText(index, Fld::ShortText, "Hinweis");
    m_list.SetText(index, Fld::Flags, "    " + Cols(line, 5, 5) + "  " + Cols(line, 3, 3));
    m_list.SetText(index, Fld::StdTextKey, ColsView(line, 6, 22));
}

// Position.
bool CGaebConverter::OnRecord21(const std::string& line) {
    const std::string raw = ColsTrim(line, 3, 11);
    const std::string oz = FormatOZ(raw);
    const std::string key = BlanksToZeros(raw);

    std::string posType = "N";
    if (Cols(line, 62, 62) == "R") {
        posType = "D";
    } else {
        static const char* const kCodes[] = {"NE", "NM", "GN", "AN", "SN"};
        static const char* const kTypes[] = {"E", "F", "G", "A", "S"};
        const std::string code = Cols(line, 12, 13);
        for (size_t i = 0; i < std::size(kCodes); ++i)
            if (code == kCodes[i]) {
                posType = kTypes[i];
                break;
            }
    }

    const std::string flags =
        Cols(line, 19, 22) + Cols(line, 44, 44) + Cols(line, 62, 63) + Cols(line, 42, 43);
    const std::string unit = FlagAt(flags, FlagPos::Surcharge) == 'Z' ? "%" : Cols(line, 35, 38);
    const double quantity = unit == "psch" ? 1.0 : ColsNumber(line, 23, 34, kQuantityScale);
    if (!CheckNumber(quantity, "Die Menge")) return false;

    const int index = NewRecord(Kind::Position);
    m_list.SetText(index, Fld::PosType, posType);
    m_list.SetText(index, Fld::SubKind, ColsTrimView(line, 14, 14));
    m_list.SetText(index, Fld::GroupRef, ColsTrimView(line, 15, 18));
    m_list.SetText(index, Fld::OZ, oz);
    m_list.SetText(index, Fld::OZKey, key);
    m_list.SetText(index, Fld::StdTextKey, ColsTrimView(line, 45, 61));
    m_list.SetText(index, Fld::Flags, flags);
    m_list.SetText(index, Fld::Unit, unit);
    m_list.SetDouble(index, Fld::Quantity, quantity);
    return true;
}

// Prices of the current position (bid files).
bool CGaebConverter::OnRecord22(const std::string& line) {
    if (!HasCurrent()) return true;
    const int index = m_current;
    const std::string posType = m_list.GetText(index, Fld::PosType);
    const bool lumpSum = UnitKey(m_list.GetText(index, Fld::Unit)) == "PSCH";
    const std::string flags = m_list.GetText(index, Fld::Flags);

    PriceColumns p;
    if (!ReadPriceColumns(line, 23, 34, p)) return false;
    if (FlagAt(flags, FlagPos::BidderQuantity) == 'X')
        m_list.SetDouble(index, Fld::Quantity, lumpSum ? 1.0 : p.quantity);
    // Lump sums of normal, on-demand and base positions carry only the total.
    const bool totalOnly = lumpSum && std::string("NFG").find(posType) != std::string::npos;
    m_list.SetDouble(index, Fld::UnitPrice, totalOnly ? p.total : p.unitPrice);
    m_list.SetDouble(index, Fld::TotalPrice, p.total);
    if (!ApplyFactor(ColsTrim(line, 49, 55))) return false;
    if (FlagAt(flags, FlagPos::Surcharge) == 'Z') {
        m_list.SetDouble(index, Fld::Quantity, p.percent);
        m_list.SetDouble(index, Fld::UnitPrice, p.base);
    }
    return true;
}

// Prices by ordinal number (bid files); a new OZ makes a new position.
bool CGaebConverter::OnRecord23(const std::string& line) {
    if (!HasCurrent()) return true;
    const std::string oz = FormatOZ(ColsTrim(line, 3, 11));
    if (oz != m_list.GetText(m_current, Fld::OZ)) {
        const int created = NewRecord(Kind::Position);
        m_list.SetText(created, Fld::OZ, oz);
    }
    const int index = m_current;
    const bool lumpSum = UnitKey(m_list.GetText(index, Fld::Unit)) == "PSCH";
    const std::string flags = m_list.GetText(index, Fld::Flags);

    PriceColumns p;
    if (!ReadPriceColumns(line, 37, 48, p)) return false;
    const bool quantityGiven = !ColsTrim(line, 37, 48).empty();
    if (FlagAt(flags, FlagPos::BidderQuantity) == 'X' || (m_exchangePhase == 4 && quantityGiven))
        m_list.SetDouble(index, Fld::Quantity, lumpSum ? 1.0 : p.quantity);
    m_list.SetDouble(index, Fld::UnitPrice, lumpSum ? p.total : p.unitPrice);
    m_list.SetDouble(index, Fld::TotalPrice, p.total);
    if (!ApplyFactor(ColsTrim(line, 49, 55))) return false;
    if (!ColsTrim(line, 56, 74).empty()) {
        m_list.SetDouble(index, Fld::Quantity, p.percent);
        m_list.SetDouble(index, Fld::UnitPrice, p.base);
    }
    return true;
}

// Sub-description with quantity.
bool CGaebConverter::OnRecord24(const std::string& line) {
    const std::string unit = Cols(line, 17, 20);
    const double quantity = unit == "psch" ? 1.0 : ColsNumber(line, 5, 16, kQuantityScale);
    if (!CheckNumber(quantity, "Die Menge")) return false;
    const int index = NewRecord(Kind::Remark);
    m_list.SetText(index, Fld::SubKind, "L");
    m_list.SetText(index, Fld::GroupRef, ColsTrimView(line, 3, 4));
    m_list.SetText(index, Fld::StdTextKey, ColsTrimView(line, 24, 40));
    m_list.SetText(index, Fld::Flags,
                   "   " + Cols(line, 41, 41) + Cols(line, 23, 23) + "  " + Cols(line, 21, 22) + " ");
    m_list.SetText(index, Fld::Unit, unit);
    m_list.SetDouble(index, Fld::Quantity, quantity);
    return true;
}

// Reference mark of the current record.
void CGaebConverter::OnRecord27(const std::string& line) {
    if (!HasCurrent()) return;
    if (ColsNumber(line, 32, 43, kQuantityScale) == 0.0)
        m_list.SetText(m_current, Fld::RefMark, ColsTrim(line, 3, 11) + "_");
}

// Unit-price components: component 1 (and 3 and 4) are the other share, 2 the wage share.
bool CGaebConverter::OnRecord30(const std::string& line) {
    if (!HasCurrent()) return true;
    double other = ColsNumber(line, 13, 22, kPriceScale);
    const double wage = ColsNumber(line, 23, 32, kPriceScale);
    if (m_componentCount > 2) other += ColsNumber(line, 33, 42, kPriceScale);
    if (m_componentCount > 3) other += ColsNumber(line, 43, 52, kPriceScale);
    if (!CheckNumber(other, "Der Preisanteil") || !CheckNumber(wage, "Der Lohnanteil")) return false;
    m_list.SetDouble(m_current, Fld::OtherShare, other);
    m_list.SetDouble(m_current, Fld::WageShare, wage);
    return true;
}

// End of an LV area.
bool CGaebConverter::OnRecord31(const std::string&) {
    if (m_level <= 2) return Fail("Satzart 31 (Ende LV-Bereich) ohne offenen LV-Bereich");
    const std::string title = m_levelTitles[static_cast<size_t>(SafeLevel(m_level - 1))];
    const int index = NewRecord(Kind::Sum);
    m_list.SetText(index, Fld::OZKey, m_levelOZ[static_cast<size_t>(SafeLevel(m_level - 1))]);
    m_list.SetText(index, Fld::ShortText, "Summe " + title);
    CloseGroup();
    return true;
}

// Totals of an LV area (bid files).
bool CGaebConverter::OnRecord32(const std::string& line) {
    if (!HasCurrent()) return true;
    if (m_exchangePhase == 4) {
        const std::string oz = FormatOZ(Cols(line, 3, 11));
        if (oz != m_list.GetText(m_current, Fld::OZ)) {
            const int created = NewRecord(Kind::Sum);
            m_list.SetText(created, Fld::OZ, oz);
        }
    }
    const int index = m_current;
    if (!Cols(line, 12, 24).empty()) {
        const double total = ColsNumber(line, 12, 24, kPriceScale);
        if (!CheckNumber(total, "Die Summe")) return false;
        m_list.SetDouble(index, Fld::TotalPrice, total);
        const int parent =
            m_list.FindRecord(Fld::RecordId, FieldValue(m_list.GetDouble(index, Fld::ParentId)));
        if (parent != -1) m_list.SetDouble(parent, Fld::TotalPrice, total);
    }
    const std::string factor = ColsTrim(line, 25, 31);
    if (!factor.empty()) {
        const double surcharge = CNumberFormat::StringToDouble(factor) * 0.0001 - 100.0;
        if (!CheckNumber(surcharge, "Der Zuschlagsfaktor")) return false;
        m_list.SetDouble(index, Fld::SurchargePct, surcharge);
    }
    return true;
}

// Execution description; its text becomes the long text at the next closing record.
void CGaebConverter::OnRecord41(const std::string& line) {
    m_pendingText = ColsTrim(line, 7, 61);
    const int index = NewRecord(Kind::Remark);
    m_list.SetText(index, Fld::SubKind, "A");
    m_list.SetText(index, Fld::GroupRef, ColsView(line, 3, 6));
    m_blockCounter = 0;
}

// Block of an execution description, numbered from 01 after each record 41.
void CGaebConverter::OnRecord42(const std::string& line) {
    ++m_blockCounter;
    const int index = NewRecord(Kind::Remark);
    m_list.SetText(index, Fld::SubKind, "B");
    m_list.SetText(index, Fld::GroupRef, TwoDigits(m_blockCounter));
    m_list.SetText(index, Fld::StdTextKey, ColsTrimView(line, 6, 22));
    m_list.SetText(index, Fld::Flags, "    " + Cols(line, 5, 5) + "  " + Cols(line, 3, 4) + " ");
}

// Note line (STLB-Bau data), used by the long-text post-processing.
void CGaebConverter::OnRecord79(const std::string& line) {
    if (!m_pendingNote.empty()) m_pendingNote += "\r\n";
    m_pendingNote += ColsTrim(line, 3, 74);
}

// End of the LV.
bool CGaebConverter::OnRecord99(const std::string&) {
    if (m_level <= 1) return Fail("Satzart 99 (Ende LV) ohne offenes LV");
    const std::string title = m_levelTitles[static_cast<size_t>(SafeLevel(m_level - 1))];
    const int index = NewRecord(Kind::Sum);
    m_list.SetText(index, Fld::ShortText, "SUMME " + title);
    CloseGroup();
    return true;
}
