// Information values and long texts of the GAEB 90 reader.

#include "gaeb90/gaeb_test_support.h"
#include "model/info_values.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace {

TEST(GaebInfoValues, ValuesOfAReadHeader) {
    CAngebotList read;
    CGaebConverter reader(read);
    for (const std::string& line :
         {Rec("00", {{11, "83L"}, {37, "042"}, {40, "VERG-4711"}, {55, "DVAN0001"}, {63, "11PPPPI00"}}),
          Rec("01", {{3, "Sporthalle"}, {43, "15.03.24"}, {51, "02.04.24"}, {59, "10:30"}, {64, "30.06.24"}}),
          Rec("04", {{3, "Bieter GmbH"}}), Rec("11", {{3, " 1"}})})
        ASSERT_TRUE(reader.ParseRecord(line));
    const std::pair<const char*, std::string> values[] = {
        {"01", "Sporthalle" + std::string(30, ' ') + "15.03.2402.04.2410:3030.06.24"},
        {"04", "Bieter GmbH"},
        {"LVDatum", "15.03.24"},
        {"Abgabezeit", "10:30"},
        {"AbgabeZeit", ""}, // the reading spelling is "Abgabezeit"
        {"ZuschlagsFrist", "30.06.24"},
        {"BieterNummer", "042"},
        {"VergabeNrAN", "VERG-4711      "},
        {"DVNrAN", "DVAN0001"},
        {"OZSchluessel", "11PPPPI  "}};
    for (const auto& [key, value] : values)
        EXPECT_EQ(GetInfoValue(read, 1, key), value) << key;
}

using GaebLongTexts = ConverterFixture;

TEST_F(GaebLongTexts, ShortTextsJoinedSupplementsNumberedOnTheirOpeningLine) {
    ASSERT_TRUE(Header());
    ASSERT_TRUE(Feed({Rec("21", {{3, "01020010"}}), Rec("25", {{3, "Boden"}}), Rec("25", {{3, "l\xf6sen"}}),
                      Rec("26", {{6, "Text"}}), Rec("26", {{3, "01B"}, {6, "Typ:"}}),
                      Rec("26", {{3, "01B"}, {6, "'.......'"}}), Rec("26", {{3, "61B"}, {6, "SVS '"}}),
                      Rec("26", {{3, "61B"}}), Rec("26", {{3, "61B"}, {6, "....'"}}),
                      Rec("26", {{3, "02A"}, {6, "Farbe 'rot'"}}), Rec("99")}));
    EXPECT_EQ(Text(1, Fld::ShortText), "Boden l\xf6sen" + std::string(65, ' '));
    EXPECT_EQ(Text(1, Fld::SupplementIndex), "01B161B102A1");
    // A first line without apostrophe continues on the same line.
    EXPECT_EQ(Text(1, Fld::LongText),
              "\tText\r\n01\tTyp: '.......'\r\n61\tSVS '\r\n\t\r\n\t....'\r\n02\tFarbe 'rot'\r\n");
}

TEST_F(GaebLongTexts, RepeatedDescriptions) {
    ASSERT_TRUE(Header());
    ASSERT_TRUE(Feed({Rec("21", {{3, "01020040"}, {21, "W"}}), Rec("25", {{3, "wie &OZNR&"}}),
                      Rec("26", {{6, "Ausf\xfchrung wie &OZNR&"}}),
                      Rec("28", {{3, "Abweichend:"}, {58, "01020030"}}), Rec("99")}));
    EXPECT_EQ(Text(1, Fld::LongText),
              "Ausf\xfchrung wie 01.02.0030\r\nAbweichend:\r\nwie Pos-Nr. 01.02.0030, jedoch");
    EXPECT_EQ(Text(1, Fld::ShortText).substr(0, 15), "wie 01.02.0030 ");

    ASSERT_TRUE(Feed({Rec("00", {{11, "83L"}, {63, "1122PPPPI"}}), Rec("21", {{3, "01020050"}, {21, "A"}}),
                      Rec("28", {{3, "Zusatz"}, {67, "0001"}}),
                      Rec("21", {{3, "01020060"}, {21, "W"}, {45, "12345996"}}),
                      Rec("28", {{58, "010200301"}}), Rec("99")}));
    EXPECT_EQ(Text(Last() - 2, Fld::LongText), "Zusatz\r\ngem\xe4\xdf Ausf\xfchrungsbeschreibung 0001");
    EXPECT_EQ(Text(Last() - 1, Fld::SupplementIndex), "11A1");
    EXPECT_EQ(Text(Last() - 1, Fld::LongText), "11\tLeistung wie Position '01.02.00301',\r\n");
}

TEST_F(GaebLongTexts, StandardTextNotesSubDescriptionsAndBidFiles) {
    ASSERT_TRUE(Header());
    ASSERT_TRUE(
        Feed({Rec("21", {{3, "01020010"}, {42, "X"}, {44, "1"}, {45, "0123456789ABCDEF"}}),
              Rec("26", {{6, "Text"}}), Rec("21", {{3, "01020020"}, {14, "L"}}), Rec("26", {{6, "Leit"}}),
              Rec("79", {{3, "STLB-Bau  A B C D E F BM -1 BMI 20000"}}), Rec("24", {{3, "01"}}),
              Rec("26", {{6, "Typ A"}}), Rec("26", {{6, "in Wei\xdf"}}), Rec("99")}));
    EXPECT_EQ(Text(1, Fld::LongText), "Stl-Nr 01 234/567 89 AB CD EF TA\r\nText");
    EXPECT_EQ(Text(2, Fld::LongText), "STLB-Bau D/B F TA TB\r\nLeit");
    EXPECT_EQ(Text(3, Fld::LongText), "01\r\n\tTyp A\r\n\tin Wei\xdf");

    // A bid file keeps its texts as read.
    ASSERT_TRUE(Feed({Rec("00", {{11, "84 "}}), Rec("23", {{3, "01020010"}}),
                      Rec("26", {{3, "01B"}, {6, "'M'"}}), Rec("99")}));
    EXPECT_EQ(Text(Last() - 1, Fld::LongText), "'M'");
}

} // namespace
