#include "ui/date_edit_logic.h"

#include "ui/calendar_date.h"

#include <algorithm>
#include <cstdio>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int Length(const std::string& text) {
    return static_cast<int>(text.size());
}

// Digits of a run starting at pos; pos moves behind them.
std::string_view TakeDigits(std::string_view text, size_t& pos) {
    const size_t begin = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return text.substr(begin, pos - begin);
}

} // namespace

void CDateEditLogic::SetText(std::string_view text) {
    m_text = text.empty() ? std::string(kEmptyText) : std::string(text);
    Collapse(0);
}

void CDateEditLogic::SetSelection(int start, int end, int caret) {
    const int length = Length(m_text);
    m_selStart = std::clamp(std::min(start, end), 0, length);
    m_selEnd = std::clamp(std::max(start, end), 0, length);
    m_caret = std::clamp(caret, 0, length);
}

bool CDateEditLogic::IsLiteral(int pos) const {
    return pos >= 0 && pos < static_cast<int>(kTemplate.size()) && kTemplate[static_cast<size_t>(pos)] != '_';
}

bool CDateEditLogic::DigitAllowed(int pos, char digit) const {
    const auto at = [this](size_t i) { return i < m_text.size() ? m_text[i] : ' '; };
    switch (pos) {
    case 0: // day tens
        return digit <= '3';
    case 1: // day units: no 32..39, no 00
        return !(at(0) == '3' && digit >= '2') && !(at(0) == '0' && digit == '0');
    case 3: // month tens
        return digit <= '1';
    case 4: // month units: no 13..19, no 00
        return !(at(3) == '1' && digit >= '3') && !(at(3) == '0' && digit == '0');
    default: // year
        return true;
    }
}

void CDateEditLogic::Overwrite(char c) {
    const size_t pos = static_cast<size_t>(m_caret);
    if (pos < m_text.size()) {
        if (m_text[pos] != c) m_modified = true;
        m_text[pos] = c;
    } else {
        m_text.push_back(c);
        m_modified = true;
    }
    Collapse(m_caret + 1);
}

void CDateEditLogic::StepOverLiteral() {
    Overwrite(kTemplate[static_cast<size_t>(m_caret)]);
}

bool CDateEditLogic::WholeTextSelected() const {
    return !m_text.empty() && m_selStart == 0 && m_selEnd == Length(m_text);
}

void CDateEditLogic::BlankSelection() {
    for (int i = m_selStart; i < m_selEnd; ++i) {
        char& c = m_text[static_cast<size_t>(i)];
        if (IsLiteral(i) || c == ' ') continue;
        c = ' ';
        m_modified = true;
    }
    Collapse(m_selStart);
}

DateInput CDateEditLogic::TypeChar(char c) {
    if (m_readOnly) return DateInput::Dropped;
    const unsigned char code = static_cast<unsigned char>(c);
    if (code < 0x20 || code == 0x7F) return DateInput::Dropped; // keys, not characters
    Collapse(m_selStart);
    if (m_caret >= static_cast<int>(kMask.size())) return DateInput::Beep;
    if (IsLiteral(m_caret)) StepOverLiteral();
    if (!IsDigit(c)) return DateInput::Beep;
    if (!DigitAllowed(m_caret, c)) return DateInput::Dropped;
    Overwrite(c);
    if (IsLiteral(m_caret)) StepOverLiteral();
    return DateInput::Accepted;
}

void CDateEditLogic::Backspace() {
    if (m_readOnly) return;
    if (WholeTextSelected()) {
        if (m_text != kEmptyText) m_modified = true;
        SetText({});
        return;
    }
    if (HasSelection()) {
        BlankSelection();
        return;
    }
    const size_t pos = static_cast<size_t>(m_caret);
    if (pos == 0 || m_text[pos - 1] == '.') return;
    if (m_text[pos - 1] != ' ') m_modified = true;
    m_text[pos - 1] = ' ';
    Collapse(m_caret - 1);
}

void CDateEditLogic::Delete() {
    if (m_readOnly) return;
    if (WholeTextSelected()) {
        if (m_text != kEmptyText) m_modified = true;
        SetText({});
        return;
    }
    if (HasSelection()) {
        BlankSelection();
        return;
    }
    const size_t pos = static_cast<size_t>(m_caret);
    if (pos >= m_text.size() || m_text[pos] == '.') return;
    if (m_text[pos] != ' ') m_modified = true;
    m_text[pos] = ' ';
    Collapse(m_caret + 1);
}

bool CDateEditLogic::Paste(std::string_view text) {
    if (m_readOnly) return false;
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    if (text.empty()) return false;

    // A whole date: 1 or 2 digits, '.', 1 or 2 digits, '.', 2 or 4 digits.
    size_t pos = 0;
    const std::string_view day = TakeDigits(text, pos);
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        const std::string_view month = TakeDigits(text, pos);
        const bool dot = pos < text.size() && text[pos] == '.';
        if (dot) ++pos;
        const std::string_view year = TakeDigits(text, pos);
        if (!dot || pos != text.size() || day.empty() || day.size() > 2 || month.empty() ||
            month.size() > 2 || (year.size() != 2 && year.size() != 4))
            return false;
        std::string whole = (day.size() == 1 ? "0" : "") + std::string(day) + '.' +
                            (month.size() == 1 ? "0" : "") + std::string(month) + '.' + std::string(year);
        whole.resize(kMask.size(), ' ');
        if (whole != m_text) m_modified = true;
        m_text = whole;
        Collapse(6 + static_cast<int>(year.size()));
        return true;
    }

    // Digits alone are typed one by one; taken only when every one of them is accepted.
    if (pos != text.size()) return false;
    CDateEditLogic trial = *this;
    for (char c : text)
        if (trial.TypeChar(c) != DateInput::Accepted) return false;
    *this = trial;
    return true;
}

bool CDateEditLogic::ValidateDate() {
    if (m_text.size() < 7) return false;
    CalendarDate date = ReadDateParts(m_text);
    if (date.day == 0 && date.month == 0 && date.year == 0) {
        SetText({}); // the empty date, whatever blanks or zeros it was typed with
        m_modified = true;
        return true;
    }
    // A day and month without any year digit would silently become the year 2000.
    const std::string_view year(m_text.data() + 6, m_text.size() - 6);
    if (std::none_of(year.begin(), year.end(), IsDigit)) return false;
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31 || date.year < 0 ||
        date.day > DaysInMonth(date.year, date.month))
        return false;
    date.year = ExpandTwoDigitYear(date.year);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%d", date.day, date.month, date.year);
    SetText(buffer);
    m_modified = true;
    return true;
}
