#pragma once

#include <string>
#include <utility>

// The outcome of reading or writing a file: success, or failure with a German reason
// (Windows-1252) and, for readers, the line of the file where it applies (0: none).
class CIoResult {
public:
    CIoResult() = default;

    static CIoResult Success() { return CIoResult(); }
    static CIoResult Failure(std::string reason, int line = 0) {
        CIoResult result;
        result.m_ok = false;
        result.m_reason = std::move(reason);
        result.m_line = line;
        return result;
    }

    bool Ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const std::string& Reason() const { return m_reason; }
    int Line() const { return m_line; }

    // "Zeile 2317: <reason>", or the reason alone when no line applies; "" on success.
    std::string Describe() const {
        if (m_ok) return std::string();
        return m_line > 0 ? "Zeile " + std::to_string(m_line) + ": " + m_reason : m_reason;
    }

private:
    bool m_ok = true;
    std::string m_reason;
    int m_line = 0;
};
