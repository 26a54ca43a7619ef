// The D84 writer: field formats, the records of a priced bid, refusal and failure, and the
// round trip through the reader (a D83 priced, its D84 written beside it, the D83 read again).

#include "gaeb90/gaeb90_writer.h"

#include "common/code_page.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaeb90/gaeb_columns.h"
#include "gaeb90/gaeb_converter.h"
#include "model/calculation.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using gaeb90::Cols;
using ::testing::ElementsAre;

namespace {

// An 80-column D83 line: the type in columns 1-2, each text at its 1-based column, blanks
// elsewhere and a line number in columns 75-80.
std::string Rec(const std::string& type, std::initializer_list<std::pair<int, std::string>> fields = {}) {
    std::string line(74, ' ');
    line.replace(0, type.size(), type);
    for (const auto& [col, text] : fields)
        line.replace(static_cast<size_t>(col - 1), text.size(), text);
    line.resize(74, ' ');
    return line + "000001";
}

std::string ReadBytes(const fs::path& path) {
    std::string data;
    EXPECT_TRUE(ReadWholeFile(path.string(), data)) << path;
    return data;
}

// A fresh folder per test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = fs::temp_directory_path() /
                 (std::string("orvak_d84_") + info->test_suite_name() + "_" + info->name());
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    fs::path operator/(const std::string& name) const { return m_path / name; }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

const std::string kBlank12(12, ' ');

std::string Padded(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string LineNo(size_t n) {
    std::string digits = std::to_string(n);
    return std::string(6 - std::min<size_t>(6, digits.size()), '0') + digits;
}

// The lines of a written file, CR LF removed, converted back to Windows-1252. Every line
// must end with CR LF.
std::vector<std::string> FileLines(const std::string& data) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < data.size()) {
        const size_t end = data.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "line without CR LF at byte " << start;
        if (end == std::string::npos) break;
        lines.push_back(Cp850ToCp1252(data.substr(start, end - start)));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> Types(const std::vector<std::string>& lines) {
    std::vector<std::string> types;
    for (const std::string& line : lines)
        types.push_back(line.substr(0, 2));
    return types;
}

// The first line of the given record type, "" if none.
std::string FirstOf(const std::vector<std::string>& lines, const std::string& type) {
    for (const std::string& line : lines)
        if (line.compare(0, 2, type) == 0) return line;
    return std::string();
}

std::vector<std::string> AllOf(const std::vector<std::string>& lines, const std::string& type) {
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.compare(0, 2, type) == 0) found.push_back(line);
    return found;
}

// An LV with the OZ key "11PPPPI00" (area: 2 digits, position: 4) and one area "01" that
// holds the given lines.
std::vector<std::string> OneAreaLv(const std::vector<std::string>& body) {
    std::vector<std::string> lines = {Rec("00", {{11, "83L"}, {63, "11PPPPI00"}, {72, "90"}}),
                                      Rec("01", {{3, "Test-LV"}}), Rec("11", {{3, "01"}}),
                                      Rec("12", {{3, "Erdarbeiten"}})};
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back(Rec("31", {{3, "01"}}));
    lines.push_back(Rec("99"));
    return lines;
}

std::string Position(const std::string& oz, const std::string& flags, const std::string& unit = "m3",
                     const std::string& code = "NN") {
    return Rec("21", {{3, oz}, {12, code}, {14, "N"}, {19, flags}, {23, "000000012500"}, {35, unit}});
}

// A list filled line by line through the reader.
struct WriterFixture : ::testing::Test {
    CAngebotList list;
    CGaebConverter conv{list};

