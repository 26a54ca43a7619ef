#include "ui/float_edit_logic.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

size_t SignLength(const std::string& text) {
    return !text.empty() && text[0] == '-' ? 1 : 0;
}

constexpr char kEuro = '\x80';         // Windows-1252
constexpr char kNoBreakSpace = '\xA0'; // Windows-1252

bool IsPasteBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == kNoBreakSpace;
}

void Trim(std::string_view& text) {
    while (!text.empty() && IsPasteBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsPasteBlank(text.back()))
        text.remove_suffix(1);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if ((text[i] | 0x20) != (prefix[i] | 0x20)) return false;
    return true;
}

// Drops one currency mark ("€" or "EUR") before or after the number.
void StripCurrency(std::string_view& text) {
    Trim(text);
    if (!text.empty() && text.front() == kEuro) {
        text.remove_prefix(1);
    } else if (StartsWithNoCase(text, "EUR")) {
        text.remove_prefix(3);
    } else if (!text.empty() && text.back() == kEuro) {
        text.remove_suffix(1);
    } else if (text.size() >= 3 && StartsWithNoCase(text.substr(text.size() - 3), "EUR")) {
        text.remove_suffix(3);
    }
    Trim(text);
}

bool IsGroupMark(char c) {
    return c == '.' || c == ',' || c == ' ' || c == kNoBreakSpace || c == '\'';
}

// Digits of an integer part written with one kind of group mark between groups of three
// (the first group 1 to 3 digits), or without marks.
std::optional<std::string> GroupedDigits(std::string_view text) {
    std::string digits;
    char mark = 0;
    size_t groupLength = 0;
    bool firstGroup = true;
    for (char c : text) {
        if (IsDigit(c)) {
            digits.push_back(c);
            ++groupLength;
            continue;
        }
        if (!IsGroupMark(c) || (mark != 0 && c != mark)) return std::nullopt;
        if (groupLength == 0 || (firstGroup ? groupLength > 3 : groupLength != 3)) return std::nullopt;
        mark = c;
        firstGroup = false;
        groupLength = 0;
    }
    if (mark != 0 && groupLength != 3) return std::nullopt;
    return digits;
}

} // namespace

CFloatEditLogic::CFloatEditLogic() {
    m_separators.LoadSeparators();
    m_text = FieldFormat(m_value);
}

// ---------------------------------------------------------------------------------------------
// Text and value

double CFloatEditLogic::TextValueOf(const std::string& text) const {
    std::string plain;
    plain.reserve(text.size());
    for (char c : text) {
        if (c == m_separators.m_thousands) continue;
        plain.push_back(c == m_separators.m_decimal ? '.' : c);
    }
    return CNumberFormat::StringToDouble(plain);
}

std::string CFloatEditLogic::Group(const std::string& digits) const {
    if (!m_grouping) return digits;
    std::string grouped = digits;
    for (long long pos = static_cast<long long>(grouped.size()) - 3; pos > 0; pos -= 3)
        grouped.insert(static_cast<size_t>(pos), 1, m_separators.m_thousands);
    return grouped;
}

std::string CFloatEditLogic::FieldFormat(double value) const {
    const double rounded = CNumberFormat::RoundTo(value, m_decimals);
    std::string plain;
    CNumberFormat().FormatPlain(std::fabs(rounded), m_decimals, plain);
    const size_t point = plain.find('.');
    std::string integer = plain.substr(0, point);
    // With the focus a magnitude below 1 has no integer digits, so that typing fills them.
    if (integer == "0" && m_decimals > 0 && m_hasFocus) integer.clear();

    std::string text = rounded < 0.0 ? "-" : "";
    text += Group(integer);
    if (point != std::string::npos) {
        text.push_back(m_separators.m_decimal);
        text.append(plain, point + 1);
    }
    return text;
}

std::string CFloatEditLogic::Regroup(const std::string& text) const {
    const size_t sign = SignLength(text);
    const size_t end = std::min(DecimalPos(text), text.size());
    std::string digits;
    for (size_t i = sign; i < end; ++i)
        if (IsDigit(text[i])) digits.push_back(text[i]);
    const size_t zeros = digits.find_first_not_of('0');
    digits.erase(0, zeros == std::string::npos ? (digits.empty() ? 0 : digits.size() - 1) : zeros);
    return text.substr(0, sign) + Group(digits) + text.substr(end);
}

size_t CFloatEditLogic::DecimalPos(const std::string& text) const {
    return text.find(m_separators.m_decimal);
}

