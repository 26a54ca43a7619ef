#pragma once

#include "model/field_value.h"
#include "model/fields.h"

#include <array>
#include <cstdint>
#include <string>

// One bid record: a row of the LV with 32 numbered, typed fields and the
// next and previous indices of the display chain.
class CAngebot {
public:
    CAngebot();

    // 1 on success, 0 for a bad field number or a value of another type.
    int SetField(Fld field, const FieldValue& value);
    int GetField(Fld field, FieldValue& value) const;
    // Whether the field takes a value of this type.
    static bool Accepts(Fld field, const FieldValue& value);

    // Direct reads without a FieldValue: a field of another type gives 0 or "".
    double Number(Fld field) const;
    int32_t Integer() const { return m_level; }
    const std::string& Text(Fld field) const;

    int32_t m_next = -1;
    int32_t m_prev = -1;
    int32_t m_index = -1; // own list index, kept by CAngebotList

private:
    static int Slot(Fld field);

    std::array<double, 12> m_numbers{};
    int32_t m_level = 0;
    std::array<std::string, 19> m_texts;
};
