#include "ui/cell_rules.h"

#include "common/number_format.h"
#include "common/text_util.h"
#include "ui/position_list.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace {

constexpr int kQuantity = ColumnNumber(PosCol::Quantity);
constexpr int kOtherShare = ColumnNumber(PosCol::OtherShare);
constexpr int kWageShare = ColumnNumber(PosCol::WageShare);
constexpr int kUnitPrice = ColumnNumber(PosCol::UnitPrice);
constexpr int kTotalPrice = ColumnNumber(PosCol::TotalPrice);
constexpr int kSurcharge = ColumnNumber(PosCol::SurchargePct);
constexpr int kTotalNet = ColumnNumber(PosCol::TotalNet);
constexpr int kVat = ColumnNumber(PosCol::VatPct);
constexpr int kTotalGross = ColumnNumber(PosCol::TotalGross);

// The kinds whose totals are the sums of their children, and the sum lines.
bool IsGroupKind(char kind) {
    return kind == Kind::Title || kind == Kind::Lv || kind == Kind::Folder || kind == Kind::Project;
}

bool IsSumKind(char kind) {
    return kind == Kind::Sum || kind == Kind::CostSum;
}

// The containment test of the rules: a substring test, in which an empty kind is contained.
bool KindIn(const std::string& kind, std::string_view kinds) {
    return kind.empty() || kinds.find(kind) != std::string_view::npos;
}

Totals Difference(const Totals& a, const Totals& b) {
    return {a.gp - b.gp, a.gpEff - b.gpEff, a.gpBrt - b.gpBrt};
}

Totals Sum(const Totals& a, const Totals& b) {
    return {a.gp + b.gp, a.gpEff + b.gpEff, a.gpBrt + b.gpBrt};
}

bool IsZero(const Totals& t) {
    return t.gp == 0.0 && t.gpEff == 0.0 && t.gpBrt == 0.0;
}

// Restores a grid's update state however an entry ends.
class CUpdateScope {
public:
    explicit CUpdateScope(IGrid& grid) : m_grid(grid) { m_grid.BeginUpdate(); }
    ~CUpdateScope() { m_grid.EndUpdate(); }
    CUpdateScope(const CUpdateScope&) = delete;
    CUpdateScope& operator=(const CUpdateScope&) = delete;

private:
    IGrid& m_grid;
};

} // namespace

CCellRules::CCellRules(IGrid& grid, CAngebotList& list, Ask ask)
    : m_grid(grid), m_list(list), m_ask(std::move(ask)) {}

bool CCellRules::IsCellReadOnly(const CAngebotList& list, int record, int column) {
    if (record < 0 || record >= list.Count()) return true;
    const std::string flags = list.GetText(record, Fld::Flags);
    if (flags.size() >= 6 && flags[5] == 'R') return true;
    const std::string kind = TrimRight(list.GetText(record, Fld::Kind));
    const std::string posType = TrimRight(list.GetText(record, Fld::PosType));
    const bool contractText = posType == "C";
    switch (column) {
    case kQuantity:
        return !(FlagAt(flags, FlagPos::BidderQuantity) == 'X' || FlagAt(flags, FlagPos::Surcharge) == 'Z');
    case kOtherShare:
    case kWageShare:
        return KindIn(kind, "XOLSTEBK") || contractText || FlagAt(flags, FlagPos::SplitPrice) != 'X';
    case kUnitPrice:
        return KindIn(kind, "XOLSTEBK") || contractText || FlagAt(flags, FlagPos::SplitPrice) == 'X' ||
               FlagAt(flags, FlagPos::Surcharge) == 'Z';
    case kSurcharge:
        return KindIn(kind, "XSOBK") || contractText;
    case kVat:
        return KindIn(kind, "SBK") ||
               !(posType.empty() || std::string_view("CAE").find(posType) == std::string_view::npos);
    default:
        return true;
    }
}

bool CCellRules::IsCellReadOnly(Row row, int column) const {
    return IsCellReadOnly(m_list, RecordOf(row), column);
}

