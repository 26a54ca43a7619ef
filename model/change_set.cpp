#include "model/change_set.h"

#include "model/angebot_list.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

double AsNumber(const FieldValue& value) {
    return value.IsInt() ? static_cast<double>(value.AsInt()) : value.AsDouble();
}

void SetNumber(CAngebotList& list, int index, Fld field, double value) {
    if (TypeOfField(field) == FieldType::Int)
        list.SetInt(index, field, static_cast<int32_t>(value));
    else
        list.SetDouble(index, field, value);
}

} // namespace

void CChangeSet::Record(int index, Fld field, const FieldValue& before, const FieldValue& after) {
    if (before == after) return;
    if (after.IsText())
        m_texts.push_back({index, field, before.AsText(), after.AsText()});
    else
        m_numbers.push_back({index, field, AsNumber(before), AsNumber(after)});
}

void CChangeSet::Undo(CAngebotList& list) const {
    for (auto it = m_texts.rbegin(); it != m_texts.rend(); ++it)
        list.SetText(it->index, it->field, it->before);
    for (auto it = m_numbers.rbegin(); it != m_numbers.rend(); ++it)
        SetNumber(list, it->index, it->field, it->before);
}

void CChangeSet::Redo(CAngebotList& list) const {
    for (const TextChange& change : m_texts)
        list.SetText(change.index, change.field, change.after);
    for (const NumberChange& change : m_numbers)
        SetNumber(list, change.index, change.field, change.after);
}

bool CChangeSet::Empty() const {
    // The net effect per field: its first old value against its last new value.
    std::map<std::pair<int32_t, Fld>, std::pair<const void*, const void*>> net;
    for (const NumberChange& c : m_numbers) {
        auto [it, inserted] = net.try_emplace({c.index, c.field}, &c.before, &c.after);
        if (!inserted) it->second.second = &c.after;
    }
    for (const auto& [key, values] : net)
        if (*static_cast<const double*>(values.first) != *static_cast<const double*>(values.second))
            return false;
    net.clear();
    for (const TextChange& c : m_texts) {
        auto [it, inserted] = net.try_emplace({c.index, c.field}, &c.before, &c.after);
        if (!inserted) it->second.second = &c.after;
    }
    for (const auto& [key, values] : net)
        if (*static_cast<const std::string*>(values.first) != *static_cast<const std::string*>(values.second))
            return false;
    return true;
}

std::vector<int> CChangeSet::Records() const {
    std::vector<int> records;
    records.reserve(Size());
    for (const NumberChange& c : m_numbers)
        records.push_back(c.index);
    for (const TextChange& c : m_texts)
        records.push_back(c.index);
    std::sort(records.begin(), records.end());
    records.erase(std::unique(records.begin(), records.end()), records.end());
    return records;
}

size_t CChangeSet::MemoryBytes() const {
    size_t bytes = m_numbers.capacity() * sizeof(NumberChange) + m_texts.capacity() * sizeof(TextChange);
    for (const TextChange& c : m_texts)
        bytes += c.before.capacity() + c.after.capacity();
    return bytes;
}

void CChangeSet::Shrink() {
    m_numbers.shrink_to_fit();
    m_texts.shrink_to_fit();
}

CRecordChanges::CRecordChanges(CAngebotList& list, CChangeSet& changes)
    : m_list(list), m_previous(list.Recorder()) {
    if (!m_previous) m_list.SetRecorder(&changes);
}

CRecordChanges::~CRecordChanges() {
    m_list.SetRecorder(m_previous);
}
