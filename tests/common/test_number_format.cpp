#include "common/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace {

// Every test starts and ends with the default separators of a German user.
class NumberFormatTest : public ::testing::Test {
protected:
    void SetUp() override { CNumberFormat::SetUserSeparators(",", "."); }
    void TearDown() override { CNumberFormat::SetUserSeparators(",", "."); }
};

struct RoundCase {
    double x;
    int n;
    double expected;
};

TEST_F(NumberFormatTest, RoundToRoundsHalvesUp) {
    const RoundCase cases[] =
        {
            {2.345, 2, 2.35},    {-2.345, 2, -2.34}, {2.675, 2, 2.68}, {1.0049999999, 2, 1.0},
            {-2.5, 0, -2.0},     {2.5, 0, 3.0},      {2.5, -1, 3.0},   {1.23456, 3, 1.235},
            {1e300, 400, 1e300}, // beyond the precision of a double: unchanged, not inf or NaN
        };
    for (const RoundCase& c : cases)
        EXPECT_DOUBLE_EQ(CNumberFormat::RoundTo(c.x, c.n), c.expected) << c.x << " n=" << c.n;
}

struct FormatCase {
    double x;
    int n;
    const char* grouped;
    const char* plain;
    int sign;
};

TEST_F(NumberFormatTest, FormatNumberAndFormatPlain) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const FormatCase cases[] = {
        {1234567.891, 2, "1.234.567,89", "1234567.89", 0},
        {0.05, 2, "0,05", "0.05", 0},
        {-1000, 0, "-1.000", "-1000", 1},
        {0, 3, "0,000", "0.000", 0},
        {-0.0, 2, "0,00", "0.00", 0},
        {999.5, 0, "999", "999", 0},
        {0.4, 0, "0", "0", 0},
        {0.0001, 2, "0,00", "0.00", 0},
        {1234.5, 2, "1.234,50", "1234.50", 0},
        {16.90, 2, "16,90", "16.90", 0},
        {3375.60, 2, "3.375,60", "3375.60", 0},
        {0.1 + 0.2, 2, "0,30", "0.30", 0},
        {-1234567.5, 2, "-1.234.567,50", "-1234567.50", 1},
        {-123456, 0, "-123.456", "-123456", 1},
        {100, 2, "100,00", "100.00", 0},
        {12.5, -1, "12", "12", 0},
        {1e20, 0, "100.000.000.000.000.000.000", "100000000000000000000", 0},
        {5e-324, 2, "0,00", "0.00", 0},
        {nan, 2, "0,00", "0.00", 0},
        {inf, 0, "0", "0", 0},
        {-inf, 1, "0,0", "0.0", 0},
    };
    CNumberFormat format;
    for (const FormatCase& c : cases) {
        std::string text;
        EXPECT_EQ(format.FormatNumber(c.x, c.n, text), c.sign) << c.x;
        EXPECT_EQ(text, c.grouped) << c.x << " n=" << c.n;
        EXPECT_EQ(format.FormatPlain(c.x, c.n, text), c.sign) << c.x;
        EXPECT_EQ(text, c.plain) << c.x << " n=" << c.n;
    }
}

TEST_F(NumberFormatTest, EveryCentAmountKeepsItsDigits) {
    CNumberFormat format;
    std::string text;
    for (long long cents = 0; cents <= 2000000; ++cents) {
        format.FormatPlain(static_cast<double>(cents) / 100.0, 2, text);
        const std::string expected =
            std::to_string(cents / 100) + "." + std::to_string(cents % 100 / 10) + std::to_string(cents % 10);
        ASSERT_EQ(text, expected) << cents;
    }
}

TEST_F(NumberFormatTest, HugeValuesFormatWithoutLoss) {
    CNumberFormat format;
    std::string text;
    EXPECT_EQ(format.FormatPlain(-1.7976931348623157e308, 2, text), 1);
    EXPECT_EQ(text.size(), 1 + 309 + 3);
    EXPECT_EQ(text.substr(0, 6), "-17976");
}