double CCellRules::CellValue(const CAngebotList& list, int record, int column) {
    if (record < 0 || record >= list.Count()) return 0.0;
    switch (column) {
    case kQuantity:
        return list.GetDouble(record, Fld::Quantity);
    case kOtherShare:
        return list.GetDouble(record, Fld::OtherShare);
    case kWageShare:
        return list.GetDouble(record, Fld::WageShare);
    case kUnitPrice:
        return list.GetDouble(record, Fld::UnitPrice);
    case kTotalPrice:
        return list.GetDouble(record, Fld::TotalPrice);
    case kSurcharge:
        return list.GetDouble(record, Fld::SurchargePct);
    case kTotalNet:
        return list.GetDouble(record, Fld::TotalNet);
    case kVat:
        return list.GetDouble(record, Fld::VatPct);
    case kTotalGross:
        return list.GetDouble(record, Fld::TotalGross);
    default:
        return 0.0;
    }
}

int CCellRules::RecordOf(Row row) const {
    const int record = m_grid.GetItemRecord(row);
    return record >= 0 && record < m_list.Count() ? record : -1;
}

void CCellRules::Store(int record, Fld field, double value) {
    m_list.SetDouble(record, field, value);
}

void CCellRules::StoreGroupTotals(int record, const Totals& t) {
    // The percentages derived from the totals, as the full calculation derives them.
    Store(record, Fld::TotalPrice, t.gp);
    Store(record, Fld::SurchargePct, t.gp == 0.0 ? 0.0 : t.gpEff / t.gp * 100.0 - 100.0);
    Store(record, Fld::TotalNet, t.gpEff);
    Store(record, Fld::VatPct, t.gpEff == 0.0 ? 0.0 : t.gpBrt / t.gpEff * 100.0 - 100.0);
    Store(record, Fld::TotalGross, t.gpBrt);
}

Totals CCellRules::StoredTotals(int record) const {
    return {m_list.GetDouble(record, Fld::TotalPrice), m_list.GetDouble(record, Fld::TotalNet),
            m_list.GetDouble(record, Fld::TotalGross)};
}

void CCellRules::ShowEntered(Row row, int column, double value) {
    const int decimals = std::max(0, m_grid.ColumnEditorKind(column));
    CNumberFormat format;
    std::string text;
    format.FormatNumber(CNumberFormat::RoundTo(value, decimals), decimals, text);
    m_grid.SetItemText(row, column, text);
}

void CCellRules::ShowCell(Row row, int column) {
    m_grid.SetItemText(row, column, PositionCellText(m_list, RecordOf(row), static_cast<PosCol>(column)));
}

EntryResult CCellRules::OnCellEdited(Row row, int column, const std::string& text) {
    const int record = RecordOf(row);
    if (record < 0 || IsCellReadOnly(m_list, record, column)) return EntryResult::ReadOnly;
    CNumberFormat format;
    const double value = format.ParseNumber(text);
    const char kind = m_list.GetChar(record, Fld::Kind);
    const bool group = kind == Kind::Lv || kind == Kind::Title || kind == Kind::Folder;
    const CUpdateScope update(m_grid); // the view repaints once, after the entry

    switch (column) {
    case kQuantity:
        Store(record, Fld::Quantity, value);
        ShowEntered(row, column, value);
        RecalcAfterPriceEntry(row, record);
        return EntryResult::Changed;
    case kOtherShare:
    case kWageShare: {
        const Fld other = column == kOtherShare ? Fld::WageShare : Fld::OtherShare;
        const double unitPrice = value + m_list.GetDouble(record, other);
        Store(record, column == kOtherShare ? Fld::OtherShare : Fld::WageShare, value);
        Store(record, Fld::UnitPrice, unitPrice);
        ShowEntered(row, column, value);
        ShowEntered(row, kUnitPrice, unitPrice);
        RecalcAfterPriceEntry(row, record);
        return EntryResult::Changed;
    }
    case kUnitPrice:
        Store(record, Fld::UnitPrice, value);
        ShowEntered(row, column, value);
        RecalcAfterPriceEntry(row, record);
        return EntryResult::Changed;
    case kSurcharge:
        if (kind == Kind::Position) {
            Store(record, Fld::SurchargePct, value);
            ShowEntered(row, column, value);
            RecalcAndSettle(row);
            return EntryResult::Changed;
        }
        if (!group || (m_ask && !m_ask(CellQuestion::SurchargeForAll))) return EntryResult::Unchanged;
        PropagateToChildren(row, value, Fld::SurchargePct, column);
        return EntryResult::Changed;
    case kVat:
        // The rate goes into the row's own record first, whatever the answer below.
        Store(record, Fld::VatPct, value);
        if (kind == Kind::Position) {
            ShowEntered(row, column, value);
            RecalcAndSettle(row);
        } else if (group && (!m_ask || m_ask(CellQuestion::VatForAll))) {
            ShowEntered(row, column, value);
            PropagateToChildren(row, value, Fld::VatPct, column);
        }
        return EntryResult::Changed;
    default:
        return EntryResult::Unchanged;
    }
}

