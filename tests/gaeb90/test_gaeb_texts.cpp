// Text helpers, ordinal numbers, information values and long texts of the GAEB 90 reader.

#include "gaeb90/gaeb_test_support.h"

#include <gmock/gmock.h>

#include <tuple>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> lines{"stale"};
    CGaebConverter::SplitLines(text, lines);
    return lines;
}

TEST(GaebTextHelpers, SplitLines) {
    EXPECT_THAT(Split("A\r\n\r\nB"), ElementsAre("A", "", "B"));
    EXPECT_THAT(Split("A\n\nB"), ElementsAre("A", "B"));
    EXPECT_THAT(Split("A\rB\r\n"), ElementsAre("A", "B"));
    EXPECT_THAT(Split(""), IsEmpty());
}

TEST(GaebFormatOZ, InsertsPointsAfterEachLevelOfTheKey) {
    CAngebotList list;
    CGaebConverter conv(list);
    std::string out;
    conv.FormatOZ("01020030", out, "1122PPPPI");
    EXPECT_EQ(out, "01.02.0030  ");
    EXPECT_EQ(conv.FormatOZ("010200301"), "01.02.00301 ") << "the key stays; no point before the index";
    // Keys without index, with unused places "0": no stray points.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"01020030", "1122PPPP0", "01.02.0030  "},
        {"10000010", "1PPPPPP00", "1.0000010  "},
        {" 1  10", "11PPPPI00", " 1  10    "},
        {"", "1234567890123456", "          "}};
    for (const auto& [raw, key, expected] : cases) {
        conv.FormatOZ(raw, out, key);
        EXPECT_EQ(out, expected) << raw << " " << key;
    }
}

// An LV record (id 1) with a title below it and a position below the title (current).
struct GaebInfoValues : ConverterFixture {
    int lv = -1;
    void SetUp() override {
        for (double id : {1.0, 2.0, 3.0}) {
            const int i = list.AddRecord();
            list.SetText(i, Fld::Kind, id == 1.0 ? "L" : "T");
            list.SetDouble(i, Fld::RecordId, id);
            list.SetDouble(i, Fld::ParentId, id - 1.0);
        }
        lv = 0;
        conv.currentIndex = 2;
    }
    std::vector<std::string> InfoLines() const { return Split(Text(lv, Fld::InfoText)); }
};

TEST_F(GaebInfoValues, Defaults) {
    EXPECT_EQ(conv.GetInfoValue("BieterNummer"), "999");
    EXPECT_EQ(conv.GetInfoValue("08"), "EUR");
    conv.currencySetting = "CHF";
    EXPECT_EQ(conv.GetInfoValue("W\xe4hrung"), "CHF");
    EXPECT_EQ(conv.GetInfoValue("02"), "");
    list.SetDouble(1, Fld::ParentId, 77.0); // the chain to the LV breaks
    EXPECT_EQ(conv.GetInfoValue("08"), "");
}

TEST_F(GaebInfoValues, ValuesOfAReadHeader) {
    CAngebotList read;
    CGaebConverter reader(read);
    for (const std::string& line :
         {Rec("00", {{11, "83L"}, {37, "042"}, {40, "VERG-4711"}, {55, "DVAN0001"}, {63, "11PPPPI00"}}),
          Rec("01", {{3, "Sporthalle"}, {43, "15.03.24"}, {51, "02.04.24"}, {59, "10:30"}, {64, "30.06.24"}}),
          Rec("04", {{3, "Bieter GmbH"}}), Rec("11", {{3, " 1"}})})
        ASSERT_TRUE(reader.ParseRecord(line));
    reader.currentIndex = 1;
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
        EXPECT_EQ(reader.GetInfoValue(key), value) << key;
}

TEST_F(GaebInfoValues, ProjectInformationTakesAtMostTenLines) {
    std::string info = "#INFORMATION ZU PROJEKT: \r\n", expected;
    for (int i = 1; i <= 12; ++i) {
        info += "Zeile " + std::to_string(i) + (i == 3 ? "\r\n\r\n" : "\r\n");
        if (i <= 10) expected += (i > 1 ? "\r\n" : "") + ("Zeile " + std::to_string(i));
    }
    list.SetText(lv, Fld::InfoText, info + "#INFORMATION ZU AUFTRAGGEBER: \r\nAG\r\n");
    EXPECT_EQ(conv.GetInfoValue("ProjektInfo"), expected);
}

TEST_F(GaebInfoValues, SetReplacesAppendsAndFitsColumns) {
    list.SetText(lv, Fld::InfoText,
                 "#INFORMATION ZU LEISTUNGSVERZEICHNIS: \r\nalt\r\n#INFORMATION ZU PROJEKT: \r\nA\r\nB");
    conv.SetInfoValue("01", "erster");
    conv.SetInfoValue("01", "zweiter");
    conv.SetInfoValue("02", "Neu");
    EXPECT_THAT(InfoLines(), ElementsAre("#INFORMATION ZU LEISTUNGSVERZEICHNIS: ", "zweiter",
                                         "#INFORMATION ZU PROJEKT: ", "Neu"));
    // A second value line is inserted, never written over the next heading.
    conv.SetInfoValue("01", "Zeile 1\r\nZeile 2");
    EXPECT_EQ(InfoLines()[3], "#INFORMATION ZU PROJEKT: ");
    // A missing section is appended; an empty value adds none.
    conv.SetInfoValue("07", "");
    conv.SetInfoValue("08", "CHF   Franken");
    EXPECT_THAT(Text(lv, Fld::InfoText),
                HasSubstr("Neu\r\n#KENNZEICHEN F\xdcR W\xc4HRUNG:\r\nCHF   Franken"));
    EXPECT_EQ(InfoLines().size(), 7u);

    // Column values: widths, dates of 10 characters, the bidder number with zeros.
    conv.SetInfoValue("LVDatum", "24.12.2024");
    conv.SetInfoValue("AbgabeZeit", "11:45");
    EXPECT_EQ(conv.GetInfoValue("LVDatum"), "24.12.24");
    EXPECT_EQ(conv.GetInfoValue("Abgabezeit"), "11:45");
    EXPECT_EQ(conv.GetInfoValue("LVBezeichnung"), "Zeile 1" + std::string(33, ' '));
    conv.SetInfoValue("BieterNummer", "7");
    conv.SetInfoValue("DVNrAN", "DV12345678XYZ");
    EXPECT_EQ(conv.GetInfoValue("BieterNummer"), "007");
    EXPECT_EQ(conv.GetInfoValue("DVNrAN"), "DV123456");
    EXPECT_EQ(Split(Text(lv, Fld::BidderTexts)).at(1).size(), 72u);
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
