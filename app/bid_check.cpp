#include "app/bid_check.h"

#include "common/number_format.h"
#include "common/text_util.h"
#include "model/bid_vat_rate.h"
#include "model/display_tree.h"
#include "model/info_blocks.h"
#include "ui/cell_rules.h"
#include "ui/position_list.h"

#include <cmath>

namespace {

constexpr int kQuantity = ColumnNumber(PosCol::Quantity);
constexpr int kOtherShare = ColumnNumber(PosCol::OtherShare);
constexpr int kWageShare = ColumnNumber(PosCol::WageShare);
constexpr int kUnitPrice = ColumnNumber(PosCol::UnitPrice);
constexpr int kVat = ColumnNumber(PosCol::VatPct);

bool Editable(const CAngebotList& list, int record, int column) {
    return !CCellRules::IsCellReadOnly(list, record, column);
}

// A stored number counts as entered when it is finite and not 0.
bool Entered(double value) {
    return std::isfinite(value) && value != 0.0;
}

bool IsSurchargePosition(const std::string& flags) {
    return FlagAt(flags, FlagPos::Surcharge) == 'Z';
}

// The grid column in which the unit price of a position is entered; -1 when none can be edited.
int PriceColumn(const CAngebotList& list, int record) {
    if (Editable(list, record, kUnitPrice)) return kUnitPrice;
    if (Editable(list, record, kOtherShare)) return kOtherShare;
    if (Editable(list, record, kWageShare)) return kWageShare;
    return -1;
}

bool IsOptionalPosition(char posType) {
    return posType == PosType::Alternative || posType == PosType::Eventual;
}

// The value lines of an information block, line breaks as blanks, trimmed.
std::string BlockValue(const std::string& infoText, const char* key) {
    // The block rules of the information dialogs; the scratch list is never touched.
    CAngebotList scratch;
    CInfoBlocks blocks(scratch);
    blocks.ParseLines(infoText);
    std::string value;
    blocks.GetBlock(key, value);
    value = ReplaceAll(value, "\r\n", " ");
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    return Trim(value);
}

// The record whose information blocks name bidder and currency: the first LV that is not a
// contract-regulation block, else the first record in tree order; -1 for an empty bid.
int InfoRecordOf(const CAngebotList& list, const CDisplayTree& tree) {
    for (int r : tree.Order())
        if (list.GetChar(r, Fld::Kind) == Kind::Lv && list.GetChar(r, Fld::PosType) != PosType::ContractText)
            return r;
    return tree.Order().empty() ? -1 : tree.Order().front();
}

// A VAT rate as the estimator writes it: "19", "7,5".
std::string RateText(double rate) {
    std::string text;
    CNumberFormat().FormatNumber(CNumberFormat::RoundTo(rate, 2), 2, text);
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && (text.back() < '0' || text.back() > '9')) text.pop_back();
    return text + " %";
}

// Windows-1252 texts of the findings.
const char* const kNoUnitPrice = "Einheitspreis fehlt";
const char* const kNoAlternativePrice = "Alternativposition ohne Einheitspreis";
const char* const kNoEventualPrice = "Eventualposition ohne Einheitspreis";
const char* const kNoSurchargePercent = "Zuschlagssatz (Menge in %) fehlt";
const char* const kNoBidderQuantity = "Bietermenge fehlt";
const char* const kNoBidder = "Kein Bieter angegeben";
const char* const kNoCurrency = "Keine W\xe4hrung angegeben";
const char* const kNoVatRate = "Keine Position hat einen Mehrwertsteuersatz";

} // namespace

std::string SBidFinding::Text() const {
    return shortText.empty() ? what : what + " (" + shortText + ")";
}

std::string SBidFinding::Line() const {
    return oz.empty() ? Text() : oz + "  " + Text();
}

bool SBidderSupplement::Empty() const {
    return Trim(text).empty();
}

