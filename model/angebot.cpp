#include "model/angebot.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <utility>

CAngebot::CAngebot() = default;
CAngebot::~CAngebot() = default;

CAngebot::CAngebot(const CAngebot& other)
    : m_next(other.m_next), m_prev(other.m_prev), m_index(other.m_index), m_numbers(other.m_numbers),
      m_level(other.m_level), m_ends(other.m_ends), m_capacity(other.m_ends.back()) {
    if (m_capacity == 0) return;
    m_texts = std::make_unique_for_overwrite<char[]>(m_capacity);
    std::memcpy(m_texts.get(), other.m_texts.get(), m_capacity);
}

CAngebot::CAngebot(CAngebot&& other) noexcept
    : m_next(other.m_next), m_prev(other.m_prev), m_index(other.m_index), m_numbers(other.m_numbers),
      m_level(other.m_level), m_ends(std::exchange(other.m_ends, {})),
      m_capacity(std::exchange(other.m_capacity, 0)), m_texts(std::move(other.m_texts)) {}

CAngebot& CAngebot::operator=(const CAngebot& other) {
    if (this != &other) *this = CAngebot(other);
    return *this;
}

CAngebot& CAngebot::operator=(CAngebot&& other) noexcept {
    m_next = other.m_next;
    m_prev = other.m_prev;
    m_index = other.m_index;
    m_numbers = other.m_numbers;
    m_level = other.m_level;
    m_ends = std::exchange(other.m_ends, {});
    m_capacity = std::exchange(other.m_capacity, 0);
    m_texts = std::move(other.m_texts);
    return *this;
}

std::string_view CAngebot::TextAt(int slot) const {
    const uint32_t begin = slot ? m_ends[slot - 1] : 0;
    return {m_texts.get() + begin, m_ends[slot] - begin};
}

bool CAngebot::SetTextAt(int slot, std::string_view text) {
    const uint32_t begin = slot ? m_ends[slot - 1] : 0;
    const uint32_t end = m_ends[slot];
    const uint32_t total = m_ends.back();
    const uint64_t newTotal = uint64_t{total} - (end - begin) + text.size();
    if (newTotal > std::numeric_limits<uint32_t>::max()) return false;
    char* buffer = m_texts.get();
    // A text taken from this very record is copied first: the move below may overwrite it.
    std::string aliased;
    if (buffer && text.data() >= buffer && text.data() < buffer + total) text = aliased.assign(text);
    if (newTotal > m_capacity) {
        // Rounded up so that setting the short fields one after another rarely allocates again.
        const uint64_t capacity = (newTotal + 31) & ~uint64_t{31};
        const uint32_t newCapacity =
            static_cast<uint32_t>(std::min<uint64_t>(capacity, std::numeric_limits<uint32_t>::max()));
        auto grown = std::make_unique_for_overwrite<char[]>(newCapacity);
        if (begin) std::memcpy(grown.get(), buffer, begin);
        if (total > end) std::memcpy(grown.get() + begin + text.size(), buffer + end, total - end);
        m_texts = std::move(grown);
        m_capacity = newCapacity;
    } else if (total > end) {
        std::memmove(buffer + begin + text.size(), buffer + end, total - end);
    }
    if (!text.empty()) std::memcpy(m_texts.get() + begin, text.data(), text.size());
    const uint32_t oldLength = end - begin;
    const uint32_t newLength = static_cast<uint32_t>(text.size());
    for (int i = slot; i < kTextCount; ++i)
        m_ends[i] = m_ends[i] - oldLength + newLength;
    return true;
}

// Position of a field in the storage array of its type.
int CAngebot::Slot(Fld field) {
    const int n = FieldNumber(field);
    switch (TypeOfField(field)) {
    case FieldType::Double:
        return field <= Fld::SortNo ? n : n - FieldNumber(Fld::Quantity) + 3;
    case FieldType::Int:
        return 0;
    case FieldType::Text:
        if (field == Fld::RefMark) return 0;
        if (field <= Fld::SupplementIndex) return n - FieldNumber(Fld::Kind) + 1;
        return n - FieldNumber(Fld::BidderTexts) + 16;
    }
    return 0;
}

bool CAngebot::Accepts(Fld field, const FieldValue& value) {
    if (!IsValidField(field)) return false;
    switch (TypeOfField(field)) {
    case FieldType::Double:
        return value.IsDouble();
    case FieldType::Int:
        return value.IsInt();
    case FieldType::Text:
        return value.IsText();
    }
    return false;
}

double CAngebot::Number(Fld field) const {
    return IsValidField(field) && TypeOfField(field) == FieldType::Double ? m_numbers[Slot(field)] : 0.0;
}

std::string_view CAngebot::Text(Fld field) const {
    return IsValidField(field) && TypeOfField(field) == FieldType::Text ? TextAt(Slot(field))
                                                                        : std::string_view();
}

int CAngebot::SetField(Fld field, const FieldValue& value) {
    if (!IsValidField(field)) return 0;
    switch (TypeOfField(field)) {
    case FieldType::Double:
        if (!value.IsDouble()) return 0;
        m_numbers[Slot(field)] = value.AsDouble();
        return 1;
    case FieldType::Int:
        if (!value.IsInt()) return 0;
        m_level = value.AsInt();
        return 1;
    case FieldType::Text:
        if (!value.IsText()) return 0;
        return SetText(field, value.AsText());
    }
    return 0;
}

int CAngebot::SetText(Fld field, std::string_view text) {
    if (!IsValidField(field) || TypeOfField(field) != FieldType::Text) return 0;
    try {
        return SetTextAt(Slot(field), text) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int CAngebot::GetField(Fld field, FieldValue& value) const {
    if (!IsValidField(field)) return 0;
    switch (TypeOfField(field)) {
    case FieldType::Double:
        value = FieldValue(m_numbers[Slot(field)]);
        return 1;
    case FieldType::Int:
        value = FieldValue(m_level);
        return 1;
    case FieldType::Text:
        try {
            value = FieldValue(std::string(TextAt(Slot(field))));
        } catch (const std::bad_alloc&) {
            return 0;
        }
        return 1;
    }
    return 0;
}
