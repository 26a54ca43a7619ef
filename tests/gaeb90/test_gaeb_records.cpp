// Record handlers of the GAEB 90 reader, fed line by line.

#include "gaeb90/gaeb_test_support.h"

#include <gmock/gmock.h>

namespace {

using GaebRecords = ConverterFixture;

TEST_F(GaebRecords, PositionTypeFlagsUnitAndQuantity) {
    ASSERT_TRUE(Header());
    const std::pair<std::pair<const char*, const char*>, const char*> types[] = {
        {{"NE", " "}, "E"}, {{"NM", " "}, "F"}, {{"GN", " "}, "G"}, {{"AN", " "}, "A"},
        {{"SN", " "}, "S"}, {{"NN", " "}, "N"}, {{"XY", " "}, "N"}, {{"AN", "R"}, "D"}};
    for (const auto& [code, posType] : types) {
        ASSERT_TRUE(conv.ParseRecord(Rec("21", {{3, "01020010"}, {12, code.first}, {62, code.second}})));
        EXPECT_EQ(Text(Last(), Fld::PosType), posType) << code.first << code.second;
    }
    ASSERT_TRUE(conv.ParseRecord(Rec(
        "21",
        {{3, "01020030"}, {14, "Lab01ABCD"}, {23, "000000012345"}, {35, "m3"}, {42, "FGH"}, {62, "IJ"}})));
    // Flags from columns 19-22, 44, 62, 63, 42, 43.
    EXPECT_EQ(Texts(Last(), {Fld::OZ, Fld::OZKey, Fld::Flags, Fld::Unit}),
              "01.02.0030  |01020030|ABCDHIJFG|m3  |");
    EXPECT_DOUBLE_EQ(Num(Last(), Fld::Quantity), 12.345);
    EXPECT_EQ(Num(Last(), Fld::ParentId), Num(0, Fld::RecordId));

    ASSERT_TRUE(conv.ParseRecord(Rec("21", {{3, "01020040"}, {23, "000000007000"}, {35, "psch"}})));
    EXPECT_DOUBLE_EQ(Num(Last(), Fld::Quantity), 1.0);
    ASSERT_TRUE(conv.ParseRecord(Rec("21", {{3, "01020050"}, {20, "Z"}, {23, "000000005000"}, {35, "St"}})));
    EXPECT_EQ(Text(Last(), Fld::Unit), "%");
    EXPECT_DOUBLE_EQ(Num(Last(), Fld::Quantity), 5.0);
}

TEST_F(GaebRecords, PriceRecords) {
    ASSERT_TRUE(Header());
    ASSERT_TRUE(conv.ParseRecord(Rec("21", {{3, "01020010"}, {23, "000000002000"}, {35, "m"}})));
    const int p = Last();
    ASSERT_TRUE(conv.ParseRecord(Rec("22", {{12, "00000012345"}, {24, "0000000246900"}, {49, "1150000"}})));
    EXPECT_DOUBLE_EQ(Num(p, Fld::UnitPrice), 123.45);
    EXPECT_DOUBLE_EQ(Num(p, Fld::TotalPrice), 2469.0);
    EXPECT_NEAR(Num(p, Fld::SurchargePct), 15.0, 1e-9);
    ASSERT_TRUE(conv.ParseRecord(Rec("22", {{12, "00000001000"}})));
    EXPECT_NEAR(Num(p, Fld::SurchargePct), 15.0, 1e-9) << "blank factor columns change nothing";

    // Record 23 with the same OZ prices the position; a new OZ makes a new position.
    ASSERT_TRUE(conv.ParseRecord(Rec("23", {{3, "01020010"}, {12, " 0000000310"}})));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_DOUBLE_EQ(Num(p, Fld::UnitPrice), 3.1);
    ASSERT_TRUE(conv.ParseRecord(Rec("23", {{3, "01020020"},
                                            {12, " 0000000310"},
                                            {24, " 000000003875"},
                                            {37, " 00000012500"},
                                            {49, "0970000"}})));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(Texts(Last(), {Fld::Kind, Fld::OZ}), "P|01.02.0020  |");
    EXPECT_NEAR(Num(Last(), Fld::SurchargePct), -3.0, 1e-9);
    EXPECT_DOUBLE_EQ(Num(Last(), Fld::Quantity), 0.0) << "an invitation takes no quantity without the flag";

    // A surcharge position takes percentage and base amount.
    ASSERT_TRUE(conv.ParseRecord(Rec("21", {{3, "01020060"}, {20, "Z"}, {35, "St"}})));
    ASSERT_TRUE(conv.ParseRecord(Rec("22", {{56, "001250"}, {62, "0000000200000"}})));
    EXPECT_DOUBLE_EQ(Num(Last(), Fld::Quantity), 12.5);
    EXPECT_DOUBLE_EQ(Num(Last(), Fld::UnitPrice), 2000.0);
}

TEST_F(GaebRecords, MergeTakesTheTotalOfOnlyNormalLumpSums) {
    ASSERT_TRUE(Header());
    ASSERT_TRUE(Feed({Rec("21", {{3, "01020010"}, {12, "NN"}, {35, "psch"}}),
                      Rec("21", {{3, "01020020"}, {12, "AN"}, {35, "psch"}})}));
    const int normal = list.Count() - 2, alternative = list.Count() - 1;
    // The saved bid: a normal lump sum carries only its total, an alternative only its unit price.
    CAngebotList bid;
    for (const auto& [oz, ep, gp] : {std::tuple{Text(normal, Fld::OZ), 0.0, 800.0},
                                     std::tuple{Text(alternative, Fld::OZ), 650.0, 0.0}}) {
        const int b = bid.AddRecord();
        bid.SetText(b, Fld::OZ, oz);
        bid.SetDouble(b, Fld::UnitPrice, ep);
        bid.SetDouble(b, Fld::TotalPrice, gp);
    }
    conv.MergeBid(bid);
    EXPECT_DOUBLE_EQ(Num(normal, Fld::UnitPrice), 800.0);
    EXPECT_DOUBLE_EQ(Num(normal, Fld::TotalPrice), 800.0);
    EXPECT_DOUBLE_EQ(Num(alternative, Fld::UnitPrice), 650.0);
    EXPECT_EQ(Num(alternative, Fld::TotalPrice), 0.0);
}

} // namespace