    std::string Text(int index, int field) const { return list.GetText(index, field); }
    double Num(int index, int field) const { return list.GetDouble(index, field); }
    bool Feed(const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            if (!conv.ParseRecord(line)) return false;
        return true;
    }
    // Reads the lines as the open command does: records, display chain.
    void Load(const std::vector<std::string>& lines) {
        ASSERT_TRUE(Feed(lines));
        list.LinkDisplayChain();
    }
    int Find(const std::string& kind, int nth = 0) const {
        for (int i = 0; i < list.Count(); ++i)
            if (list.GetText(i, Fld::Kind) == kind && nth-- == 0) return i;
        return -1;
    }
    void SetInfo(const std::string& key, const std::string& value) {
        CGaebConverter c(list);
        c.currentIndex = Find("L");
        c.SetInfoValue(key, value);
    }
    std::vector<std::string> Build(int vat = 19) {
        CGaeb90Writer writer(list);
        writer.vatRate = vat;
        std::string data;
        EXPECT_TRUE(writer.BuildD84(data)) << writer.errorMessage;
        return FileLines(data);
    }
};

using Gaeb90Writer = WriterFixture;

// ---------------------------------------------------------------------------------------
// Field formats

TEST(Gaeb90WriterFormat, AmountsAreDigitsOfTheValueTimes100) {
    EXPECT_EQ(CGaeb90Writer::FormatAmount(38.75, 12, true), " 000000003875");
    EXPECT_EQ(CGaeb90Writer::FormatAmount(16.90, 12, true), " 000000001690"); // 1689.9999999999998
    EXPECT_EQ(CGaeb90Writer::FormatAmount(3.10, 10, true), " 0000000310");
    EXPECT_EQ(CGaeb90Writer::FormatAmount(-12.34, 12, true), "-000000001234");
    EXPECT_EQ(CGaeb90Writer::FormatAmount(-12.34, 10, false), "0000001234");
    EXPECT_EQ(CGaeb90Writer::FormatAmount(19, 4, false), "1900");
    EXPECT_EQ(CGaeb90Writer::FormatAmount(0.0, 5, true), " 00000");
    // Cut after rounding to six places: 0.285 x 100 = 28.499999999999996 prints as 28.500000.
    EXPECT_EQ(CGaeb90Writer::FormatAmount(0.285, 4, false), "0028");
    EXPECT_EQ(CGaeb90Writer::FormatAmount(0.129, 4, false), "0012");
    // Never cut: a value too wide for its field keeps all its digits.
    EXPECT_EQ(CGaeb90Writer::FormatAmount(12345678901.5, 12, false), "1234567890150");
    EXPECT_EQ(CGaeb90Writer::FormatAmount(std::nan(""), 4, false), "0000");
}

TEST(Gaeb90WriterFormat, QuantitiesOfPriceAndSubDescriptionRecords) {
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(23, 12.5, "   X", "m3", false), " 00000012500");
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(22, -2.25, "   X", "m3", false), "-00000002250");
    // The thousandths are rounded: 1.001 x 1000 is 1000.9999999999999 in binary.
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(23, 1.001, "   X", "St", false), " 00000001001");
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(23, 0.0125, "   X", "St", false), " 00000000013");
    // Quantities beyond the int range keep their digits.
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(23, 3000000.5, "   X", "kg", false), " 03000000500");
    // Without the bidder-quantity flag: blanks, or 1,000 when the LV says lump sums.
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(23, 12.5, "  ", "m3", false), kBlank12);
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(23, 12.5, "", "m3", true), " 00000001000");
    // Sub-descriptions: with a real unit.
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(24, 3.5, "", "m2  ", false), " 00000003500");
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(24, 3.5, "", "", false), kBlank12);
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(24, 3.5, "", "----", false), kBlank12);
    EXPECT_EQ(CGaeb90Writer::FormatQuantity(21, 3.5, "   X", "m2", true), kBlank12);
}

TEST(Gaeb90WriterFormat, FactorOzUnitAndOverwrite) {
    EXPECT_EQ(CGaeb90Writer::FormatFactor(-3.0), "0970000");
    EXPECT_EQ(CGaeb90Writer::FormatFactor(15.0), "1150000");
    EXPECT_EQ(CGaeb90Writer::FormatFactor(2.5), "1025000");

    EXPECT_EQ(CGaeb90Writer::OZ9("01.02.0030  "), "01020030 ");
    EXPECT_EQ(CGaeb90Writer::OZ9("01.02.03.0040.5"), "010203004");

    EXPECT_EQ(CGaeb90Writer::MapUnit("St\xfc"
                                     "ck"),
              "St  ");
    EXPECT_EQ(CGaeb90Writer::MapUnit("m\xb2"), "m2  ");
    EXPECT_EQ(CGaeb90Writer::MapUnit("m\xb3"), "m3  ");
    EXPECT_EQ(CGaeb90Writer::MapUnit("Pauschal"), "psch");
    EXPECT_EQ(CGaeb90Writer::MapUnit("Stk."), "St  ");
    EXPECT_EQ(CGaeb90Writer::MapUnit("Stck"), "St  ");
    EXPECT_EQ(CGaeb90Writer::MapUnit("lfd.m"), "lfdm");

    std::string line(10, '-');
    CGaeb90Writer::OverwriteAt(line, "ab", 2, 4);
    EXPECT_EQ(line, "--ab  ----");
    CGaeb90Writer::OverwriteAt(line, "xyz", 8, 2);
    EXPECT_EQ(line, "--ab  --xy");
    CGaeb90Writer::OverwriteAt(line, "nope", 8, 3); // would end beyond the line
    EXPECT_EQ(line, "--ab  --xy");
}

