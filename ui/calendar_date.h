#pragma once

#include <optional>
#include <string>
#include <string_view>

// A calendar day as the date field and the calendar dialog exchange it.
struct CalendarDate {
    int day = 0;
    int month = 0;
    int year = 0;

    bool operator==(const CalendarDate&) const = default;
};

// Day, month and year of a text in the form "dd.mm.yyyy", read like the C library's atoi from
// characters 0-1, 3-4 and 6 to the end: leading blanks are skipped, reading stops at the first
// character that is no digit, blanks alone give 0. Missing characters count as blanks.
CalendarDate ReadDateParts(std::string_view text);

// Gregorian leap year of the year as given.
bool IsLeapYear(int year);

// Days of the month (1..12) in the year; 0 for any other month.
int DaysInMonth(int year, int month);

// A two-digit year (0..99) becomes 2000 + year up to 60, else 1900 + year; others stay.
int ExpandTwoDigitYear(int year);

// The day a date text names, for the calendar's initial selection: the text needs at least
// 8 characters and a non-zero day or month; a two-digit year is expanded. Empty when the text
// names no valid day between the years 1 and 9999.
std::optional<CalendarDate> ParseCalendarDate(std::string_view text);

// "dd.mm.yyyy" of a valid day, an empty text for none or an invalid one.
std::string FormatCalendarDate(const std::optional<CalendarDate>& date);
