#include "app/settings_store.h"

#include "common/code_page.h"

namespace {

template <typename Map, typename T> bool Lookup(const Map& map, const std::string& name, T& value) {
    auto it = map.find(name);
    if (it == map.end()) return false;
    value = it->second;
    return true;
}

} // namespace

bool CMemorySettingsStore::GetString(const std::string& name, std::string& value) const {
    return Lookup(m_strings, name, value);
}

bool CMemorySettingsStore::SetString(const std::string& name, const std::string& value) {
    m_numbers.erase(name);
    m_binaries.erase(name);
    m_strings[name] = value;
    return true;
}

bool CMemorySettingsStore::GetNumber(const std::string& name, int32_t& value) const {
    return Lookup(m_numbers, name, value);
}

bool CMemorySettingsStore::SetNumber(const std::string& name, int32_t value) {
    m_strings.erase(name);
    m_binaries.erase(name);
    m_numbers[name] = value;
    return true;
}

bool CMemorySettingsStore::GetBinary(const std::string& name, std::vector<uint8_t>& value) const {
    return Lookup(m_binaries, name, value);
}

bool CMemorySettingsStore::SetBinary(const std::string& name, const std::vector<uint8_t>& value) {
    m_strings.erase(name);
    m_numbers.erase(name);
    m_binaries[name] = value;
    return true;
}

bool ISettingsStore::GetUtf8(const std::string& name, std::string& value) const {
    std::string text;
    if (!GetString(name, text)) return false;
    value = Cp1252ToUtf8(text);
    return true;
}

bool ISettingsStore::SetUtf8(const std::string& name, const std::string& value) {
    return SetString(name, Utf8ToCp1252(value));
}

bool CMemorySettingsStore::GetUtf8(const std::string& name, std::string& value) const {
    return GetString(name, value);
}

bool CMemorySettingsStore::SetUtf8(const std::string& name, const std::string& value) {
    return SetString(name, value);
}

bool CAppSettings::RecentFile(int n, std::string& path) const {
    return m_store.GetUtf8("Dateien/datei" + std::to_string(n), path);
}

void CAppSettings::SetRecentFile(int n, const std::string& path) {
    m_store.SetUtf8("Dateien/datei" + std::to_string(n), path);
}