// ---------------------------------------------------------------------------------------
// Records of a bid

TEST_F(Gaeb90Writer, PositionRecordWithAndWithoutBidderQuantity) {
    Load(OneAreaLv({Position("010010", "   X")}));
    const int p = Find("P");
    list.SetDouble(p, Fld::UnitPrice, 3.10);
    RecalcPosition(list, p);
    ASSERT_DOUBLE_EQ(Num(p, Fld::TotalPrice), 38.75);

    std::string line = FirstOf(Build(), "23");
    ASSERT_EQ(line.size(), 80u);
    EXPECT_EQ(Cols(line, 3, 11), "010010   ");
    EXPECT_EQ(Cols(line, 12, 22), " 0000000310");
    EXPECT_EQ(Cols(line, 23, 23), " ");
    EXPECT_EQ(Cols(line, 24, 36), " 000000003875");
    EXPECT_EQ(Cols(line, 37, 48), " 00000012500");
    EXPECT_EQ(Cols(line, 49, 74), std::string(26, ' '));

    list.SetText(p, Fld::Flags, "         ");
    EXPECT_EQ(Cols(FirstOf(Build(), "23"), 37, 48), kBlank12);
    SetInfo("PSCHPOS", "1,000");
    EXPECT_EQ(Cols(FirstOf(Build(), "23"), 37, 48), " 00000001000");
}

TEST_F(Gaeb90Writer, PositionKindsDecideWhichPricesAreWritten) {
    Load(OneAreaLv({Position("010010", "    ", "St", "AN"), Position("010020", "    ", "psch"),
                    Position("010030", " Z  ", "St"), Position("010040", "X   ", "St"),
                    Position("010050", "    ", "psch", "AN")}));
    const int alt = Find("P", 0), lump = Find("P", 1), sur = Find("P", 2), split = Find("P", 3),
              altLump = Find("P", 4);
    list.SetDouble(alt, Fld::UnitPrice, 16.90);
    list.SetDouble(alt, Fld::SurchargePct, -3.0);
    list.SetDouble(lump, Fld::UnitPrice, 1500.0);
    list.SetDouble(lump, Fld::SurchargePct, 15.0);
    list.SetDouble(sur, Fld::UnitPrice, 12000.0); // base amount
    list.SetDouble(sur, Fld::Quantity, 5.0);      // percent
    list.SetDouble(split, Fld::OtherShare, 20.0);
    list.SetDouble(split, Fld::WageShare, 15.0);
    list.SetDouble(split, Fld::UnitPrice, 35.0);
    list.SetDouble(altLump, Fld::UnitPrice, 99.0);
    for (int p : {alt, lump, sur, split, altLump})
        RecalcPosition(list, p);
    ASSERT_EQ(Text(sur, Fld::Unit), "%");

    const auto lines = AllOf(Build(), "23");
    ASSERT_EQ(lines.size(), 5u);
    // Alternative: unit price and factor, no total.
    EXPECT_EQ(Cols(lines[0], 12, 22), " 0000001690");
    EXPECT_EQ(Cols(lines[0], 24, 36), std::string(13, ' '));
    EXPECT_EQ(Cols(lines[0], 49, 55), "0970000");
    // Lump sum of a normal position: only the total.
    EXPECT_EQ(Cols(lines[1], 12, 22), std::string(11, ' '));
    EXPECT_EQ(Cols(lines[1], 24, 36), " 000000150000");
    EXPECT_EQ(Cols(lines[1], 49, 55), "1150000");
    // Surcharge position: total, percentage and base amount, no unit price.
    EXPECT_EQ(Cols(lines[2], 12, 22), std::string(11, ' '));
    EXPECT_EQ(Cols(lines[2], 24, 36), " 000000060000");
    EXPECT_EQ(Cols(lines[2], 56, 61), " 00500");
    EXPECT_EQ(Cols(lines[2], 62, 74), " 000001200000");
    // An alternative lump sum keeps its unit price.
    EXPECT_EQ(Cols(lines[4], 12, 22), " 0000009900");

    // The split position is followed by its shares.
    const auto all = Build();
    const auto it = std::find(all.begin(), all.end(), lines[3]);
    ASSERT_NE(it + 1, all.end());
    EXPECT_EQ(Cols(*(it + 1), 1, 2), "30");
    EXPECT_EQ(Cols(*(it + 1), 13, 22), "0000002000");
    EXPECT_EQ(Cols(*(it + 1), 23, 32), "0000001500");
}

