#pragma once

#include "model/angebot.h"
#include "model/record_store.h"

#include <cstdint>
#include <set>
#include <unordered_map>
#include <vector>

// The records of each value of one field, for CAngebotList::FindRecord: an open-addressing
// table of the values' hashes and their first records in list order. A text is not copied
// into the table: it is compared with the text of the first record that holds it. The
// caller keeps the index current by removing a record before its field changes and adding
// it afterwards, and passes the list's records to every call.
class CFieldIndex {
public:
    explicit CFieldIndex(Fld field) : m_field(field) {}

    void Add(const CRecordStore& records, int index);
    void Remove(const CRecordStore& records, int index);
    // The first record in list order whose field equals the value; -1 when none holds it,
    // for a value of another type than the field's and for NaN (which equals nothing).
    int Find(const CRecordStore& records, const FieldValue& value) const;
    // Room for `count` values, so that filling the index does not grow it again and again.
    void Reserve(size_t count);

private:
    static constexpr int32_t kEmpty = -1;
    static constexpr int32_t kRemoved = -2; // keeps the probe sequences of the others intact

    // One value: for a number its key, for a text its hash; the first record holding it.
    struct Slot {
        uint64_t key = 0;
        int32_t first = kEmpty;
        bool more = false; // further records hold it: m_more[slot number]
    };
    // What a record or a searched value is looked up by.
    struct Probe {
        uint64_t key = 0;
        std::string_view text; // texts only
    };

    bool ProbeOfRecord(const CAngebot& record, Probe& probe) const;
    // The key of a number; false for NaN. -0.0 and 0.0 share one key.
    static bool NumberKey(double value, uint64_t& key);
    bool Matches(const CRecordStore& records, const Slot& slot, const Probe& probe) const;
    // The slot holding the value, or -1; with `insertAt` also where it would go.
    int Lookup(const CRecordStore& records, const Probe& probe, int* insertAt = nullptr) const;
    // A table for at least `minCapacity` values at half load, without the removed marks.
    void Grow(size_t minCapacity);

    Fld m_field;
    std::vector<Slot> m_slots; // a power of two in size, or empty
    size_t m_used = 0;         // slots holding a value or marked removed
    std::unordered_map<size_t, std::set<int>> m_more;
};
