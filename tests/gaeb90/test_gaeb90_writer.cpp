// The D84 writer: field formats, the records of a priced bid, refusal and failure, the
// expected file of a priced bid and the round trip through the reader (a D83 priced, its
// D84 written beside it, the D83 read again).

#include "gaeb90/gaeb90_writer.h"

#include "common/code_page.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaeb90/gaeb_test_support.h"
#include "model/calculation.h"
#include "model/info_blocks.h"
#include "model/info_values.h"

#include <gmock/gmock.h>

#include <tuple>

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The records of a written file, converted back to Windows-1252, without their line numbers.
// Every line must have 80 columns, end with CR LF and carry the next number in columns 75-80.
std::vector<std::string> Records(const std::string& data) {
    std::vector<std::string> records;
    for (size_t start = 0; start < data.size();) {
        const size_t end = data.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "line without CR LF at byte " << start;
            break;
        }
        const std::string line = Cp850ToCp1252(data.substr(start, end - start));
        const std::string number = std::to_string(records.size() + 1);
        EXPECT_EQ(line.size(), 80u) << line;
        EXPECT_EQ(line.substr(std::min<size_t>(74, line.size())),
                  std::string(6 - number.size(), '0') + number);
        records.push_back(line.substr(0, 74));
        start = end + 2;
    }
    return records;
}

// The records of the given types.
std::vector<std::string> Of(const std::vector<std::string>& records,
                            std::initializer_list<const char*> types) {
    std::vector<std::string> found;
    for (const std::string& record : records)
        for (const char* type : types)
            if (record.compare(0, 2, type) == 0) found.push_back(record);
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

struct Gaeb90Writer : ConverterFixture {
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
        SetInfoValue(list, Find("L"), key, value);
    }
    void Price(int p, double unitPrice, double surchargePct = 0.0) {
        list.SetDouble(p, Fld::UnitPrice, unitPrice);
        list.SetDouble(p, Fld::SurchargePct, surchargePct);
        RecalcPosition(list, p);
    }
    std::vector<std::string> Build() {
        CGaeb90Writer writer(list);
        writer.vatRate = 19;
        std::string data;
        const CIoResult built = writer.BuildD84(data);
        EXPECT_TRUE(built) << built.Reason();
        return Records(data);
    }
};

TEST(Gaeb90WriterFormat, AmountsQuantitiesFactorsOzAndUnits) {
    // Rounded to six places before the cut (0.285 x 100 = 28.499999999999996), never cut to
    // the field width, NaN as zeros.
    const std::tuple<double, int, bool, const char*> amounts[] = {
        {16.90, 12, true, " 000000001690"},          {-12.34, 12, true, "-000000001234"},
        {-12.34, 10, false, "0000001234"},           {0.285, 4, false, "0028"},
        {12345678901.5, 12, false, "1234567890150"}, {std::nan(""), 4, false, "0000"}};
    for (const auto& [value, width, sign, expected] : amounts)
        EXPECT_EQ(CGaeb90Writer::FormatAmount(value, width, sign), expected) << value;

    // Thousandths rounded (1.001 x 1000 = 1000.9999999999999); blanks without the
    // bidder-quantity flag unless the LV says lump sums; sub-descriptions need a real unit.
    const std::string blank(12, ' ');
    const std::tuple<int, double, const char*, const char*, bool, std::string> quantities[] = {
        {22, -2.25, "   X", "m3", false, "-00000002250"},
        {23, 1.001, "   X", "St", false, " 00000001001"},
        {23, 0.0125, "   X", "St", false, " 00000000013"},
        {23, 3000000.5, "   X", "kg", false, " 03000000500"},
        {23, 12.5, "  ", "m3", false, blank},
        {23, 12.5, "", "m3", true, " 00000001000"},
        {24, 3.5, "", "m2  ", false, " 00000003500"},
        {24, 3.5, "", "----", false, blank},
        {21, 3.5, "   X", "m2", true, blank}};
    for (const auto& [column, value, flags, unit, lumpSums, expected] : quantities)
        EXPECT_EQ(CGaeb90Writer::FormatQuantity(column, value, flags, unit, lumpSums), expected)
            << column << " " << value << " '" << flags << "' " << unit;

    EXPECT_EQ(CGaeb90Writer::FormatFactor(-3.0), "0970000");
    EXPECT_EQ(CGaeb90Writer::FormatFactor(15.0), "1150000");
    EXPECT_EQ(CGaeb90Writer::OZ9("01.02.03.0040.5"), "010203004");
    EXPECT_EQ(CGaeb90Writer::MapUnit(std::string("St\xfc") + "ck"), "St  ");
    const std::pair<const char*, const char*> units[] = {
        {"m\xb2", "m2  "}, {"Pauschal", "psch"}, {"Stk.", "St  "}, {"lfd.m", "lfdm"}};
    for (const auto& [unit, expected] : units)
        EXPECT_EQ(CGaeb90Writer::MapUnit(unit), expected) << unit;

    std::string line(10, '-');
    CGaeb90Writer::OverwriteAt(line, "xyz", 2, 4);
    CGaeb90Writer::OverwriteAt(line, "nope", 8, 3); // would end beyond the line
    EXPECT_EQ(line, "--xyz ----");
}

