#include "model/field_value.h"

const std::string& FieldValue::AsText() const {
    static const std::string empty;
    return IsText() ? std::get<std::string>(m_value) : empty;
}