TEST_F(Gaeb90Writer, OneAreaGivesHeaderPricesOneAreaSumAndTheClosingRecord) {
    Load(OneAreaLv(
        {Position("010010", "    "), Rec("20"), Rec("26", {{6, "Hinweis"}}), Position("010020", "    ")}));
    const int p1 = Find("P", 0), p2 = Find("P", 1);
    list.SetDouble(p1, Fld::UnitPrice, 10.0);
    list.SetDouble(p1, Fld::VatPct, 19.0);
    list.SetDouble(p2, Fld::UnitPrice, 2.0);
    list.SetDouble(p2, Fld::VatPct, 19.0);
    RecalcPosition(list, p1);
    RecalcPosition(list, p2);
    CalcAll(list);

    const auto lines = Build(19);
    EXPECT_THAT(Types(lines), ElementsAre("00", "01", "02", "03", "04", "08", "23", "23", "32", "99"));
    for (size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), 80u) << i;
        EXPECT_EQ(Cols(lines[i], 75, 80), LineNo(i + 1)) << i;
    }
    EXPECT_EQ(Cols(lines[0], 11, 13), "84 ");
    EXPECT_EQ(Cols(lines[0], 63, 73), "11PPPPI0090");
    EXPECT_EQ(Cols(lines[2], 3, 74), Padded("PROJEKTINFORMATION NICHT VORHANDEN", 72));
    EXPECT_EQ(Cols(lines[3], 3, 74), Padded("INFORMATION NICHT VORHANDEN", 72));
    EXPECT_EQ(Cols(lines[5], 3, 5), "EUR");
    EXPECT_EQ(Cols(lines[8], 3, 11), "01       ");
    EXPECT_EQ(Cols(lines[8], 12, 24), " 000000015000");
    EXPECT_EQ(Cols(lines[9], 3, 14), "000000015000");
    EXPECT_EQ(Cols(lines[9], 22, 25), "1900");
    EXPECT_EQ(Cols(lines[9], 26, 37), "000000017850");
    EXPECT_EQ(Cols(lines[9], 70, 74), "00000");
}

TEST_F(Gaeb90Writer, SubDescriptionsCarryTheBidderData) {
    Load(OneAreaLv({Rec("21", {{3, "010010"}, {12, "NNL"}, {23, "000000001000"}, {35, "St"}}),
                    Rec("24", {{3, "01"}, {5, "000000002000"}, {17, "Stck"}}),
                    Rec("26", {{3, "01B"}, {6, "Glas: '..........'"}}),
                    Rec("24", {{3, "02"}, {5, "000000003500"}, {17, "m\xb2"}, {41, "X"}}),
                    Rec("24", {{3, "03"}, {5, "000000001000"}, {17, "m"}})}));
    const int sub1 = Find("B", 0), sub2 = Find("B", 1);
    ASSERT_EQ(Text(sub1, Fld::SupplementIndex), "01B1");
    list.SetText(sub1, Fld::Unit,
                 "St\xfc"
                 "ck");
    list.SetText(sub1, Fld::BidderTexts, "'Isolierglas'\r\n");
    list.SetDouble(sub2, Fld::Quantity, 4.25);

    const auto lines = Build();
    const auto subs = AllOf(lines, "24");
    // The third has neither a bidder supplement nor a bidder quantity.
    ASSERT_EQ(subs.size(), 2u);
    EXPECT_EQ(Cols(subs[0], 3, 4), "01");
    EXPECT_EQ(Cols(subs[0], 5, 16), " 00000002000");
    EXPECT_EQ(Cols(subs[0], 17, 20), "St  ");
    EXPECT_EQ(Cols(subs[0], 21, 22), " X");
    EXPECT_EQ(Cols(subs[0], 41, 41), " ");
    EXPECT_EQ(Cols(subs[1], 3, 4), "02");
    EXPECT_EQ(Cols(subs[1], 5, 16), " 00000004250");
    EXPECT_EQ(Cols(subs[1], 17, 20), "m2  ");
    EXPECT_EQ(Cols(subs[1], 41, 41), "X");
    // The supplement text follows its sub-description.
    const auto it = std::find(lines.begin(), lines.end(), subs[0]);
    ASSERT_NE(it + 1, lines.end());
    EXPECT_EQ(Cols(*(it + 1), 1, 60), Padded("2601B'Isolierglas'", 60));
}