TEST_F(Gaeb90Writer, RefusalAndWriteFailuresLeaveExistingFilesAsTheyWere) {
    Load(OneAreaLv({Position("010010", "    ")}));
    TempFolder folder;
    const std::string path = folder / "bid.d84";
    CGaeb90Writer writer(list);
    // A file that cannot be written is a failure that says why; an existing one is replaced.
    const CIoResult missing = writer.WriteD84(folder / "missing/bid.d84");
    EXPECT_FALSE(missing);
    EXPECT_FALSE(writer.Refused());
    EXPECT_EQ(missing.Reason(), "Datei oder Ordner nicht vorhanden");
    ASSERT_TRUE(WriteFileReplacing(path, "previous bid\r\n"));
    ASSERT_TRUE(writer.WriteD84(path));
    std::string built;
    ASSERT_TRUE(writer.BuildD84(built));
    EXPECT_EQ(ReadBytes(path), built);

    // A key longer than nine characters is refused: no new file, an existing one untouched.
    ASSERT_TRUE(WriteFileReplacing(path, "previous bid\r\n"));
    SetInfo("OZ14Schluessel", "11223344PPPPI0");
    const CIoResult refused = writer.WriteD84(folder / "new.d84");
    EXPECT_TRUE(writer.Refused());
    EXPECT_EQ(refused.Reason(), CGaeb90Writer::kOzKeyTooLongText);
    EXPECT_FALSE(fs::exists(folder / "new.d84"));
    EXPECT_FALSE(writer.WriteD84(path));
    EXPECT_EQ(ReadBytes(path), "previous bid\r\n");
    // Nothing else is left in the folder, no temporary file either.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);

    SetInfo("OZ14Schluessel", "112233PPI"); // nine characters fit
    EXPECT_TRUE(writer.WriteD84(path));
    EXPECT_FALSE(writer.Refused());
    EXPECT_EQ(Of(Records(ReadBytes(path)), {"23"}).at(0).substr(0, 11), "23010010   ");
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
        const std::string flags = list.GetText(i, Fld::Flags);
        const bool position = kind == "P" && list.GetText(i, Fld::PosType) != "C";
        const bool subDescription = kind == "B" && TrimRight(list.GetText(i, Fld::SubKind)) == "L";
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

// Reads the D83 (and a D84 beside it) as the open command does.
bool Open(CAngebotList& list, const fs::path& path) {
    if (!CGaebConverter(list).ReadD83(path.string())) return false;
    list.LinkDisplayChain();
    CalcAll(list);
    return true;
}

std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    SplitInfoLines(text, lines);
    return lines;
}

