#pragma once

#include "model/angebot_list.h"

class CDisplayTree;

// The three totals of a level or a record: GP, GP eff., GP brt.
struct Totals {
    double gp = 0.0;
    double gpEff = 0.0;
    double gpBrt = 0.0;
};

// The price model of one position, computed from the record's fields:
// alternative and eventual positions 0, unapproved supplement positions GP 0,
// GP = RoundTo(EP x Q (x 0.01 for a surcharge position), 2), GP eff. and GP brt.
// from the surcharge and VAT rates, each rounded to 2 decimals.
Totals PositionTotals(const CAngebotList& list, int index);

// Computes PositionTotals and stores them in TotalPrice, TotalNet and TotalGross.
Totals RecalcPosition(CAngebotList& list, int index);

// Stores (a, b, c) as the totals of a group or sum record, with the surcharge and
// VAT percentages derived from them (0 where the divisor is 0).
void SetTotalsFrom(CAngebotList& list, int index, const Totals& totals);

// Full calculation over the display tree: groups (T, L, O, X) get the sums of their
// children, sum lines (S, K) the sums of their level up to themselves; positions add
// their stored totals. `first` is the first record of a level (-1: the first top-level
// record). Returns the sums of that level.
Totals CalcAll(CAngebotList& list, const CDisplayTree& tree, int first = -1);
// Builds the display tree and calculates from the top level.
Totals CalcAll(CAngebotList& list);

// Hands a value (surcharge or VAT rate: field SurchargePct or VatPct) to every record
// below `start`, depth first, recalculating each by the price model of one position.
void PropagateToChildren(CAngebotList& list, const CDisplayTree& tree, int start, Fld field, double value);

// Hands the VAT rate to every record below `start`, then CalcAll; sets *modified.
void SetVatForAll(CAngebotList& list, int start, double rate, bool* modified = nullptr);

// A VAT rate the application accepts: a number from 0 to 100.
bool IsValidVatRate(double rate);

// First non-zero valid VatPct from `start` along its siblings, depth first, truncated to a
// whole number; 0 if none.
int FindVatRate(const CAngebotList& list, const CDisplayTree& tree, int start);
