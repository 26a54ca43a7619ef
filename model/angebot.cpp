#include "model/angebot.h"

#include <new>

CAngebot::CAngebot() = default;

// Position of a field in the storage array of its type.
int CAngebot::Slot(int field) {
    switch (TypeOfField(field)) {
    case FieldType::Double:
        return field <= Fld::SortNo ? field : field - Fld::Quantity + 3;
    case FieldType::Int:
        return 0;
    case FieldType::Text:
        if (field == Fld::RefMark) return 0;
        if (field <= Fld::SupplementIndex) return field - Fld::Kind + 1;
        return field - Fld::BidderTexts + 16;
    }
    return 0;
}

int CAngebot::SetField(const FieldValue& value, int field) {
    if (field < 0 || field >= Fld::Count) return 0;
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

int CAngebot::GetField(FieldValue& value, int field) const {
    if (field < 0 || field >= Fld::Count) return 0;
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
