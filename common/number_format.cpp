#include "common/number_format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <mutex>
#include <system_error>

namespace {

// The separators the application found in the user's locale, shared by every object.
struct UserSeparators {
    std::mutex mutex;
    std::string decimal = ",";
    std::string thousands = ".";
};

UserSeparators& Separators() {
    static UserSeparators separators;
    return separators;
}

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal exponent of the leading significant digit of a mantissa ("123.4" gives 2,
// "0.05" gives -2), plus the written exponent. Only its sign matters: it tells an overflow
// from an underflow when the value does not fit into a double.
bool IsHugeMagnitude(std::string_view mantissa, std::string_view exponentDigits, bool exponentNegative) {
    long long magnitude = 0;
    size_t point = mantissa.find('.');
    if (point == std::string_view::npos) point = mantissa.size();
    size_t first = 0;
    while (first < mantissa.size() && (mantissa[first] == '0' || mantissa[first] == '.'))
        ++first;
    if (first == mantissa.size()) return false; // all zeros: cannot overflow
    magnitude =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    long long exponent = 0;
    for (char c : exponentDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > 1000000) break; // far beyond any double; stop before overflowing
    }
    magnitude += exponentNegative ? -exponent : exponent;
    return magnitude > 0;
}

} // namespace

void CNumberFormat::SetUserSeparators(std::string decimal, std::string thousands) {
    UserSeparators& separators = Separators();
    std::lock_guard<std::mutex> lock(separators.mutex);
    separators.decimal = std::move(decimal);
    separators.thousands = std::move(thousands);
}

void CNumberFormat::LoadSeparators() {
    std::string decimal;
    std::string thousands;
    {
        UserSeparators& separators = Separators();
        std::lock_guard<std::mutex> lock(separators.mutex);
        decimal = separators.decimal;
        thousands = separators.thousands;
    }
    if (!decimal.empty()) m_decimal = decimal[0];
    if (!thousands.empty() && thousands[0] != m_decimal) m_thousands = thousands[0];
    // Keeping the previous thousands separator can make it equal to a new decimal separator
    // (user's decimal '.' with the default thousands '.'). Parsing would then drop every
    // decimal point, so the other of the two usual separators is taken instead.
    if (m_thousands == m_decimal) m_thousands = m_decimal == '.' ? ',' : '.';
}

double CNumberFormat::StringToDouble(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    // Mantissa: digits, optionally a point and more digits; at least one digit in all.
    const size_t mantissaBegin = pos;
    size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0) return 0.0;
    const size_t mantissaEnd = pos;

    // Exponent: taken only when at least one digit follows the 'e' and its sign.
    std::string_view exponentDigits;
    bool exponentNegative = false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        size_t p = pos + 1;
        bool expNegative = false;
        if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
            expNegative = text[p] == '-';
            ++p;
        }
        const size_t expBegin = p;
        while (p < text.size() && IsDigit(text[p]))
            ++p;
        if (p > expBegin) {
            exponentDigits = text.substr(expBegin, p - expBegin);
            exponentNegative = expNegative;
            pos = p;
        }
    }

    const char* begin = text.data() + mantissaBegin;
    const char* end = text.data() + pos;
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view mantissa = text.substr(mantissaBegin, mantissaEnd - mantissaBegin);
        value = IsHugeMagnitude(mantissa, exponentDigits, exponentNegative) ? HUGE_VAL : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

double CNumberFormat::ParseNumber(std::string_view text) {
    LoadSeparators();
    std::string copy;
    copy.reserve(text.size());
    for (char c : text) {
        if (c == m_thousands) continue;
        copy.push_back(c == m_decimal ? '.' : c);
    }
    return StringToDouble(copy);
}

double CNumberFormat::ParseLoose(std::string_view text, bool* mixedSeparators) {
    if (text.find(',') == std::string_view::npos) return StringToDouble(text);
    if (mixedSeparators && text.find('.') != std::string_view::npos) *mixedSeparators = true;
    std::string copy(text);
    for (char& c : copy)
        if (c == ',') c = '.';
    return StringToDouble(copy);
}

double CNumberFormat::RoundTo(double x, int n) {
    double f = 1.0;
    for (int i = 0; i < n && std::isfinite(f); ++i)
        f *= 10.0;
    const double scaled = x * f + 0.5000000001;
    // Beyond the precision of a double there is nothing to round; the product would
    // overflow and the quotient would no longer be x.
    if (!std::isfinite(scaled) || !std::isfinite(f)) return x;
    return std::floor(scaled) / f;
}

std::string CNumberFormat::FormatDigits(double x, int n, char decimal) {
    std::string text;
    if (x == 0.0 || !std::isfinite(x)) {
        text = "0";
        if (n > 0) {
            text.push_back(decimal);
            text.append(static_cast<size_t>(n), '0');
        }
        return text;
    }

    // The shortest fixed text that reads back as the same double: its digits are the
    // amount as stored, without the representation error of longer expansions.
    char buffer[400];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::fixed);
    const std::string_view fixed(buffer, result.ec == std::errc() ? result.ptr - buffer : 0);
    const size_t point = fixed.find('.');
    const std::string_view integer = fixed.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : fixed.substr(point + 1);

    text = integer.empty() ? std::string_view("0") : integer;
    if (n > 0) {
        text.push_back(decimal);
        const size_t count = static_cast<size_t>(n);
        text.append(fraction.substr(0, count));
        if (fraction.size() < count) text.append(count - fraction.size(), '0');
    }
    return text;
}

int CNumberFormat::FormatNumber(double x, int n, std::string& text) {
    LoadSeparators();
    text = FormatDigits(x, n, m_decimal);
    if (x == 0.0 || !std::isfinite(x)) return 0;

    // Groups of three integer digits counted from the decimal separator, none in front.
    const long long fractionLength = n > 0 ? n + 1 : 0;
    for (long long pos = static_cast<long long>(text.size()) - fractionLength - 3; pos > 0; pos -= 3)
        text.insert(static_cast<size_t>(pos), 1, m_thousands);

    if (x < 0.0) {
        text.insert(text.begin(), '-');
        return 1;
    }
    return 0;
}

int CNumberFormat::FormatPlain(double x, int n, std::string& text) {
    // Built directly without grouping and with '.', which is what removing the thousands
    // separators from the grouped text and replacing its decimal separator gives; the
    // user's separators play no part, so they are not loaded.
    text = FormatDigits(x, n, '.');
    if (x == 0.0 || !std::isfinite(x)) return 0;
    if (x < 0.0) {
        text.insert(text.begin(), '-');
        return 1;
    }
    return 0;
}
