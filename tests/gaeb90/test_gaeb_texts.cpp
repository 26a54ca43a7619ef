// Information values and long texts of the GAEB 90 reader.

#include "gaeb90/gaeb_test_support.h"
#include "model/info_values.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace {

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
