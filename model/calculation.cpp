#include "model/calculation.h"

#include "common/number_format.h"
#include "model/display_tree.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

bool IsGroupKind(char kind) {
    return kind == Kind::Title || kind == Kind::Lv || kind == Kind::Folder || kind == Kind::Project;
}

bool IsSumKind(char kind) {
    return kind == Kind::Sum || kind == Kind::CostSum;
}

void Add(Totals& sum, const Totals& t) {
    sum.gp += t.gp;
    sum.gpEff += t.gpEff;
    sum.gpBrt += t.gpBrt;
}

// Sums one level from `first` along its siblings; groups take their totals from `groups`,
// sum lines receive the running sums.
Totals SumLevel(CAngebotList& list, const CDisplayTree& tree, int first, const std::vector<Totals>& groups) {
    Totals sum;
    for (int r = first; r != -1; r = tree.NextSibling(r)) {
        const char kind = list.GetChar(r, Fld::Kind);
        if (kind == Kind::Position) {
            Add(sum, {list.GetDouble(r, Fld::TotalPrice), list.GetDouble(r, Fld::TotalNet),
                      list.GetDouble(r, Fld::TotalGross)});
        } else if (IsGroupKind(kind)) {
            Add(sum, groups[r]);
        } else if (IsSumKind(kind)) {
            SetTotalsFrom(list, r, sum);
        }
    }
    return sum;
}

} // namespace

Totals PositionTotals(const CAngebotList& list, int index) {
    Totals t;
    const char posType = list.GetChar(index, Fld::PosType);
    if (posType == PosType::Alternative || posType == PosType::Eventual) return t;
    const std::string flags = list.GetText(index, Fld::Flags);
    const char status = FlagAt(flags, FlagPos::Status);
    const bool unapproved = (posType == PosType::SupplementTech || posType == PosType::SupplementClient) &&
                            status != '\0' && status != '8';
    if (!unapproved) {
        const double ep = list.GetDouble(index, Fld::UnitPrice);
        const double quantity = list.GetDouble(index, Fld::Quantity);
        if (FlagAt(flags, FlagPos::Surcharge) == 'Z')
            t.gp = CNumberFormat::RoundTo(ep * quantity * 0.01, 2);
        else
            t.gp = CNumberFormat::RoundTo(ep * quantity, 2);
    }
    t.gpEff = CNumberFormat::RoundTo((list.GetDouble(index, Fld::SurchargePct) * 0.01 + 1.0) * t.gp, 2);
    t.gpBrt = CNumberFormat::RoundTo((list.GetDouble(index, Fld::VatPct) * 0.01 + 1.0) * t.gpEff, 2);
    return t;
}

Totals RecalcPosition(CAngebotList& list, int index) {
    const Totals t = PositionTotals(list, index);
    list.SetDouble(index, Fld::TotalPrice, t.gp);
    list.SetDouble(index, Fld::TotalNet, t.gpEff);
    list.SetDouble(index, Fld::TotalGross, t.gpBrt);
    return t;
}

void SetTotalsFrom(CAngebotList& list, int index, const Totals& t) {
    list.SetDouble(index, Fld::TotalPrice, t.gp);
    list.SetDouble(index, Fld::SurchargePct, t.gp == 0.0 ? 0.0 : t.gpEff / t.gp * 100.0 - 100.0);
    list.SetDouble(index, Fld::TotalNet, t.gpEff);
    list.SetDouble(index, Fld::VatPct, t.gpEff == 0.0 ? 0.0 : t.gpBrt / t.gpEff * 100.0 - 100.0);
    list.SetDouble(index, Fld::TotalGross, t.gpBrt);
}

Totals CalcAll(CAngebotList& list, const CDisplayTree& tree, int first) {
    if (first == -1) first = tree.Roots().empty() ? -1 : tree.Roots().front();
    if (!tree.Contains(first)) return {};

    // The groups the calculation reaches: below the level only through groups.
    std::vector<int> groups;
    std::vector<int> levels{first};
    while (!levels.empty()) {
        const int start = levels.back();
        levels.pop_back();
        for (int r = start; r != -1; r = tree.NextSibling(r)) {
            if (!IsGroupKind(list.GetChar(r, Fld::Kind))) continue;
            groups.push_back(r);
            if (tree.HasChildren(r)) levels.push_back(tree.FirstChild(r));
        }
    }
    // Deeper groups first, so that every group finds the totals of its child groups.
    std::vector<Totals> totals(static_cast<size_t>(list.Count()));
    std::vector<int> depth(static_cast<size_t>(list.Count()), 0);
    for (int r : tree.Order())
        if (tree.Parent(r) != -1) depth[r] = depth[tree.Parent(r)] + 1;
    std::stable_sort(groups.begin(), groups.end(), [&](int a, int b) { return depth[a] > depth[b]; });
    for (int g : groups) {
        const int child = tree.FirstChild(g);
        totals[g] = child == -1 ? Totals{} : SumLevel(list, tree, child, totals);
        SetTotalsFrom(list, g, totals[g]);
    }
    return SumLevel(list, tree, first, totals);
}

Totals CalcAll(CAngebotList& list) {
    const CDisplayTree tree(list);
    return CalcAll(list, tree, -1);
}

void PropagateToChildren(CAngebotList& list, const CDisplayTree& tree, int start, Fld field, double value) {
    const int pos = tree.OrderPos(start);
    if (pos == -1) return;
    const int end = pos + 1 + tree.DescendantCount(start);
    for (int i = pos + 1; i < end; ++i) {
        const int r = tree.Order()[i];
        list.SetDouble(r, field, value);
        RecalcPosition(list, r);
    }
}

void SetVatForAll(CAngebotList& list, int start, double rate, bool* modified) {
    const CDisplayTree tree(list);
    PropagateToChildren(list, tree, start, Fld::VatPct, rate);
    CalcAll(list, tree, -1);
    if (modified) *modified = true;
}

namespace {

int FindVatRateFrom(const CAngebotList& list, const CDisplayTree& tree, int start, int depth) {
    if (depth > 10000) return 0;
    for (int r = start; r != -1; r = tree.NextSibling(r)) {
        // A rate outside 0..100 (or not a number) is no VAT rate and is passed over.
        const double vat = list.GetDouble(r, Fld::VatPct);
        if (vat != 0.0 && IsValidVatRate(vat)) return static_cast<int>(std::trunc(vat));
        if (tree.HasChildren(r)) {
            const int found = FindVatRateFrom(list, tree, tree.FirstChild(r), depth + 1);
            if (found != 0) return found;
        }
    }
    return 0;
}

} // namespace

bool IsValidVatRate(double rate) {
    return std::isfinite(rate) && rate >= 0.0 && rate <= 100.0;
}

int FindVatRate(const CAngebotList& list, const CDisplayTree& tree, int start) {
    if (start == -1) start = tree.Roots().empty() ? -1 : tree.Roots().front();
    return tree.Contains(start) ? FindVatRateFrom(list, tree, start, 0) : 0;
}
