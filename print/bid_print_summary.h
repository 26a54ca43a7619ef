#pragma once

#include "model/angebot_list.h"
#include "model/bid_vat_rate.h"

#include <string>

class CDisplayTree;

// What the printout says about the whole bid: the title in the header and the totals with
// VAT at the end. Amounts as the record list holds them; the layout rounds them to cents.
struct BidPrintSummary {
    std::string title;
    double net = 0.0;
    double gross = 0.0;
    BidVatRate vat;
};

// The bid's LVs are the records of Kind "L" whose PosType is not "C" (contract-regulation
// blocks are LV records too) and that lie in no other such LV. The title is the short text of
// the first of them. The totals are those of the sum line that closes a single LV (its last
// child of Kind "S"), else the sum of the LV records' own totals; without an LV record, the
// sum of the top-level positions and groups. Without an LV the title is the short text of the
// first record in tree order. Expects the totals of a full calculation (CalcAll).
BidPrintSummary SummarizeForPrint(const CAngebotList& list, const CDisplayTree& tree);
