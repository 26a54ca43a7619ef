#include "model/angebot.h"

#include <new>

CAngebot::CAngebot() = default;

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

const std::string& CAngebot::Text(Fld field) const {
    static const std::string empty;
    return IsValidField(field) && TypeOfField(field) == FieldType::Text ? m_texts[Slot(field)] : empty;
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
        try {
            m_texts[Slot(field)] = value.AsText();
        } catch (const std::bad_alloc&) {
            return 0;
        }
        return 1;
    }
    return 0;
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
            value = FieldValue(m_texts[Slot(field)]);
        } catch (const std::bad_alloc&) {
            return 0;
        }
        return 1;
    }
    return 0;
}