void CCellRules::RecalcAfterPriceEntry(Row row, int record) {
    // Alternative and eventual positions keep the totals they show until a calculation.
    const std::string posType = TrimRight(m_list.GetText(record, Fld::PosType));
    if (posType == "A" || posType == "E") return;
    const double oldGp = m_list.GetDouble(record, Fld::TotalPrice);
    RecalcAndSettle(row);
    UpdateDependentRows(oldGp, record);
}

void CCellRules::RecalcRow(Row row) {
    const int record = RecordOf(row);
    if (record < 0) return;
    const Totals t = PositionTotals(m_list, record);
    Store(record, Fld::TotalPrice, t.gp);
    Store(record, Fld::TotalNet, t.gpEff);
    Store(record, Fld::TotalGross, t.gpBrt);
    for (const int column : {kUnitPrice, kTotalPrice, kTotalNet, kTotalGross})
        ShowCell(row, column);
}

void CCellRules::RecalcAndSettle(Row row) {
    const int record = RecordOf(row);
    if (record < 0) return;
    const Totals before = StoredTotals(record);
    RecalcRow(row);
    if (!IsReached(row)) return;
    const char kind = m_list.GetChar(record, Fld::Kind);
    if (kind == Kind::Position) {
        AddToAbove(row, Difference(StoredTotals(record), before));
    } else if (IsGroupKind(kind) || IsSumKind(kind)) {
        // The calculation gives a group or a sum line the sums of other rows, never the price
        // of one position: the totals it shows stay.
        Store(record, Fld::TotalPrice, before.gp);
        Store(record, Fld::TotalNet, before.gpEff);
        Store(record, Fld::TotalGross, before.gpBrt);
        ShowRowNumbers(m_grid, m_list, row);
    }
}

void CCellRules::UpdateDependentRows(double oldGp, int record) {
    if (record < 0 || record >= m_list.Count()) return;
    const std::string flags = m_list.GetText(record, Fld::Flags);
    if (flags.size() < 2 || flags[1] != 'E') return;
    const double change = m_list.GetDouble(record, Fld::TotalPrice) - oldGp;
    bool updated = false;
    for (int r = record + 1; r < m_list.Count(); ++r) {
        const char mark = FlagAt(m_list.GetText(r, Fld::Flags), FlagPos::Surcharge);
        if (mark == 'Z') {
            Store(r, Fld::UnitPrice, m_list.GetDouble(r, Fld::UnitPrice) + change);
            const Row row = m_grid.FindItemByRecord(r);
            if (row != IGrid::kNoRow) RecalcAndSettle(row);
            updated = true;
        } else if (mark == 'E' && updated) {
            break;
        }
    }
}

void CCellRules::PropagateToChildren(Row row, double value, Fld field, int column) {
    // The rows below in tree order, without recursion (a file may nest deeply).
    std::vector<Row> below;
    std::vector<Row> pending;
    const auto pushChildren = [&](Row parent) {
        const size_t mark = pending.size();
        for (Row c = m_grid.FirstChild(parent); c != IGrid::kNoRow; c = m_grid.NextSibling(c))
            pending.push_back(c);
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(mark), pending.end());
    };
    pushChildren(row);
    while (!pending.empty()) {
        const Row r = pending.back();
        pending.pop_back();
        below.push_back(r);
        pushChildren(r);
    }

    const CUpdateScope update(m_grid);
    for (const Row r : below) {
        const int record = RecordOf(r);
        if (record < 0) continue;
        Store(record, field, value);
        ShowEntered(r, column, value);
        RecalcRow(r);
    }
    // The groups and sum lines below were recalculated as positions (to 0); they get their
    // sums again, and the change of the group's totals goes up.
    const int record = RecordOf(row);
    if (record < 0 || !IsGroupKind(m_list.GetChar(record, Fld::Kind)) || !IsReached(row)) return;
    const Totals before = StoredTotals(record);
    const Totals after = SumBelow(row, below);
    StoreGroupTotals(record, after);
    ShowRowNumbers(m_grid, m_list, row);
    AddToAbove(row, Difference(after, before));
}