bool CFloatEditLogic::InIntegerPart(const std::string& text, int caret) const {
    const size_t decimal = DecimalPos(text);
    return decimal == std::string::npos || static_cast<size_t>(caret) <= decimal;
}

CFloatEditLogic::CaretAnchor CFloatEditLogic::AnchorOf(const std::string& text, int caret) const {
    const size_t decimal = DecimalPos(text);
    CaretAnchor anchor;
    if (!InIntegerPart(text, caret)) {
        anchor.inFraction = true;
        anchor.count = caret - static_cast<int>(decimal) - 1;
        return anchor;
    }
    const size_t end = std::min(decimal, text.size());
    for (size_t i = std::max(static_cast<size_t>(caret), SignLength(text)); i < end; ++i)
        if (IsDigit(text[i])) ++anchor.count;
    return anchor;
}

int CFloatEditLogic::PlaceAnchor(const std::string& text, CaretAnchor anchor) const {
    const size_t decimal = DecimalPos(text);
    if (anchor.inFraction) {
        if (decimal == std::string::npos) return Length(text);
        const int fraction = Length(text) - static_cast<int>(decimal) - 1;
        return static_cast<int>(decimal) + 1 + std::min(anchor.count, fraction);
    }
    // The rightmost position with that many integer digits behind it: after a thousands
    // separator rather than in front of it.
    const size_t sign = SignLength(text);
    size_t pos = std::min(decimal, text.size());
    for (int found = 0; pos > sign && found < anchor.count;)
        if (IsDigit(text[--pos])) ++found;
    return static_cast<int>(pos);
}

std::string CFloatEditLogic::PlainNumber() const {
    std::string plain;
    CNumberFormat().FormatPlain(TextValue(), m_decimals, plain);
    return plain;
}

std::string CFloatEditLogic::ClipboardText() const {
    std::string text = m_text;
    const size_t sign = SignLength(text);
    if (sign == text.size() || text[sign] == m_separators.m_decimal) text.insert(sign, 1, '0');
    return text;
}

// ---------------------------------------------------------------------------------------------
// State changes

void CFloatEditLogic::SetSelection(int start, int end, int caret) {
    const int length = Length(m_text);
    m_selStart = std::clamp(std::min(start, end), 0, length);
    m_selEnd = std::clamp(std::max(start, end), 0, length);
    m_caret = std::clamp(caret, 0, length);
}

void CFloatEditLogic::Render() {
    m_text = FieldFormat(m_value);
    SetCaret(0);
}

void CFloatEditLogic::SetValue(double value) {
    m_value = value;
    m_outsideText = false;
    Render();
}

void CFloatEditLogic::SetDecimals(int decimals) {
    AdoptOutsideText();
    m_decimals = std::clamp(decimals, 0, kMaxDecimals);
    Render();
}

void CFloatEditLogic::SetGrouping(bool on) {
    AdoptOutsideText();
    m_grouping = on;
    Render();
}

void CFloatEditLogic::SetTextFromOutside(std::string_view text) {
    m_text = text;
    m_outsideText = true;
    SetCaret(Length(m_text));
}

void CFloatEditLogic::AdoptOutsideText() {
    if (!m_outsideText) return;
    m_outsideText = false;
    const double value = TextValue();
    if (value != m_value) {
        m_value = value;
        m_modified = true;
    }
    const std::string text = FieldFormat(m_value);
    if (text == m_text) return;
    const bool whole = m_selStart == 0 && m_selEnd == Length(m_text) && HasSelection();
    const CaretAnchor anchor = AnchorOf(m_text, m_caret);
    m_text = text;
    if (whole)
        SetSelection(0, Length(m_text), Length(m_text));
    else
        SetCaret(PlaceAnchor(m_text, anchor));
}

void CFloatEditLogic::ReloadSeparators() {
    CNumberFormat fresh = m_separators;
    fresh.LoadSeparators();
    if (fresh.m_decimal == m_separators.m_decimal && fresh.m_thousands == m_separators.m_thousands) return;
    AdoptOutsideText(); // read with the separators it was written with
    m_separators = fresh;
    Render();
}

void CFloatEditLogic::Commit(const std::string& text, int caret) {
    if (text != m_text) {
        m_text = text;
        m_value = TextValue();
        m_modified = true;
    }
    SetCaret(caret);
}

// ---------------------------------------------------------------------------------------------
// Typing

