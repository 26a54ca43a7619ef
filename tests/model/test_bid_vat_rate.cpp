#include "model/bid_vat_rate.h"
#include "model/calculation.h"
#include "model/display_tree.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

struct Pos {
    double vat;
    double net;
};

// An LV with a title holding the positions, each with its VAT rate and net total, and the
// sums of a full calculation (the groups then carry derived rates such as 18.999999999999996).
BidVatRate RateOf(const std::vector<Pos>& positions) {
    CAngebotList list;
    AddRec(list, "L", 1, 0, 1);
    AddRec(list, "T", 2, 1, 2);
    double id = 3;
    for (const Pos& p : positions) {
        const int r = AddPos(list, id++, 2, 3, 1, p.net);
        list.SetDouble(r, Fld::VatPct, p.vat);
        RecalcPosition(list, r);
    }
    AddRec(list, "S", id, 1, 2);
    list.LinkDisplayChain();
    CalcAll(list);
    return FindBidVatRate(list);
}

} // namespace

TEST(BidVatRate, NoneOneOrSeveralRates) {
    const double nan = std::numeric_limits<double>::quiet_NaN(),
                 inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        std::vector<Pos> positions;
        BidVatKind kind;
        double rate;
        size_t rates;
    } cases[] = {
        {"no positions", {}, BidVatKind::None, 0.0, 0},
        {"no position carries a rate", {{0, 100}, {0, 50}}, BidVatKind::None, 0.0, 0},
        {"one rate, some without", {{0, 100}, {19, 50}, {19, 70}}, BidVatKind::Single, 19.0, 1},
        {"one rate with noise",
         {{19, 10}, {19.0000000001, 10}, {18.999999999999996, 10}},
         BidVatKind::Single,
         19.0,
         1},
        {"a reduced rate", {{7.5, 10}}, BidVatKind::Single, 7.5, 1},
        {"the larger net share", {{19, 100}, {7, 60}, {7, 50}}, BidVatKind::Mixed, 7.0, 2},
        {"equal shares: the first", {{7, 100}, {19, 100}}, BidVatKind::Mixed, 7.0, 2},
        {"unpriced positions", {{19, 0}, {7, 0}, {16, 0}}, BidVatKind::Mixed, 19.0, 3},
        {"a discount does not win", {{19, 10}, {7, -500}}, BidVatKind::Mixed, 19.0, 2},
        {"out of range or not finite",
         {{nan, 10}, {inf, 10}, {-19, 10}, {119, 10}, {16, 1}},
         BidVatKind::Single,
         16.0,
         1},
        {"100 is in range", {{100, 1}}, BidVatKind::Single, 100.0, 1},
    };
    for (const auto& c : cases) {
        const BidVatRate vat = RateOf(c.positions);
        EXPECT_EQ(vat.kind, c.kind) << c.what;
        EXPECT_EQ(vat.rate, c.rate) << c.what;
        EXPECT_EQ(vat.shares.size(), c.rates) << c.what;
    }
}
