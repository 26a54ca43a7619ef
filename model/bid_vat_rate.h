#pragma once

#include "model/angebot_list.h"

#include <vector>

class CDisplayTree;

// How many VAT rates the positions of a bid carry.
enum class BidVatKind { None, Single, Mixed };

// The VAT rate of a whole bid, as the printout and the writers report it.
struct BidVatRate {
    BidVatKind kind = BidVatKind::None;
    // None: 0; Single: the one rate; Mixed: the rate with the largest net share (the first
    // in tree order on a tie).
    double rate = 0.0;
    // The distinct rates in tree order of their first position, each with the sum of the
    // TotalNet of its positions.
    struct Share {
        double rate = 0.0;
        double net = 0.0;
    };
    std::vector<Share> shares;
};

// The rates of the positions (Kind "P") in the display tree that carry one: VatPct rounded
// to 2 decimals, non-zero, finite and within 0..100 (other values are ignored). Positions
// that differ only beyond the second decimal carry the same rate.
BidVatRate FindBidVatRate(const CAngebotList& list, const CDisplayTree& tree);
// The same over the display tree of the list.
BidVatRate FindBidVatRate(const CAngebotList& list);
