#include "model/field_index.h"

#include <bit>
#include <cmath>
#include <functional>
#include <utility>

namespace {

// Spreads a number key over the table (the bits of doubles differ mostly at the top).
uint64_t Mix(uint64_t key) {
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    return key;
}

} // namespace

bool CFieldIndex::NumberKey(double value, uint64_t& key) {
    if (std::isnan(value)) return false;
    if (value == 0.0) value = 0.0;
    key = std::bit_cast<uint64_t>(value);
    return true;
}

bool CFieldIndex::ProbeOfRecord(const CAngebot& record, Probe& probe) const {
    switch (TypeOfField(m_field)) {
    case FieldType::Text:
        probe.text = record.Text(m_field);
        probe.key = std::hash<std::string_view>{}(probe.text);
        return true;
    case FieldType::Int:
        probe.key = static_cast<uint32_t>(record.Integer());
        return true;
    case FieldType::Double:
        return NumberKey(record.Number(m_field), probe.key);
    }
    return false;
}

bool CFieldIndex::Matches(const CRecordStore& records, const Slot& slot, const Probe& probe) const {
    if (slot.first < 0 || slot.key != probe.key) return false;
    return TypeOfField(m_field) != FieldType::Text || records[slot.first].Text(m_field) == probe.text;
}

int CFieldIndex::Lookup(const CRecordStore& records, const Probe& probe, int* insertAt) const {
    if (insertAt) *insertAt = -1;
    if (m_slots.empty()) return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = Mix(probe.key) & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (Matches(records, slot, probe)) return static_cast<int>(i);
        if (insertAt && *insertAt == -1 && slot.first < 0) *insertAt = static_cast<int>(i);
        if (slot.first == kEmpty) return -1;
    }
}

void CFieldIndex::Grow(size_t minCapacity) {
    size_t capacity = 16;
    while (capacity < minCapacity * 2)
        capacity *= 2;
    std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(capacity));
    std::unordered_map<size_t, std::set<int>> oldMore = std::exchange(m_more, {});
    m_used = 0;
    const size_t mask = capacity - 1;
    for (size_t n = 0; n < old.size(); ++n) {
        if (old[n].first < 0) continue;
        size_t i = Mix(old[n].key) & mask;
        while (m_slots[i].first != kEmpty)
            i = (i + 1) & mask;
        m_slots[i] = old[n];
        ++m_used;
        if (old[n].more) m_more[i] = std::move(oldMore[n]);
    }
}

void CFieldIndex::Reserve(size_t count) {
    if (count * 2 > m_slots.size()) Grow(count);
}

void CFieldIndex::Add(const CRecordStore& records, int index) {
    Probe probe;
    if (!ProbeOfRecord(records[index], probe)) return;
    if ((m_used + 1) * 2 > m_slots.size()) Grow(m_used + 1);
    int insertAt = -1;
    const int found = Lookup(records, probe, &insertAt);
    if (found == -1) {
        Slot& slot = m_slots[static_cast<size_t>(insertAt)];
        if (slot.first == kEmpty) ++m_used;
        slot = Slot{probe.key, index, false};
        return;
    }
    Slot& slot = m_slots[static_cast<size_t>(found)];
    if (index == slot.first) return;
    std::set<int>& more = m_more[static_cast<size_t>(found)];
    slot.more = true;
    if (index < slot.first) {
        more.insert(slot.first);
        slot.first = index;
    } else {
        more.insert(index);
    }
}

void CFieldIndex::Remove(const CRecordStore& records, int index) {
    Probe probe;
    if (!ProbeOfRecord(records[index], probe)) return;
    const int found = Lookup(records, probe);
    if (found == -1) return;
    Slot& slot = m_slots[static_cast<size_t>(found)];
    auto more = slot.more ? m_more.find(static_cast<size_t>(found)) : m_more.end();
    if (index != slot.first) {
        if (more != m_more.end()) more->second.erase(index);
    } else if (more != m_more.end() && !more->second.empty()) {
        slot.first = *more->second.begin();
        more->second.erase(more->second.begin());
    } else {
        slot.first = kRemoved;
    }
    if (more != m_more.end() && more->second.empty()) {
        m_more.erase(more);
        slot.more = false;
    }
}

int CFieldIndex::Find(const CRecordStore& records, const FieldValue& value) const {
    Probe probe;
    switch (TypeOfField(m_field)) {
    case FieldType::Text:
        if (!value.IsText()) return -1;
        probe.text = value.AsText();
        probe.key = std::hash<std::string_view>{}(probe.text);
        break;
    case FieldType::Int:
        if (!value.IsInt()) return -1;
        probe.key = static_cast<uint32_t>(value.AsInt());
        break;
    case FieldType::Double:
        if (!value.IsDouble() || !NumberKey(value.AsDouble(), probe.key)) return -1;
        break;
    }
    const int found = Lookup(records, probe);
    return found == -1 ? -1 : m_slots[static_cast<size_t>(found)].first;
}
