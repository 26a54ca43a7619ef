#pragma once

#include "model/field_value.h"
#include "model/fields.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

// One bid record: a row of the LV with 32 numbered, typed fields and the
// next and previous indices of the display chain.
//
// The 19 text fields lie one after another in a single buffer of the record, so that a
// record costs one allocation for all its texts (an LV of 100,000 positions holds
// hundreds of thousands of records, most of whose texts are short or empty).
class CAngebot {
public:
    CAngebot();
    CAngebot(const CAngebot& other);
    CAngebot(CAngebot&& other) noexcept;
    CAngebot& operator=(const CAngebot& other);
    CAngebot& operator=(CAngebot&& other) noexcept;
    ~CAngebot();

    // 1 on success, 0 for a bad field number, a value of another type or no memory.
    int SetField(Fld field, const FieldValue& value);
    int GetField(Fld field, FieldValue& value) const;
    // SetField for a text from a view (may view a text of this record).
    int SetText(Fld field, std::string_view text);
    // Whether the field takes a value of this type.
    static bool Accepts(Fld field, const FieldValue& value);

    // Direct reads without a FieldValue: a field of another type gives 0 or "".
    double Number(Fld field) const;
    int32_t Integer() const { return m_level; }
    // Valid until a text field of this record changes.
    std::string_view Text(Fld field) const;

    int32_t m_next = -1;
    int32_t m_prev = -1;
    int32_t m_index = -1; // own list index, kept by CAngebotList

private:
    static constexpr int kTextCount = 19;
    static int Slot(Fld field);
    std::string_view TextAt(int slot) const;
    bool SetTextAt(int slot, std::string_view text);

    std::array<double, 12> m_numbers{};
    int32_t m_level = 0;
    // Text i is [m_ends[i - 1], m_ends[i]) of m_texts (text 0 starts at 0).
    std::array<uint32_t, kTextCount> m_ends{};
    uint32_t m_capacity = 0;
    std::unique_ptr<char[]> m_texts;
};
