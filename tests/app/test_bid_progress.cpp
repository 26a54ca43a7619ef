#include "app/bid_progress.h"
#include "common/number_format.h"
#include "model/calculation.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

TEST(BidProgress, CountsPricedPositionsAndFollowsEntries) {
    CNumberFormat::SetUserSeparators(",", ".");
    CAngebotList list;
    AddRec(list, "L", 1, 0, 1);
    const int a = AddPos(list, 2, 1, 2, 1000.0, 12.5);
    const int b = AddPos(list, 3, 1, 2, 2.0, 0.0);
    const int z = AddPos(list, 4, 1, 2, 0.0, 0.0, " Z"); // surcharge: its percentage counts
    AddPos(list, 5, 1, 2, 1.0, 0.0, "     R");           // omitted: not counted
    AddRec(list, "B", 6, 1, 2);
    AddRec(list, "S", 7, 1, 2);
    list.LinkDisplayChain();
    for (int r : {a, b})
        RecalcPosition(list, r);
    CalcAll(list);

    CBidProgress progress;
    progress.Rebuild(list);
    EXPECT_EQ(progress.Priced(), 1);
    EXPECT_EQ(progress.Priceable(), 3);
    EXPECT_EQ(progress.PricedText(), "1 von 3 Positionen bepreist");
    // The net total of the LV, as the closing sum line holds it.
    EXPECT_EQ(progress.NetText(), "Netto: 12.500,00");

    list.SetDouble(b, Fld::UnitPrice, 5.0);
    list.SetDouble(z, Fld::Quantity, 3.0);
    RecalcPosition(list, b);
    CalcAll(list);
    progress.Update(list);
    EXPECT_EQ(progress.PricedText(), "3 von 3 Positionen bepreist");
    EXPECT_DOUBLE_EQ(progress.Net(), 12510.0);

    // A record more (the list was refilled without a rebuild): learnt anew.
    const int c = AddPos(list, 8, 1, 2, 1.0, 0.0);
    list.LinkDisplayChain();
    progress.Update(list);
    EXPECT_EQ(progress.Priceable(), 4);
    list.SetDouble(c, Fld::UnitPrice, 1.0);
    progress.Update(list);
    EXPECT_EQ(progress.Priced(), 4);

    CAngebotList single;
    AddPos(single, 1, 0, 1, 1.0, 0.0);
    single.LinkDisplayChain();
    progress.Rebuild(single);
    EXPECT_EQ(progress.PricedText(), "0 von 1 Position bepreist");

    CAngebotList empty;
    progress.Rebuild(empty);
    EXPECT_EQ(progress.PricedText(), "");
    EXPECT_EQ(progress.NetText(), "");
}
