// Keyed information values of an LV record.

#include "model/info_blocks.h"
#include "model/info_values.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> lines;
    SplitInfoLines(text, lines);
    return lines;
}

// An LV record (id 1) with a title below it and a position below the title (current).
struct InfoValues : ::testing::Test {
    CAngebotList list;
    int lv = -1;
    void SetUp() override {
        for (double id : {1.0, 2.0, 3.0}) {
            const int i = list.AddRecord();
            list.SetText(i, Fld::Kind, id == 1.0 ? "L" : "T");
            list.SetDouble(i, Fld::RecordId, id);
            list.SetDouble(i, Fld::ParentId, id - 1.0);
        }
        lv = 0;
    }
    std::vector<std::string> InfoLines() const { return Split(list.GetText(lv, Fld::InfoText)); }
    std::string Get(const std::string& key, const std::string& currency = "") const {
        return GetInfoValue(list, 2, key, currency);
    }
    void Set(const std::string& key, const std::string& value) { SetInfoValue(list, 2, key, value); }
};

TEST_F(InfoValues, Defaults) {
    EXPECT_EQ(Get("BieterNummer"), "999");
    EXPECT_EQ(Get("08"), "EUR");
    EXPECT_EQ(Get("W\xe4hrung", "CHF"), "CHF");
    EXPECT_EQ(Get("02"), "");
    list.SetDouble(1, Fld::ParentId, 77.0); // the chain to the LV breaks
    EXPECT_EQ(Get("08"), "");
}

TEST_F(InfoValues, ProjectInformationTakesAtMostTenLines) {
    std::string info = "#INFORMATION ZU PROJEKT: \r\n", expected;
    for (int i = 1; i <= 12; ++i) {
        info += "Zeile " + std::to_string(i) + (i == 3 ? "\r\n\r\n" : "\r\n");
        if (i <= 10) expected += (i > 1 ? "\r\n" : "") + ("Zeile " + std::to_string(i));
    }
    list.SetText(lv, Fld::InfoText, info + "#INFORMATION ZU AUFTRAGGEBER: \r\nAG\r\n");
    EXPECT_EQ(Get("ProjektInfo"), expected);
}

TEST_F(InfoValues, SetReplacesAppendsAndFitsColumns) {
    list.SetText(lv, Fld::InfoText,
                 "#INFORMATION ZU LEISTUNGSVERZEICHNIS: \r\nalt\r\n#INFORMATION ZU PROJEKT: \r\nA\r\nB");
    Set("01", "erster");
    Set("01", "zweiter");
    Set("02", "Neu");
    EXPECT_THAT(InfoLines(), ElementsAre("#INFORMATION ZU LEISTUNGSVERZEICHNIS: ", "zweiter",
                                         "#INFORMATION ZU PROJEKT: ", "Neu"));
    // A second value line is inserted, never written over the next heading.
    Set("01", "Zeile 1\r\nZeile 2");
    EXPECT_EQ(InfoLines()[3], "#INFORMATION ZU PROJEKT: ");
    // A missing section is appended; an empty value adds none.
    Set("07", "");
    Set("08", "CHF   Franken");
    EXPECT_THAT(list.GetText(lv, Fld::InfoText),
                HasSubstr("Neu\r\n#KENNZEICHEN F\xdcR W\xc4HRUNG:\r\nCHF   Franken"));
    EXPECT_EQ(InfoLines().size(), 7u);

    // Column values: widths, dates of 10 characters, the bidder number with zeros.
    Set("LVDatum", "24.12.2024");
    Set("AbgabeZeit", "11:45");
    EXPECT_EQ(Get("LVDatum"), "24.12.24");
    EXPECT_EQ(Get("Abgabezeit"), "11:45");
    EXPECT_EQ(Get("LVBezeichnung"), "Zeile 1" + std::string(33, ' '));
    Set("BieterNummer", "7");
    Set("DVNrAN", "DV12345678XYZ");
    EXPECT_EQ(Get("BieterNummer"), "007");
    EXPECT_EQ(Get("DVNrAN"), "DV123456");
    EXPECT_EQ(Split(list.GetText(lv, Fld::BidderTexts)).at(1).size(), 72u);
}

} // namespace