std::vector<SBidderSupplement> BidderSupplements(const CAngebotList& list, int record) {
    std::vector<SBidderSupplement> slots;
    if (record < 0 || record >= list.Count()) return slots;
    if (FlagAt(list.GetText(record, Fld::Flags), FlagPos::BidderSupp) != 'X') return slots;
    const std::string directory = TrimRight(list.GetText(record, Fld::SupplementIndex));

    // The bidder texts, one line per bidder entry; CR or LF alone also end a line.
    std::string texts = list.GetText(record, Fld::BidderTexts);
    if (texts.find("\r\n") == std::string::npos) {
        if (texts.find('\r') != std::string::npos)
            texts = ReplaceAll(texts, "\r", "\r\n");
        else if (texts.find('\n') != std::string::npos)
            texts = ReplaceAll(texts, "\n", "\r\n");
    }
    std::vector<std::string> lines;
    for (size_t begin = 0; !texts.empty();) {
        const size_t end = texts.find("\r\n", begin);
        lines.push_back(texts.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
        if (end == std::string::npos) break;
        begin = end + 2;
    }

    for (size_t e = 0; e + 4 <= directory.size(); e += 4) {
        if (directory[e + 2] != 'B') continue;
        SBidderSupplement slot;
        slot.number = directory.substr(e, 2);
        slot.rank = static_cast<int>(slots.size());
        if (static_cast<size_t>(slot.rank) < lines.size()) {
            std::string text = lines[static_cast<size_t>(slot.rank)];
            if (text.size() > 1) {
                if (text.front() == '\'') text.erase(0, 1);
                if (!text.empty() && text.back() == '\'') text.pop_back();
            }
            slot.text = text;
        }
        slots.push_back(slot);
    }
    return slots;
}

bool CBidCheck::IsPriceable(const CAngebotList& list, int record) {
    if (record < 0 || record >= list.Count() || list.GetChar(record, Fld::Kind) != Kind::Position)
        return false;
    if (IsSurchargePosition(list.GetText(record, Fld::Flags))) return Editable(list, record, kQuantity);
    return PriceColumn(list, record) != -1;
}

bool CBidCheck::IsPriced(const CAngebotList& list, int record) {
    if (IsSurchargePosition(list.GetText(record, Fld::Flags)))
        return Entered(list.GetDouble(record, Fld::Quantity));
    return Entered(list.GetDouble(record, Fld::UnitPrice));
}

void CBidCheck::CheckRow(const CAngebotList& list, int record, std::vector<SBidFinding>& out) {
    if (record < 0 || record >= list.Count()) return;
    const std::string flags = list.GetText(record, Fld::Flags);
    // An omitted position and a contract text take no entries at all.
    if (flags.size() >= 6 && flags[5] == 'R') return;
    const char posType = list.GetChar(record, Fld::PosType);
    if (posType == PosType::ContractText) return;
    const bool optional = IsOptionalPosition(posType);
    const auto finding = [&](CheckItem item, int column, std::string what) {
        SBidFinding f;
        f.item = item;
        f.hint = optional;
        f.record = record;
        f.column = column;
        f.oz = Trim(list.GetText(record, Fld::OZ));
        f.shortText = Trim(list.GetText(record, Fld::ShortText));
        for (char& c : f.shortText)
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
        f.what = std::move(what);
        return f;
    };

    if (list.GetChar(record, Fld::Kind) == Kind::Position) {
        if (IsSurchargePosition(flags)) {
            if (Editable(list, record, kQuantity) && !Entered(list.GetDouble(record, Fld::Quantity)))
                out.push_back(finding(CheckItem::SurchargePercent, kQuantity, kNoSurchargePercent));
        } else {
            const int priceColumn = PriceColumn(list, record);
            if (priceColumn != -1 && !Entered(list.GetDouble(record, Fld::UnitPrice)))
                out.push_back(finding(CheckItem::UnitPrice, priceColumn,
                                      posType == PosType::Alternative ? kNoAlternativePrice
                                      : posType == PosType::Eventual  ? kNoEventualPrice
                                                                      : kNoUnitPrice));
            if (FlagAt(flags, FlagPos::BidderQuantity) == 'X' && Editable(list, record, kQuantity) &&
                !Entered(list.GetDouble(record, Fld::Quantity)))
                out.push_back(finding(CheckItem::BidderQuantity, kQuantity, kNoBidderQuantity));
        }
    }
    for (const SBidderSupplement& slot : BidderSupplements(list, record)) {
        if (!slot.Empty()) continue;
        SBidFinding f =
            finding(CheckItem::BidderText, -1, "Texterg\xe4nzung " + slot.number + " des Bieters fehlt");
        f.supplement = slot.rank;
        out.push_back(std::move(f));
    }
}

bool CBidCheck::HasGap(const CAngebotList& list, int record) {
    std::vector<SBidFinding> findings;
    CheckRow(list, record, findings);
    for (const SBidFinding& f : findings)
        if (!f.hint) return true;
    return false;
}

std::string CBidCheck::BidderOf(const CAngebotList& list, const CDisplayTree& tree) {
    const int r = InfoRecordOf(list, tree);
    if (r == -1) return std::string();
    std::string bidder = BlockValue(list.GetText(r, Fld::InfoText), InfoKey::Bidder);
    // A bid read back from GAEB 90 names its bidder in the bidder-side blocks of the LV.
    if (bidder.empty() && list.GetChar(r, Fld::Kind) == Kind::Lv)
        bidder = BlockValue(list.GetText(r, Fld::BidderTexts), InfoKey::Bidder);
    return bidder;
}

std::string CBidCheck::CurrencyOf(const CAngebotList& list, const CDisplayTree& tree) {
    const int r = InfoRecordOf(list, tree);
    return r == -1 ? std::string() : BlockValue(list.GetText(r, Fld::InfoText), InfoKey::Currency);
}

void CBidCheck::Add(SBidFinding finding) {
    (finding.hint ? m_hints : m_gaps).push_back(std::move(finding));
}

void CBidCheck::CheckWholeBid(const CAngebotList& list, const CDisplayTree& tree) {
    if (tree.Order().empty()) return;
    const auto whole = [](CheckItem item, std::string what, bool hint = false) {
        SBidFinding f;
        f.item = item;
        f.hint = hint;
        f.what = std::move(what);
        return f;
    };
    if (BidderOf(list, tree).empty()) Add(whole(CheckItem::Bidder, kNoBidder));
    if (CurrencyOf(list, tree).empty()) Add(whole(CheckItem::Currency, kNoCurrency));

    // The VAT rate is asked for only where a position takes one.
    bool vatTaken = false;
    for (int r : tree.Order()) {
        if (list.GetChar(r, Fld::Kind) == Kind::Position && Editable(list, r, kVat)) {
            vatTaken = true;
            break;
        }
    }
    if (!vatTaken) return;
    const BidVatRate vat = FindBidVatRate(list, tree);
    if (vat.kind == BidVatKind::None) {
        Add(whole(CheckItem::NoVatRate, kNoVatRate));
    } else if (vat.kind == BidVatKind::Mixed) {
        std::string rates;
        for (const BidVatRate::Share& share : vat.shares)
            rates += (rates.empty() ? "" : ", ") + RateText(share.rate);
        Add(whole(CheckItem::MixedVatRates,
                  "Die Positionen haben verschiedene Mehrwertsteuers\xe4tze (" + rates +
                      "); die GAEB-Datei nennt den Satz mit dem gr\xf6\xdf"
                      "ten Nettoanteil, " +
                      RateText(vat.rate),
                  true));
    }
}

void CBidCheck::Run(const CAngebotList& list, const CDisplayTree& tree) {
    m_gaps.clear();
    m_hints.clear();
    CheckWholeBid(list, tree);
    std::vector<SBidFinding> row;
    for (int r : tree.Order()) {
        row.clear();
        CheckRow(list, r, row);
        for (SBidFinding& f : row)
            Add(std::move(f));
    }
}

void CBidCheck::Run(const CAngebotList& list) {
    Run(list, CDisplayTree(list));
}

const SBidFinding* CBidCheck::FirstRowGap() const {
    for (const SBidFinding& f : m_gaps)
        if (f.record != -1) return &f;
    return nullptr;
}

IGrid::Row NextRowInTreeOrder(const IGrid& grid, IGrid::Row row) {
    if (row == IGrid::kNoRow) return IGrid::kNoRow;
    if (const IGrid::Row child = grid.FirstChild(row); child != IGrid::kNoRow) return child;
    for (IGrid::Row r = row; r != IGrid::kNoRow; r = grid.Parent(r))
        if (const IGrid::Row next = grid.NextSibling(r); next != IGrid::kNoRow) return next;
    return IGrid::kNoRow;
}

IGrid::Row FindNextOpenEntry(const IGrid& grid, const CAngebotList& list, IGrid::Row from) {
    const IGrid::Row first = grid.FirstRow();
    if (first == IGrid::kNoRow) return IGrid::kNoRow;
    IGrid::Row r = from == IGrid::kNoRow ? first : NextRowInTreeOrder(grid, from);
    // At most one round: every row once, the starting row last.
    for (int seen = 0; seen < grid.RowCount(); ++seen) {
        if (r == IGrid::kNoRow) r = first; // past the last row: on from the first
        if (CBidCheck::HasGap(list, grid.GetItemRecord(r))) return r;
        if (r == from) break;
        r = NextRowInTreeOrder(grid, r);
    }
    return IGrid::kNoRow;
}