// Each D83 priced, its D84 written beside it, the D83 opened again: every value the bid
// carries is back.
TEST(Gaeb90WriterRoundTrip, APricedBidReadsBackIntoTheInvitation) {
    for (const fs::path source : {D84Fixture("lv_bid.D83"), FixturePath("lv_basic.D83")}) {
        SCOPED_TRACE(source.filename().string());
        TempFolder folder;
        const fs::path d83 = folder / source.filename().string();
        fs::copy_file(source, d83);

        CAngebotList priced;
        ASSERT_TRUE(Open(priced, d83));
        PriceBid(priced);
        CGaeb90Writer writer(priced);
        writer.vatRate = 19;
        ASSERT_TRUE(writer.WriteD84(folder / (d83.stem().string() + ".d84")));

        CAngebotList reread;
        ASSERT_TRUE(Open(reread, d83));
        ASSERT_EQ(reread.Count(), priced.Count());
        int pricedPositions = 0;
        for (int i = 0; i < priced.Count(); ++i) {
            const std::string what = priced.GetText(i, Fld::Kind) + " " + priced.GetText(i, Fld::OZ);
            for (Fld field : {Fld::Quantity, Fld::OtherShare, Fld::WageShare, Fld::UnitPrice, Fld::TotalPrice,
                              Fld::SurchargePct, Fld::TotalNet, Fld::VatPct, Fld::TotalGross})
                EXPECT_NEAR(reread.GetDouble(i, field), priced.GetDouble(i, field), 1e-9)
                    << what << " " << FieldNumber(field);
            EXPECT_EQ(TextLines(reread.GetText(i, Fld::BidderTexts)),
                      TextLines(priced.GetText(i, Fld::BidderTexts)))
                << what;
            pricedPositions +=
                priced.GetText(i, Fld::Kind) == "P" && priced.GetDouble(i, Fld::UnitPrice) != 0.0;
        }
        EXPECT_GT(pricedPositions, 5);
    }
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

namespace {

// A lump sum of every position type and a quantity of 1 or 2 in every spelling of "psch",
// priced at 300 per unit, written and read back: the unit price, quantity and total must come
// back as they were (a total taken for the unit price doubled the bid on each save).
TEST(Gaeb90WriterRoundTrip, LumpSumsOfEveryTypeKeepUnitPriceQuantityAndTotal) {
    const std::pair<const char*, const char*> types[] = {{"NN", "N"}, {"GN", "G"}, {"NM", "F"}, {"AN", "A"},
                                                         {"NE", "E"}, {"SN", "S"}, {"NN", ""}};
    std::vector<std::string> body;
    std::vector<std::string> expectedTypes;
    int n = 0;
    for (const auto& [code, posType] : types)
        for (const char* unit : {"psch", "PSCH", "Psch"})
            for (const char* quantity : {"000000001000", "000000002000"}) {
                char oz[16];
                std::snprintf(oz, sizeof oz, "01%04d", 10 * ++n);
                body.push_back(Rec("21", {{3, oz}, {12, code}, {14, "N"}, {23, quantity}, {35, unit}}));
                expectedTypes.push_back(posType);
            }
    const std::string d83 = JoinRecords(OneAreaLv(body));

    CAngebotList list;
    ASSERT_TRUE(CGaebConverter(list).ReadD83Data(d83));
    list.LinkDisplayChain();
    std::vector<int> positions;
    for (int i = 0; i < list.Count(); ++i)
        if (list.GetChar(i, Fld::Kind) == Kind::Position) positions.push_back(i);
    ASSERT_EQ(positions.size(), expectedTypes.size());
    for (size_t k = 0; k < positions.size(); ++k) {
        const int p = positions[k];
        list.SetText(p, Fld::PosType, expectedTypes[k]); // the last type is "none"
        list.SetDouble(p, Fld::UnitPrice, 300.0);
        RecalcPosition(list, p);
    }
    CalcAll(list);
    CGaeb90Writer writer(list);
    std::string d84;
    ASSERT_TRUE(writer.BuildD84(d84));

    // Written and read back twice: nothing may drift.
    for (int round = 0; round < 2; ++round) {
        CAngebotList back;
        ASSERT_TRUE(CGaebConverter(back).ReadD83Data(d83, d84));
        back.LinkDisplayChain();
        int k = 0;
        for (int i = 0; i < back.Count(); ++i) {
            if (back.GetChar(i, Fld::Kind) != Kind::Position) continue;
            const int p = positions[static_cast<size_t>(k++)];
            back.SetText(i, Fld::PosType, list.GetText(p, Fld::PosType));
            RecalcPosition(back, i);
            const std::string what = back.GetText(i, Fld::OZ) + " " + list.GetText(p, Fld::PosType) + " " +
                                     back.GetText(i, Fld::Unit);
            EXPECT_DOUBLE_EQ(back.GetDouble(i, Fld::UnitPrice), 300.0) << what;
            EXPECT_DOUBLE_EQ(back.GetDouble(i, Fld::Quantity), list.GetDouble(p, Fld::Quantity)) << what;
            EXPECT_DOUBLE_EQ(back.GetDouble(i, Fld::TotalPrice), list.GetDouble(p, Fld::TotalPrice)) << what;
        }
        CalcAll(back);
        CGaeb90Writer again(back);
        std::string rewritten;
        ASSERT_TRUE(again.BuildD84(rewritten));
        EXPECT_EQ(rewritten, d84) << "round " << round;
        d84 = rewritten;
    }
}

} // namespace