void CFloatEditLogic::RemoveSelection(Cause cause, std::string& text, int& caret) const {
    const size_t start = static_cast<size_t>(m_selStart);
    const bool hadDecimal = DecimalPos(text) != std::string::npos;
    text.erase(start, static_cast<size_t>(m_selEnd - m_selStart));
    if (start < text.size() && text[start] == m_separators.m_thousands) text.erase(start, 1);
    caret = m_selStart;

    const bool lostDecimal = hadDecimal && DecimalPos(text) == std::string::npos;
    if (start != 0 || cause == Cause::Minus || cause == Cause::Plus || cause == Cause::Decimal ||
        cause == Cause::Backspace || text.empty() || lostDecimal) {
        // Re-formatted in full; the caret stays in front of the same remaining digits
        // instead of jumping to the start, where the next typed digit would land.
        const CaretAnchor anchor = AnchorOf(text, caret);
        text = FieldFormat(TextValueOf(text));
        caret = PlaceAnchor(text, anchor);
    }
}

void CFloatEditLogic::TypeDigit(char digit, std::string& text, int& caret) const {
    if (!InIntegerPart(text, caret)) {
        // Fraction: overwrite; at the end nothing happens.
        if (static_cast<size_t>(caret) < text.size()) text[static_cast<size_t>(caret++)] = digit;
        return;
    }
    const size_t pos = std::max(static_cast<size_t>(caret), SignLength(text));
    std::string inserted = text;
    inserted.insert(pos, 1, digit);
    if (std::fabs(TextValueOf(inserted)) >= kLimit) return;
    const CaretAnchor anchor = AnchorOf(inserted, static_cast<int>(pos) + 1);
    text = Regroup(inserted);
    caret = PlaceAnchor(text, anchor);
}

void CFloatEditLogic::TypeDecimal(std::string& text, int& caret) const {
    if (InIntegerPart(text, caret)) {
        // The integer digits from the caret to the decimal separator go.
        const size_t from = std::max(static_cast<size_t>(caret), SignLength(text));
        const size_t to = std::min(DecimalPos(text), text.size());
        if (from < to) text.erase(from, to - from);
        text = Regroup(text);
    }
    const size_t decimal = DecimalPos(text);
    caret = decimal == std::string::npos ? Length(text) : static_cast<int>(decimal) + 1;
}

void CFloatEditLogic::TypeChar(char c) {
    if (m_readOnly) return;
    Cause cause;
    if (IsDigit(c))
        cause = Cause::Digit;
    else if (c == m_separators.m_decimal)
        cause = Cause::Decimal;
    else if (c == '-')
        cause = Cause::Minus;
    else if (c == '+')
        cause = Cause::Plus;
    else
        return;

    AdoptOutsideText();
    std::string text = m_text;
    int caret = m_caret;
    if (HasSelection()) RemoveSelection(cause, text, caret);
    switch (cause) {
    case Cause::Digit:
        TypeDigit(c, text, caret);
        break;
    case Cause::Decimal:
        TypeDecimal(text, caret);
        break;
    case Cause::Minus:
        if (SignLength(text) == 1) {
            text.erase(0, 1);
            caret = std::max(caret - 1, 0);
        } else {
            text.insert(0, 1, '-');
            ++caret;
        }
        break;
    case Cause::Plus:
        if (SignLength(text) == 1) {
            text.erase(0, 1);
            caret = std::max(caret - 1, 0);
        }
        break;
    default:
        break;
    }
    Commit(text, caret);
}

void CFloatEditLogic::Backspace() {
    if (m_readOnly) return;
    AdoptOutsideText();
    std::string text = m_text;
    int caret = m_caret;
    if (HasSelection()) {
        RemoveSelection(Cause::Backspace, text, caret);
    } else if (caret > 0) {
        if (text[static_cast<size_t>(caret - 1)] == m_separators.m_decimal) --caret; // stepped over
        if (!InIntegerPart(text, caret)) {
            // Fraction: the digit goes, a '0' at the end keeps the number of decimals.
            text.erase(static_cast<size_t>(caret - 1), 1);
            text.push_back('0');
            --caret;
        } else if (caret > 0) {
            // A thousands separator goes together with the digit before it.
            const int count =
                caret >= 2 && text[static_cast<size_t>(caret - 1)] == m_separators.m_thousands ? 2 : 1;
            caret -= count;
            text.erase(static_cast<size_t>(caret), static_cast<size_t>(count));
            const CaretAnchor anchor = AnchorOf(text, caret);
            text = Regroup(text);
            caret = PlaceAnchor(text, anchor);
        }
    }
    Commit(text, caret);
}