TEST_F(NumberFormatTest, ParseNumberUsesTheUserSeparators) {
    CNumberFormat format;
    EXPECT_DOUBLE_EQ(format.ParseNumber("1.234,50"), 1234.5);
    EXPECT_DOUBLE_EQ(format.ParseNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(format.ParseNumber("  -12,5abc"), -12.5);
    EXPECT_DOUBLE_EQ(format.ParseNumber("1.234.567"), 1234567.0);

    CNumberFormat::SetUserSeparators(".", ",");
    EXPECT_DOUBLE_EQ(format.ParseNumber("1,234.50"), 1234.5);
    std::string text;
    format.FormatNumber(1234567.891, 2, text);
    EXPECT_EQ(text, "1,234,567.89");
    format.FormatPlain(1234567.891, 2, text);
    EXPECT_EQ(text, "1234567.89");
}

TEST_F(NumberFormatTest, LoadSeparatorsKeepsPreviousValues) {
    CNumberFormat format;
    CNumberFormat::SetUserSeparators(",", "'");
    format.LoadSeparators();
    EXPECT_EQ(format.m_decimal, ',');
    EXPECT_EQ(format.m_thousands, '\'');

    // Thousands separator equal to the decimal separator: the previous one stays.
    CNumberFormat::SetUserSeparators(",", ",");
    format.LoadSeparators();
    EXPECT_EQ(format.m_decimal, ',');
    EXPECT_EQ(format.m_thousands, '\'');

    // Not available: both stay.
    CNumberFormat::SetUserSeparators("", "");
    format.LoadSeparators();
    EXPECT_EQ(format.m_decimal, ',');
    EXPECT_EQ(format.m_thousands, '\'');
}

TEST_F(NumberFormatTest, KeptThousandsSeparatorNeverEqualsDecimal) {
    CNumberFormat format; // thousands '.' from before
    CNumberFormat::SetUserSeparators(".", ".");
    EXPECT_DOUBLE_EQ(format.ParseNumber("1.5"), 1.5);
    EXPECT_EQ(format.m_decimal, '.');
    EXPECT_EQ(format.m_thousands, ',');
}

TEST_F(NumberFormatTest, ParseLooseReportsMixedSeparators) {
    bool mixed = false;
    EXPECT_DOUBLE_EQ(CNumberFormat::ParseLoose("12,5", &mixed), 12.5);
    EXPECT_FALSE(mixed);
    EXPECT_DOUBLE_EQ(CNumberFormat::ParseLoose("12.5", &mixed), 12.5);
    EXPECT_FALSE(mixed);
    EXPECT_DOUBLE_EQ(CNumberFormat::ParseLoose("1.234,56", &mixed), 1.234);
    EXPECT_TRUE(mixed);
    EXPECT_DOUBLE_EQ(CNumberFormat::ParseLoose("7,25"), 7.25);
}

struct ConvertCase {
    const char* text;
    double expected;
};

TEST(StringToDouble, FollowsCLocaleRules) {
    const double inf = std::numeric_limits<double>::infinity();
    const ConvertCase cases[] = {
        {"1.5", 1.5},     {"  +3.25", 3.25},   {"\t\n-0.5e2", -50.0}, {"e5", 0.0},
        {".", 0.0},       {"-", 0.0},          {"+.e1", 0.0},         {"", 0.0},
        {"1e", 1.0},      {"1e+", 1.0},        {"2E-1x", 0.2},        {"1.e2", 100.0},
        {".5", 0.5},      {"5.", 5.0},         {"7 8", 7.0},          {"0x10", 0.0},
        {"inf", 0.0},     {"1,5", 1.0},        {"1e-400", 0.0},       {"1e400", inf},
        {"-1e400", -inf}, {"0.0001e400", inf}, {"1000e-325", 1e-322},
    };
    for (const ConvertCase& c : cases)
        EXPECT_DOUBLE_EQ(CNumberFormat::StringToDouble(c.text), c.expected) << '"' << c.text << '"';
}

TEST(StringToDouble, StaysInsideTheText) {
    const std::string text = "12345e7";
    EXPECT_DOUBLE_EQ(CNumberFormat::StringToDouble(std::string_view(text).substr(0, 2)), 12.0);
    EXPECT_DOUBLE_EQ(CNumberFormat::StringToDouble(std::string_view(text).substr(0, 6)), 12345.0);

    const std::string longDigits(100000, '9');
    EXPECT_EQ(CNumberFormat::StringToDouble(longDigits), std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(CNumberFormat::StringToDouble("0." + std::string(100000, '0') + "1e100001"), 1.0);
    EXPECT_DOUBLE_EQ(CNumberFormat::StringToDouble("1e" + std::string(100000, '9')),
                     std::numeric_limits<double>::infinity());
}

TEST_F(NumberFormatTest, IndependentOfSetlocale) {
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE"};
    const char* found = nullptr;
    for (const char* name : names)
        if ((found = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
    if (!found) GTEST_SKIP() << "no German locale installed";

    const double value = CNumberFormat::StringToDouble("1.5");
    CNumberFormat format;
    std::string text;
    format.FormatPlain(1234.5, 2, text);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_DOUBLE_EQ(value, 1.5);
    EXPECT_EQ(text, "1234.50");
}

} // namespace
