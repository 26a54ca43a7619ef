#pragma once

#include <cstdint>
#include <string>
#include <variant>

// The tagged value that SetField and GetField take and give: empty, a double,
// a 32-bit integer or a Windows-1252 text.
class FieldValue {
public:
    FieldValue() = default;
    explicit FieldValue(double d) : m_value(d) {}
    explicit FieldValue(int32_t i) : m_value(i) {}
    explicit FieldValue(std::string s) : m_value(std::move(s)) {}
    explicit FieldValue(const char* s) : m_value(std::string(s)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool IsDouble() const { return std::holds_alternative<double>(m_value); }
    bool IsInt() const { return std::holds_alternative<int32_t>(m_value); }
    bool IsText() const { return std::holds_alternative<std::string>(m_value); }

    // Typed access; a value of another type gives 0 or "".
    double AsDouble() const { return IsDouble() ? std::get<double>(m_value) : 0.0; }
    int32_t AsInt() const { return IsInt() ? std::get<int32_t>(m_value) : 0; }
    const std::string& AsText() const;

    // Same type and same content; doubles compared exactly.
    bool operator==(const FieldValue& other) const = default;

private:
    std::variant<std::monostate, double, int32_t, std::string> m_value;
};