bool CCellRules::IsReached(Row row) const {
    for (Row p = m_grid.Parent(row); p != IGrid::kNoRow; p = m_grid.Parent(p)) {
        const int record = RecordOf(p);
        if (record < 0 || !IsGroupKind(m_list.GetChar(record, Fld::Kind))) return false;
    }
    return true;
}

void CCellRules::AddToRow(Row row, const Totals& delta) {
    const int record = RecordOf(row);
    if (record < 0) return;
    StoreGroupTotals(record, Sum(StoredTotals(record), delta));
    ShowRowNumbers(m_grid, m_list, row);
}

void CCellRules::AddToAbove(Row row, const Totals& delta) {
    if (IsZero(delta)) return;
    EnsureSumIndex();
    for (Row r = row;;) {
        const Row parent = m_grid.Parent(r);
        // The sum lines after r on its level add up r among the rows before them.
        if (const std::vector<Row>* sums = SumLinesBelow(parent)) {
            const int place = m_place[static_cast<size_t>(r)];
            auto it = std::upper_bound(sums->begin(), sums->end(), place,
                                       [this](int p, Row s) { return p < m_place[static_cast<size_t>(s)]; });
            for (; it != sums->end(); ++it)
                AddToRow(*it, delta);
        }
        if (parent == IGrid::kNoRow) break;
        AddToRow(parent, delta);
        r = parent;
    }
}

Totals CCellRules::SumBelow(Row group, const std::vector<Row>& below) {
    // The groups the calculation reaches from `group`: through groups only.
    std::unordered_set<Row> reached{group};
    for (const Row r : below) {
        const int record = RecordOf(r);
        if (record >= 0 && reached.count(m_grid.Parent(r)) && IsGroupKind(m_list.GetChar(record, Fld::Kind)))
            reached.insert(r);
    }
    std::unordered_map<Row, Totals> groupTotals;
    // One level in sibling order, exactly as the full calculation adds it up.
    const auto sumLevel = [&](Row parent) {
        Totals sum;
        for (Row c = m_grid.FirstChild(parent); c != IGrid::kNoRow; c = m_grid.NextSibling(c)) {
            const int record = RecordOf(c);
            if (record < 0) continue;
            const char kind = m_list.GetChar(record, Fld::Kind);
            if (kind == Kind::Position) {
                sum = Sum(sum, StoredTotals(record));
            } else if (IsGroupKind(kind)) {
                sum = Sum(sum, groupTotals[c]);
            } else if (IsSumKind(kind)) {
                StoreGroupTotals(record, sum);
                ShowRowNumbers(m_grid, m_list, c);
            }
        }
        return sum;
    };
    // In reverse tree order every group comes after the groups below it.
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        if (!reached.count(*it)) continue;
        const Totals t = sumLevel(*it);
        groupTotals[*it] = t;
        StoreGroupTotals(RecordOf(*it), t);
        ShowRowNumbers(m_grid, m_list, *it);
    }
    return sumLevel(group);
}

void CCellRules::EnsureSumIndex() {
    if (m_indexBuilt && m_indexVersion == m_grid.StructureVersion()) return;
    m_place.assign(static_cast<size_t>(std::max(0, m_grid.RowCount())), 0);
    m_sumLines.clear();
    std::vector<Row> parents{IGrid::kNoRow};
    while (!parents.empty()) {
        const Row parent = parents.back();
        parents.pop_back();
        int place = 0;
        for (Row c = parent == IGrid::kNoRow ? m_grid.FirstRow() : m_grid.FirstChild(parent);
             c != IGrid::kNoRow; c = m_grid.NextSibling(c), ++place) {
            if (c >= 0 && static_cast<size_t>(c) < m_place.size()) m_place[static_cast<size_t>(c)] = place;
            const int record = RecordOf(c);
            if (record >= 0 && IsSumKind(m_list.GetChar(record, Fld::Kind))) m_sumLines[parent].push_back(c);
            if (m_grid.FirstChild(c) != IGrid::kNoRow) parents.push_back(c);
        }
    }
    m_indexBuilt = true;
    m_indexVersion = m_grid.StructureVersion();
}

const std::vector<IGrid::Row>* CCellRules::SumLinesBelow(Row parent) const {
    const auto it = m_sumLines.find(parent);
    return it == m_sumLines.end() ? nullptr : &it->second;
}
