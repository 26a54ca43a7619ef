#include "app/bid_progress.h"

#include "app/bid_check.h"
#include "common/number_format.h"
#include "print/bid_print_summary.h"

#include <cmath>

void CBidProgress::Rebuild(const CAngebotList& list) {
    m_count = list.Count();
    m_tree.Build(list);
    m_positions.clear();
    for (int r : m_tree.Order())
        if (CBidCheck::IsPriceable(list, r))
            m_positions.push_back({r, FlagAt(list.GetText(r, Fld::Flags), FlagPos::Surcharge) == 'Z'});
    m_empty = m_tree.Order().empty();
    Count(list);
}

void CBidProgress::Update(const CAngebotList& list) {
    // Records added or removed since the last fill: learn them anew.
    if (list.Count() != m_count)
        Rebuild(list);
    else
        Count(list);
}

void CBidProgress::Count(const CAngebotList& list) {
    m_priceable = static_cast<int>(m_positions.size());
    m_priced = 0;
    for (const SEntry& p : m_positions) {
        const double value = list.GetDouble(p.record, p.byQuantity ? Fld::Quantity : Fld::UnitPrice);
        if (std::isfinite(value) && value != 0.0) ++m_priced;
    }
    m_net = m_empty ? 0.0 : SummarizeForPrint(list, m_tree).net;
}

std::string CBidProgress::PricedText() const {
    if (m_priceable == 0) return std::string();
    return std::to_string(m_priced) + " von " + std::to_string(m_priceable) +
           (m_priceable == 1 ? " Position" : " Positionen") + " bepreist";
}

std::string CBidProgress::NetText() const {
    if (m_empty) return std::string();
    std::string amount;
    CNumberFormat().FormatNumber(CNumberFormat::RoundTo(m_net, 2), 2, amount);
    return "Netto: " + amount;
}
