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

TEST_F(GaebRecords, HeaderSections) {
    const std::string header = Rec("00", {{11, "83L"}, {63, "1122PPPPI"}});
    ASSERT_TRUE(Feed({header, Rec("01", {{3, "Schule"}}), Rec("02", {{3, "Projekt 1"}}),
                      Rec("02", {{3, "Projekt 2"}}), Rec("03", {{3, "AG 1"}}), Rec("03", {{3, "AG 2"}}),
                      Rec("06", {{3, "4"}, {18, "Material"}, {32, "Lohnanteil"}}), Rec("11", {{3, "01"}})}));
    // Two project lines under one heading, two client lines under a heading each.
    EXPECT_EQ(Text(0, Fld::InfoText),
              "#ER\xd6"
              "FFNUNGSSATZ ZU LEISTUNGSVERZEICHNIS: \r\n" +
                  header.substr(2, 72) +
                  "\r\n#INFORMATION ZU LEISTUNGSVERZEICHNIS: \r\nSchule\r\n"
                  "#INFORMATION ZU PROJEKT: \r\nProjekt 1\r\nProjekt 2\r\n"
                  "#INFORMATION ZU AUFTRAGGEBER: \r\nAG 1\r\n#INFORMATION ZU AUFTRAGGEBER: \r\nAG 2\r\n"
                  "#BEZEICHNUNG DER EINHEITSPREISAUFGLIEDERUNG: \r\n4              Material      Lohnanteil");
    EXPECT_EQ(Text(0, Fld::LongText), "Projekt 1\r\nProjekt 2");
    EXPECT_EQ(conv.Component1Name() + "/" + conv.Component2Name(), "Material/Lohnanteil");
}

TEST_F(GaebRecords, AreasAndLvCloseOnlyWhenOpen) {
    {
        CAngebotList other;
        CGaebConverter c(other);
        EXPECT_TRUE(c.ParseRecord(Rec("00", {{11, "83L"}})));
        EXPECT_FALSE(c.ParseRecord(Rec("31"))) << "31 directly after 00";
        EXPECT_FALSE(CGaebConverter(other).ParseRecord(Rec("99"))) << "99 at level 1";
    }
    ASSERT_TRUE(Header());
    ASSERT_TRUE(Feed({Rec("11", {{3, "01"}}), Rec("12", {{3, "Erdarbeiten"}}), Rec("12", {{3, "Zeile 2"}}),
                      Rec("31", {{3, "01"}})}));
    EXPECT_EQ(Texts(1, {Fld::ShortText, Fld::LongText}), "Erdarbeiten|Erdarbeiten\r\nZeile 2|");
    EXPECT_EQ(Text(Last(), Fld::ShortText), "Summe Erdarbeiten");
    ASSERT_TRUE(conv.ParseRecord(Rec("99")));
    EXPECT_EQ(Text(Last(), Fld::ShortText), "SUMME Test-LV" + std::string(33, ' '));
    EXPECT_FALSE(conv.ParseRecord(Rec("99")));
}

TEST_F(GaebRecords, LevelNeverReaches100) {
    ASSERT_TRUE(Header());
    int opened = 0;
    while (conv.ParseRecord(Rec("11", {{3, "01"}})))
        ++opened;
    EXPECT_EQ(opened, 97);
    EXPECT_EQ(conv.Level(), 99);
    EXPECT_FALSE(conv.ParseRecord(Rec("T0"))) << "a contract block opens a level too";
    EXPECT_TRUE(conv.ParseRecord(Rec("31")));
}

TEST_F(GaebRecords, UnitPriceComponentsByComponentCount) {
    for (const char* count : {"2", "4"}) {
        CAngebotList other;
        CGaebConverter c(other);
        for (const std::string& line :
             {Rec("00", {{11, "83L"}}), Rec("06", {{3, count}}), Rec("21", {{3, "01020010"}, {19, "X"}}),
              Rec("30", {{13, "0000001000"}, {23, "0000000200"}, {33, "0000000030"}, {43, "0000000004"}})})
            ASSERT_TRUE(c.ParseRecord(line));
        EXPECT_DOUBLE_EQ(other.GetDouble(1, Fld::WageShare), 2.0);
        EXPECT_NEAR(other.GetDouble(1, Fld::OtherShare), std::string(count) == "2" ? 10.0 : 10.34, 1e-9);
    }
}

TEST_F(GaebRecords, BlocksAreNumberedPerExecutionDescription) {
    ASSERT_TRUE(Header());
    ASSERT_TRUE(Feed({Rec("41", {{3, "0001"}, {7, "Beton"}}), Rec("42", {{3, "AB"}, {5, "1"}}), Rec("42"),
                      Rec("41", {{3, "0002"}}), Rec("42"), Rec("99")}));
    std::vector<std::string> blocks;
    for (int i = 0; i < list.Count(); ++i)
        if (Text(i, Fld::SubKind) == "B") blocks.push_back(Text(i, Fld::GroupRef));
    EXPECT_EQ(blocks, (std::vector<std::string>{"01", "02", "01"}));
    EXPECT_EQ(Text(1, Fld::ShortText) + "|" + Text(2, Fld::Flags),
              "Ausf\xfchrungsbeschreibung 0001|    1  AB ");
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