void CFloatEditLogic::Delete() {
    if (m_readOnly) return;
    AdoptOutsideText();
    std::string text = m_text;
    int caret = m_caret;
    if (HasSelection()) {
        RemoveSelection(Cause::Delete, text, caret);
    } else if (caret < Length(text)) {
        if (text[static_cast<size_t>(caret)] == m_separators.m_decimal) ++caret; // stepped over
        if (!InIntegerPart(text, caret)) {
            if (caret < Length(text)) {
                text.erase(static_cast<size_t>(caret), 1);
                text.push_back('0');
            }
        } else {
            // A thousands separator goes together with the digit after it.
            const size_t pos = static_cast<size_t>(caret);
            const size_t count = text[pos] == m_separators.m_thousands && pos + 1 < text.size() ? 2 : 1;
            text.erase(pos, count);
            const CaretAnchor anchor = AnchorOf(text, caret);
            text = Regroup(text);
            caret = PlaceAnchor(text, anchor);
        }
    }
    Commit(text, caret);
}

// ---------------------------------------------------------------------------------------------
// Focus, settings, clipboard

void CFloatEditLogic::FocusGained() {
    ReloadSeparators();
    m_hasFocus = true;
    AdoptOutsideText();
    const double value = TextValue();
    if (value > -1.0 && value < 1.0) {
        // Shown as ",50" and selected, so that typing replaces it.
        m_text = FieldFormat(m_value);
        SetSelection(0, Length(m_text), Length(m_text));
    }
}

void CFloatEditLogic::FocusLost() {
    AdoptOutsideText();
    m_hasFocus = false;
    if (m_value > -1.0 && m_value < 1.0) Render(); // regains its leading "0"
}

void CFloatEditLogic::SettingsChanged() {
    ReloadSeparators();
    AdoptOutsideText();
    Render();
}

bool CFloatEditLogic::Paste(std::string_view text) {
    const std::optional<double> value =
        ParsePastedNumber(text, m_separators.m_decimal, m_separators.m_thousands);
    return value && PasteValue(*value);
}

bool CFloatEditLogic::PastePlain(std::string_view text) {
    // Only what PlainNumber writes: an optional '-', digits, optionally '.' and digits.
    size_t pos = !text.empty() && text[0] == '-' ? 1 : 0;
    size_t digits = 0;
    bool point = false;
    for (; pos < text.size(); ++pos) {
        if (IsDigit(text[pos]))
            ++digits;
        else if (text[pos] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits > 0 && PasteValue(CNumberFormat::StringToDouble(text));
}

bool CFloatEditLogic::PasteValue(double value) {
    if (m_readOnly) return false;
    const double rounded = CNumberFormat::RoundTo(value, m_decimals);
    if (!std::isfinite(rounded) || std::fabs(rounded) >= kLimit) return false;
    AdoptOutsideText();
    const std::string formatted = FieldFormat(rounded);
    Commit(formatted, Length(formatted));
    return true;
}

std::optional<double> CFloatEditLogic::ParsePastedNumber(std::string_view text, char decimal,
                                                         char thousands) {
    StripCurrency(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !(IsDigit(text.front()) || text.front() == '.' || text.front() == ','))
        return std::nullopt;

    // Which of '.' and ',' separates the decimals, if any.
    const size_t lastDot = text.rfind('.');
    const size_t lastComma = text.rfind(',');
    size_t point = std::string_view::npos;
    if (lastDot != std::string_view::npos && lastComma != std::string_view::npos) {
        point = std::max(lastDot, lastComma);
    } else if (lastDot != std::string_view::npos || lastComma != std::string_view::npos) {
        const size_t at = lastDot != std::string_view::npos ? lastDot : lastComma;
        const char mark = text[at];
        const bool repeated = text.find(mark) != at;
        const std::string_view before = text.substr(0, at);
        const std::string_view after = text.substr(at + 1);
        const bool looksGrouped = mark == thousands && mark != decimal && !before.empty() &&
                                  before.size() <= 3 && after.size() == 3 &&
                                  std::all_of(before.begin(), before.end(), IsDigit) &&
                                  std::all_of(after.begin(), after.end(), IsDigit);
        if (!repeated && !looksGrouped) point = at;
    }

    const std::string_view integerText = text.substr(0, point);
    std::string_view fraction;
    if (point != std::string_view::npos) {
        fraction = text.substr(point + 1);
        if (!std::all_of(fraction.begin(), fraction.end(), IsDigit)) return std::nullopt;
    }
    const std::optional<std::string> integer = GroupedDigits(integerText);
    if (!integer || (integer->empty() && fraction.empty())) return std::nullopt;

    std::string plain = negative ? "-" : "";
    plain += integer->empty() ? "0" : *integer;
    plain.push_back('.');
    plain.append(fraction);
    return CNumberFormat::StringToDouble(plain);
}