TEST_F(Gaeb90Writer, BidderSupplementsAreNumberedFromTheDirectory) {
    Load(OneAreaLv({Position("010010", "    ")}));
    const int p = Find("P");
    list.SetText(p, Fld::SupplementIndex, "01B102A103B104B1");
    // A text over two lines keeps its number on both; the client supplement 02 is not the
    // bidder's; a text with an apostrophe inside still takes one number.
    list.SetText(p, Fld::BidderTexts, "'erste Zeile\r\nzweite Zeile'\r\n'It's \xc4'\r\n'\tvierte'\r\n");

    const auto texts = AllOf(Build(), "26");
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(Cols(texts[0], 1, 60), Padded("2601B'erste Zeile", 60));
    EXPECT_EQ(Cols(texts[1], 1, 60), Padded("2601Bzweite Zeile'", 60));
    EXPECT_EQ(Cols(texts[2], 1, 60), Padded("2603B'It's \xc4'", 60));
    // Everything up to the first TAB is dropped when the record has a directory.
    EXPECT_EQ(Cols(texts[3], 1, 60), Padded("2604Bvierte'", 60));
    EXPECT_EQ(Cols(texts[3], 61, 74), std::string(14, ' '));

    // Without a directory nothing is the bidder's.
    list.SetText(p, Fld::SupplementIndex, "");
    EXPECT_TRUE(AllOf(Build(), "26").empty());
}

TEST_F(Gaeb90Writer, ContractRegulationsGoBackAsTLines) {
    std::vector<std::string> lines = {
        Rec("T0"), Rec("T1", {{3, "Allgemeine Bedingungen"}}), Rec("T1", {{3, "f\xfcr Bauleistungen"}}),
        Rec("T0"), Rec("T1", {{3, "1. Art\tund Umfang"}}),     Rec("T9")};
    const auto lv = OneAreaLv({Position("010010", "    ")});
    lines.insert(lines.end(), lv.begin(), lv.end());
    Load(lines);

    const auto written = Build();
    EXPECT_THAT(Types(written), ElementsAre("T0", "T1", "T1", "T0", "T1", "T9", "00", "01", "02", "03", "04",
                                            "08", "23", "32", "99"));
    EXPECT_EQ(Cols(written[1], 1, 74), "T1 Allgemeine Bedingungen" + std::string(49, ' '));
    EXPECT_EQ(Cols(written[2], 4, 20), "f\xfcr Bauleistungen");
    EXPECT_EQ(Cols(written[4], 4, 23), "1. Art    und Umfang");
}

