#include "common/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Every test starts and ends with the default separators of a German user.
class NumberFormatTest : public ::testing::Test {
protected:
    void SetUp() override { CNumberFormat::SetUserSeparators(",", "."); }
    void TearDown() override { CNumberFormat::SetUserSeparators(",", "."); }
};

TEST_F(NumberFormatTest, RoundToRoundsHalvesUp) {
    // 1e300 with 400 places is beyond the precision of a double: unchanged, not inf or NaN.
    const std::tuple<double, int, double> cases[] = {
        {2.345, 2, 2.35}, {-2.345, 2, -2.34}, {2.675, 2, 2.68},   {1.0049999999, 2, 1.0},
        {-2.5, 0, -2.0},  {2.5, -1, 3.0},     {1e300, 400, 1e300}};
    for (const auto& [x, n, expected] : cases)
        EXPECT_DOUBLE_EQ(CNumberFormat::RoundTo(x, n), expected) << x << " n=" << n;
}

TEST_F(NumberFormatTest, FormatNumberAndFormatPlain) {
    // The digits are those of the amount as stored, cut after n places; 16.90 and 3375.60 are
    // stored a little below their value, and 0.29 * 100 is 28.999999999999996.
    const std::tuple<double, int, const char*, const char*> cases[] = {
        {1234567.891, 2, "1.234.567,89", "1234567.89"},
        {0.05, 2, "0,05", "0.05"},
        {-1000, 0, "-1.000", "-1000"},
        {-123456, 0, "-123.456", "-123456"},
        {0, 3, "0,000", "0.000"},
        {-0.0, 2, "0,00", "0.00"},
        {999.5, 0, "999", "999"},
        {0.4, 0, "0", "0"},
        {0.0001, 2, "0,00", "0.00"},
        {1234.5, 2, "1.234,50", "1234.50"},
        {16.90, 2, "16,90", "16.90"},
        {3375.60, 2, "3.375,60", "3375.60"},
        {0.29, 2, "0,29", "0.29"},
        {12.5, -1, "12", "12"},
        {1e20, 0, "100.000.000.000.000.000.000", "100000000000000000000"},
        {kNaN, 2, "0,00", "0.00"},
        {-kInf, 1, "0,0", "0.0"},
    };
    CNumberFormat format;
    std::string text;
    for (const auto& [x, n, grouped, plain] : cases) {
        const int sign = grouped[0] == '-'; // 1 when a minus sign was written
        EXPECT_EQ(format.FormatNumber(x, n, text), sign) << x;
        EXPECT_EQ(text, grouped) << x << " n=" << n;
        EXPECT_EQ(format.FormatPlain(x, n, text), sign) << x;
        EXPECT_EQ(text, plain) << x << " n=" << n;
    }
    // The largest double: all 309 digits, no fixed buffer overrun.
    EXPECT_EQ(format.FormatPlain(-1.7976931348623157e308, 2, text), 1);
    EXPECT_EQ(text.size(), 1 + 309 + 3);
    EXPECT_EQ(text.substr(0, 6), "-17976");
}

TEST_F(NumberFormatTest, ParseNumberUsesTheUserSeparatorsParseLooseEither) {
    CNumberFormat format;
    EXPECT_DOUBLE_EQ(format.ParseNumber("1.234,50"), 1234.5);
    EXPECT_DOUBLE_EQ(format.ParseNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(format.ParseNumber("  -12,5abc"), -12.5);

    CNumberFormat::SetUserSeparators(".", ",");
    EXPECT_DOUBLE_EQ(format.ParseNumber("1,234.50"), 1234.5);
    std::string text;
    format.FormatNumber(1234567.891, 2, text);
    EXPECT_EQ(text, "1,234,567.89");

    // ParseLoose takes either separator for the decimal point and tells when a text has both.
    bool mixed = false;
    EXPECT_DOUBLE_EQ(CNumberFormat::ParseLoose("12,5", &mixed), 12.5);
    EXPECT_DOUBLE_EQ(CNumberFormat::ParseLoose("12.5", &mixed), 12.5);
    EXPECT_FALSE(mixed);
    EXPECT_DOUBLE_EQ(CNumberFormat::ParseLoose("1.234,56", &mixed), 1.234);
    EXPECT_TRUE(mixed);
    EXPECT_DOUBLE_EQ(CNumberFormat::ParseLoose("7,25"), 7.25);
}

} // namespace
