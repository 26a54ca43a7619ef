#include "model/bid_vat_rate.h"

#include "common/number_format.h"
#include "model/display_tree.h"

#include <cmath>
#include <map>

BidVatRate FindBidVatRate(const CAngebotList& list, const CDisplayTree& tree) {
    BidVatRate result;
    std::map<double, size_t> shareOf; // rate -> index in shares
    for (int r : tree.Order()) {
        if (list.GetChar(r, Fld::Kind) != Kind::Position) continue;
        const double raw = list.GetDouble(r, Fld::VatPct);
        if (!std::isfinite(raw) || raw < 0.0 || raw > 100.0) continue;
        const double rate = CNumberFormat::RoundTo(raw, 2);
        if (rate == 0.0) continue;
        const double net = list.GetDouble(r, Fld::TotalNet);
        const auto [it, added] = shareOf.emplace(rate, result.shares.size());
        if (added) result.shares.push_back({rate, 0.0});
        if (std::isfinite(net)) result.shares[it->second].net += net;
    }
    if (result.shares.empty()) return result;
    result.kind = result.shares.size() == 1 ? BidVatKind::Single : BidVatKind::Mixed;
    const BidVatRate::Share* largest = &result.shares.front();
    for (const BidVatRate::Share& share : result.shares)
        if (share.net > largest->net) largest = &share;
    result.rate = largest->rate;
    return result;
}

BidVatRate FindBidVatRate(const CAngebotList& list) {
    return FindBidVatRate(list, CDisplayTree(list));
}
