#include "ui/calendar_date.h"

#include <climits>
#include <cstdio>

namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// atoi on a part of the text; saturates instead of overflowing.
int ReadInt(std::string_view text, size_t from, size_t to) {
    if (from >= text.size()) return 0;
    std::string_view part = text.substr(from, to - from);
    size_t pos = 0;
    while (pos < part.size() && IsCSpace(part[pos]))
        ++pos;
    bool negative = false;
    if (pos < part.size() && (part[pos] == '+' || part[pos] == '-')) negative = part[pos++] == '-';
    long long value = 0;
    for (; pos < part.size() && part[pos] >= '0' && part[pos] <= '9'; ++pos) {
        value = value * 10 + (part[pos] - '0');
        if (value > INT_MAX) value = INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

bool IsValidDay(const CalendarDate& date) {
    return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month);
}

} // namespace

CalendarDate ReadDateParts(std::string_view text) {
    CalendarDate parts;
    parts.day = ReadInt(text, 0, 2);
    parts.month = ReadInt(text, 3, 5);
    parts.year = ReadInt(text, 6, std::string_view::npos);
    return parts;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int ExpandTwoDigitYear(int year) {
    if (year < 0 || year >= 100) return year;
    return year <= 60 ? 2000 + year : 1900 + year;
}

std::optional<CalendarDate> ParseCalendarDate(std::string_view text) {
    if (text.size() < 8) return std::nullopt;
    CalendarDate date = ReadDateParts(text);
    if (date.day == 0 && date.month == 0) return std::nullopt;
    date.year = ExpandTwoDigitYear(date.year);
    if (!IsValidDay(date)) return std::nullopt;
    return date;
}

std::string FormatCalendarDate(const std::optional<CalendarDate>& date) {
    if (!date || !IsValidDay(*date)) return std::string();
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", date->day, date->month, date->year);
    return buffer;
}
