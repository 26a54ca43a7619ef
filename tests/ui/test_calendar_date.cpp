#include "ui/calendar_date.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(CalendarDate, ReadDatePartsLikeAtoi) {
    EXPECT_EQ(ReadDateParts("15.03.2024"), (CalendarDate{15, 3, 2024}));
    EXPECT_EQ(ReadDateParts(" 5. 3.24  "), (CalendarDate{5, 3, 24}));
    EXPECT_EQ(ReadDateParts("  .  .    "), (CalendarDate{0, 0, 0}));
    EXPECT_EQ(ReadDateParts("1x.0y.20z4"), (CalendarDate{1, 0, 20}));
    EXPECT_EQ(ReadDateParts("01.01.99999999999"), (CalendarDate{1, 1, 2147483647}));
    EXPECT_EQ(ReadDateParts("7"), (CalendarDate{7, 0, 0}));
}

TEST(CalendarDate, MonthLengthsAndYears) {
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 4), 30);
    EXPECT_EQ(DaysInMonth(2024, 12), 31);
    EXPECT_EQ(DaysInMonth(2024, 13), 0);
    EXPECT_EQ(ExpandTwoDigitYear(0), 2000);
    EXPECT_EQ(ExpandTwoDigitYear(60), 2060);
    EXPECT_EQ(ExpandTwoDigitYear(61), 1961);
    EXPECT_EQ(ExpandTwoDigitYear(2024), 2024);
}

TEST(CalendarDate, ParseAndFormat) {
    const std::pair<const char*, std::optional<CalendarDate>> cases[] = {
        {"15.03.2024", CalendarDate{15, 3, 2024}},
        {"15.03.24  ", CalendarDate{15, 3, 2024}},
        {"29.02.2024", CalendarDate{29, 2, 2024}},
        {"29.02.2023", std::nullopt},
        {"  .  .    ", std::nullopt},
        {"00.05.2024", std::nullopt},
        {"1.1.24", std::nullopt},
        {"01.01.99999", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseCalendarDate(text), expected) << text;

    EXPECT_EQ(FormatCalendarDate(CalendarDate{5, 3, 2024}), "05.03.2024");
    EXPECT_EQ(FormatCalendarDate(CalendarDate{1, 1, 999}), "01.01.0999");
    EXPECT_EQ(FormatCalendarDate(CalendarDate{31, 2, 2024}), "");
    EXPECT_EQ(FormatCalendarDate(std::nullopt), "");
}

} // namespace
