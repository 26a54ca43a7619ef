#pragma once

#include "model/angebot.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>

// The records of each value of one field, for CAngebotList::FindRecord: numbers keyed by
// their bits, texts by their bytes (looked up without a copy). The caller keeps it current
// by removing a record before its field changes and adding it afterwards.
class CFieldIndex {
public:
    explicit CFieldIndex(Fld field) : m_field(field) {}

    void Add(const CAngebot& record, int index);
    void Remove(const CAngebot& record, int index);
    // The first record in list order whose field equals the value; -1 when none holds it,
    // for a value of another type than the field's and for NaN (which equals nothing).
    int Find(const FieldValue& value) const;
    // Room for `count` values, so that filling the index does not rehash it again and again.
    void Reserve(size_t count);

private:
    // The indices of one value; the smallest is kept apart, so that a value held by one
    // record needs no allocation beyond its map entry (which stays small: most values are
    // held by one record).
    struct Bucket {
        int first = -1;
        std::unique_ptr<std::set<int>> more;
    };
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    static void Insert(Bucket& bucket, int index);
    // False when the bucket is empty afterwards.
    static bool Erase(Bucket& bucket, int index);
    // The key of a number; false for NaN. -0.0 and 0.0 share one key.
    static bool NumberKey(double value, uint64_t& key);
    bool KeyOf(const CAngebot& record, uint64_t& key) const;

    Fld m_field;
    std::unordered_map<uint64_t, Bucket> m_numbers;
    std::unordered_map<std::string, Bucket, TextHash, std::equal_to<>> m_texts;
};