TEST_F(Gaeb90Writer, TextsAreWrittenInCodePage850) {
    Load({Rec("00", {{11, "83L"}, {63, "11PPPPI00"}, {72, "90"}}),
          Rec("01", {{3, "Gr\xfcnstra\xdf"
                         "e"},
                     {43, "01.03.24"}}),
          Rec("02", {{3, "Au\xdf"
                         "enanlagen"}}),
          Rec("03", {{3, "Stadt \xd6hringen"}}), Rec("11", {{3, "01"}}), Position("010010", "    "),
          Rec("31", {{3, "01"}}), Rec("99")});
    const int p = Find("P");
    list.SetText(p, Fld::SupplementIndex, "01B1");
    list.SetText(p, Fld::BidderTexts, "'\xc4\xf6\xfc\xdf'\r\n");

    CGaeb90Writer writer(list);
    std::string data;
    ASSERT_TRUE(writer.BuildD84(data));
    EXPECT_NE(data.find("01Gr\x81nstra\xe1"
                        "e"),
              std::string::npos);
    EXPECT_NE(data.find("02Au\xe1"
                        "enanlagen"),
              std::string::npos);
    EXPECT_NE(data.find("03Stadt \x99hringen"), std::string::npos);
    EXPECT_NE(data.find("2601B'\x8e\x94\x81\xe1'"), std::string::npos);
    // The LV name stays in front of the dates of the LV information.
    const std::string lvLine = FirstOf(FileLines(data), "01");
    EXPECT_EQ(Cols(lvLine, 3, 50), "Gr\xfcnstra\xdf"
                                   "e" +
                                       std::string(30, ' ') + "01.03.24");
}

TEST_F(Gaeb90Writer, ALongOzKeyIsRefusedAndLeavesNoFile) {
    Load(OneAreaLv({Position("010010", "    ")}));
    ScratchFolder folder;
    const fs::path path = folder / "bid.d84";

    SetInfo("OZ14Schluessel", "11223344PPPPI0");
    CGaeb90Writer writer(list);
    EXPECT_FALSE(writer.WriteD84(path.string()));
    EXPECT_EQ(writer.errorMessage, CGaeb90Writer::kOzKeyTooLongText);
    EXPECT_FALSE(fs::exists(path));

    // An existing bid stays as it was.
    ASSERT_TRUE(WriteFileReplacing(path.string(), "previous bid\r\n"));
    EXPECT_FALSE(writer.WriteD84(path.string()));
    EXPECT_EQ(ReadBytes(path), "previous bid\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);

    // Nine characters fit.
    SetInfo("OZ14Schluessel", "112233PPI");
    EXPECT_TRUE(writer.WriteD84(path.string()));
    EXPECT_TRUE(writer.errorMessage.empty());
    EXPECT_EQ(FirstOf(FileLines(ReadBytes(path)), "23").substr(0, 11), "23010010   ");
}

TEST_F(Gaeb90Writer, AFileThatCannotBeWrittenIsAFailureWithoutMessage) {
    Load(OneAreaLv({Position("010010", "    ")}));
    ScratchFolder folder;
    CGaeb90Writer writer(list);
    EXPECT_FALSE(writer.WriteD84((folder / "missing" / "bid.d84").string()));
    EXPECT_TRUE(writer.errorMessage.empty());

    const fs::path path = folder / "bid.d84";
    ASSERT_TRUE(WriteFileReplacing(path.string(), "previous bid\r\n"));
    ASSERT_TRUE(writer.WriteD84(path.string()));
    std::string built;
    ASSERT_TRUE(writer.BuildD84(built));
    EXPECT_EQ(ReadBytes(path), built);
}

// ---------------------------------------------------------------------------------------
// Whole bids

std::string D84Fixture(const std::string& name) {
    return std::string(ORVAK_TEST_DATA) + "/d84/" + name;
}

// Prices every position as a bidder would: unit prices or their shares, the bidder's
// quantities, surcharges and discounts, the base and percentage of surcharge positions and
// one text per bidder supplement; then the full calculation. Omitted positions stay as read.
void PriceBid(CAngebotList& list) {
    int n = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string kind = TrimRight(list.GetText(i, Fld::Kind));
        const std::string subKind = TrimRight(list.GetText(i, Fld::SubKind));
        const std::string flags = list.GetText(i, Fld::Flags);
        const bool position = kind == "P" && list.GetText(i, Fld::PosType) != "C";
        const bool subDescription = kind == "B" && subKind == "L";
        if (!position && !subDescription) continue;
        ++n;
        if (FlagAt(flags, FlagPos::Omitted) == 'R') continue;

        const std::string index = TrimRight(list.GetText(i, Fld::SupplementIndex));
        std::string texts;
        for (size_t e = 0; e + 4 <= index.size(); e += 4)
            if (index[e + 2] == 'B') texts += "'Angebot " + index.substr(e, 2) + " \xc4\xf6\xfc\xdf'\r\n";
        list.SetText(i, Fld::BidderTexts, texts);
        if (FlagAt(flags, FlagPos::BidderQuantity) == 'X') list.SetDouble(i, Fld::Quantity, 1.001 + n);
        if (subDescription) continue;

        if (FlagAt(flags, FlagPos::Surcharge) == 'Z') {
            list.SetDouble(i, Fld::Quantity, 7.5);
            list.SetDouble(i, Fld::UnitPrice, 4321.09);
        } else if (FlagAt(flags, FlagPos::SplitPrice) == 'X') {
            const double other = (800 + n) / 100.0, wage = (1500 + 3 * n) / 100.0;
            list.SetDouble(i, Fld::OtherShare, other);
            list.SetDouble(i, Fld::WageShare, wage);
            list.SetDouble(i, Fld::UnitPrice, other + wage);
        } else {
            list.SetDouble(i, Fld::UnitPrice, (1234 + 377 * n) / 100.0);
        }
        const double surcharges[] = {0.0, -3.0, 15.0, 2.5};
        list.SetDouble(i, Fld::SurchargePct, surcharges[n % 4]);
        RecalcPosition(list, i);
    }
    CalcAll(list);
}

