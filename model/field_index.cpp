#include "model/field_index.h"

#include <bit>
#include <cmath>

void CFieldIndex::Insert(Bucket& bucket, int index) {
    if (bucket.first == -1) {
        bucket.first = index;
        return;
    }
    if (index == bucket.first) return;
    if (!bucket.more) bucket.more = std::make_unique<std::set<int>>();
    if (index < bucket.first) {
        bucket.more->insert(bucket.first);
        bucket.first = index;
    } else {
        bucket.more->insert(index);
    }
}

bool CFieldIndex::Erase(Bucket& bucket, int index) {
    if (index != bucket.first) {
        if (bucket.more) bucket.more->erase(index);
        return true;
    }
    if (!bucket.more || bucket.more->empty()) return false;
    bucket.first = *bucket.more->begin();
    bucket.more->erase(bucket.more->begin());
    return true;
}

bool CFieldIndex::NumberKey(double value, uint64_t& key) {
    if (std::isnan(value)) return false;
    if (value == 0.0) value = 0.0;
    key = std::bit_cast<uint64_t>(value);
    return true;
}

bool CFieldIndex::KeyOf(const CAngebot& record, uint64_t& key) const {
    if (TypeOfField(m_field) == FieldType::Int) {
        key = static_cast<uint32_t>(record.Integer());
        return true;
    }
    return NumberKey(record.Number(m_field), key);
}

void CFieldIndex::Add(const CAngebot& record, int index) {
    if (TypeOfField(m_field) == FieldType::Text) {
        const std::string_view text = record.Text(m_field);
        auto it = m_texts.find(text);
        if (it == m_texts.end()) it = m_texts.emplace(std::string(text), Bucket()).first;
        Insert(it->second, index);
        return;
    }
    uint64_t key = 0;
    if (KeyOf(record, key)) Insert(m_numbers[key], index);
}

void CFieldIndex::Remove(const CAngebot& record, int index) {
    if (TypeOfField(m_field) == FieldType::Text) {
        auto it = m_texts.find(record.Text(m_field));
        if (it != m_texts.end() && !Erase(it->second, index)) m_texts.erase(it);
        return;
    }
    uint64_t key = 0;
    if (!KeyOf(record, key)) return;
    auto it = m_numbers.find(key);
    if (it != m_numbers.end() && !Erase(it->second, index)) m_numbers.erase(it);
}

void CFieldIndex::Reserve(size_t count) {
    if (TypeOfField(m_field) == FieldType::Text)
        m_texts.reserve(count);
    else
        m_numbers.reserve(count);
}

int CFieldIndex::Find(const FieldValue& value) const {
    uint64_t key = 0;
    switch (TypeOfField(m_field)) {
    case FieldType::Text: {
        if (!value.IsText()) return -1;
        auto it = m_texts.find(std::string_view(value.AsText()));
        return it == m_texts.end() ? -1 : it->second.first;
    }
    case FieldType::Int:
        if (!value.IsInt()) return -1;
        key = static_cast<uint32_t>(value.AsInt());
        break;
    case FieldType::Double:
        if (!value.IsDouble() || !NumberKey(value.AsDouble(), key)) return -1;
        break;
    }
    auto it = m_numbers.find(key);
    return it == m_numbers.end() ? -1 : it->second.first;
}