// Reads the D83 as the open command does.
bool Open(CAngebotList& list, const fs::path& path) {
    CGaebConverter conv(list);
    if (!conv.ReadD83(path.string())) return false;
    list.LinkDisplayChain();
    CalcAll(list);
    return true;
}

std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    CGaebConverter::SplitLines(text, lines);
    return lines;
}

// Prices the D83, writes its D84 beside it, opens the D83 again and compares every value
// the bid carries.
void RoundTrip(const fs::path& source) {
    ScratchFolder folder;
    const fs::path d83 = folder / source.filename().string();
    fs::copy_file(source, d83);

    CAngebotList priced;
    ASSERT_TRUE(Open(priced, d83));
    PriceBid(priced);
    CGaeb90Writer writer(priced);
    writer.vatRate = 19;
    ASSERT_TRUE(writer.WriteD84((folder / (d83.stem().string() + ".d84")).string())) << writer.errorMessage;

    CAngebotList reread;
    ASSERT_TRUE(Open(reread, d83));
    ASSERT_EQ(reread.Count(), priced.Count());
    int pricedPositions = 0;
    for (int i = 0; i < priced.Count(); ++i) {
        const std::string what =
            priced.GetText(i, Fld::Kind) + " " + priced.GetText(i, Fld::OZ) + " #" + std::to_string(i);
        for (int field : {Fld::Quantity, Fld::OtherShare, Fld::WageShare, Fld::UnitPrice, Fld::TotalPrice,
                          Fld::SurchargePct, Fld::TotalNet, Fld::VatPct, Fld::TotalGross})
            EXPECT_NEAR(reread.GetDouble(i, field), priced.GetDouble(i, field), 1e-9)
                << what << " field " << field;
        EXPECT_EQ(TextLines(reread.GetText(i, Fld::BidderTexts)),
                  TextLines(priced.GetText(i, Fld::BidderTexts)))
            << what;
        if (priced.GetText(i, Fld::Kind) == "P" && priced.GetDouble(i, Fld::UnitPrice) != 0.0)
            ++pricedPositions;
    }
    EXPECT_GT(pricedPositions, 5);
}

TEST(Gaeb90WriterRoundTrip, APricedBidReadsBackIntoTheInvitation) {
    RoundTrip(D84Fixture("lv_bid.D83"));
}

TEST(Gaeb90WriterRoundTrip, TheReadersInvitationReadsBackAsWell) {
    const fs::path source = std::string(ORVAK_TEST_DATA) + "/gaeb90/lv_basic.D83";
    if (!fs::exists(source)) GTEST_SKIP() << "no " << source;
    RoundTrip(source);
}

TEST(Gaeb90WriterRoundTrip, APricedBidIsWrittenAsExpected) {
    CAngebotList list;
    ASSERT_TRUE(Open(list, D84Fixture("lv_bid.D83")));
    PriceBid(list);
    CGaeb90Writer writer(list);
    writer.vatRate = 19;
    writer.currencySetting = "EUR";
    std::string data;
    ASSERT_TRUE(writer.BuildD84(data));
    EXPECT_EQ(data, ReadBytes(D84Fixture("lv_bid_expected.D84")));
}

} // namespace
