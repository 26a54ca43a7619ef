#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The per-user settings store: strings, 32-bit numbers and binary values by name.
// The product keeps them in QSettings, the tests in memory.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    // False when the value is missing or of another type.
    virtual bool GetString(const std::string& name, std::string& value) const = 0;
    virtual bool SetString(const std::string& name, const std::string& value) = 0;
    virtual bool GetNumber(const std::string& name, int32_t& value) const = 0;
    virtual bool SetNumber(const std::string& name, int32_t value) = 0;
    virtual bool GetBinary(const std::string& name, std::vector<uint8_t>& value) const = 0;
    virtual bool SetBinary(const std::string& name, const std::vector<uint8_t>& value) = 0;
    // Texts that are UTF-8, not Windows-1252: file paths. By default kept as strings
    // converted to Windows-1252; both stores keep them unchanged.
    virtual bool GetUtf8(const std::string& name, std::string& value) const;
    virtual bool SetUtf8(const std::string& name, const std::string& value);
};

class CMemorySettingsStore : public ISettingsStore {
public:
    bool GetString(const std::string& name, std::string& value) const override;
    bool SetString(const std::string& name, const std::string& value) override;
    bool GetNumber(const std::string& name, int32_t& value) const override;
    bool SetNumber(const std::string& name, int32_t value) override;
    bool GetBinary(const std::string& name, std::vector<uint8_t>& value) const override;
    bool SetBinary(const std::string& name, const std::vector<uint8_t>& value) override;
    bool GetUtf8(const std::string& name, std::string& value) const override;
    bool SetUtf8(const std::string& name, const std::string& value) override;

private:
    std::map<std::string, std::string> m_strings;
    std::map<std::string, int32_t> m_numbers;
    std::map<std::string, std::vector<uint8_t>> m_binaries;
};

// Every settings key of the application, behind typed accessors. Strings are
// Windows-1252 and at most 254 characters, as the store keeps them.
class CAppSettings {
public:
    explicit CAppSettings(ISettingsStore& store) : m_store(store) {}

    bool Bidder(std::string& value) const { return m_store.GetString("Bieter", value); }
    void SetBidder(const std::string& value) { m_store.SetString("Bieter", Cut(value)); }
    bool Currency(std::string& value) const { return m_store.GetString("Wrg", value); }
    void SetCurrency(const std::string& value) { m_store.SetString("Wrg", Cut(value)); }
    bool Vat(int32_t& value) const { return m_store.GetNumber("MWST", value); }
    void SetVat(int32_t value) { m_store.SetNumber("MWST", value); }

    bool PaneSize(int32_t& value) const { return m_store.GetNumber("PaneSize", value); }
    void SetPaneSize(int32_t value) { m_store.SetNumber("PaneSize", value); }
    bool Maximized(int32_t& value) const { return m_store.GetNumber("Maximized", value); }
    void SetMaximized(int32_t value) { m_store.SetNumber("Maximized", value); }
    bool Position(std::vector<uint8_t>& value) const { return m_store.GetBinary("Position", value); }
    void SetPosition(const std::vector<uint8_t>& value) { m_store.SetBinary("Position", value); }
    bool ColumnWidths(std::vector<uint8_t>& value) const { return m_store.GetBinary("HDSettings", value); }
    void SetColumnWidths(const std::vector<uint8_t>& value) { m_store.SetBinary("HDSettings", value); }

    // Recently used file n (1 to 4), section "Dateien"; paths are UTF-8 and not cut.
    bool RecentFile(int n, std::string& path) const;
    void SetRecentFile(int n, const std::string& path);

    ISettingsStore& Store() { return m_store; }

private:
    static std::string Cut(const std::string& value) { return value.substr(0, 254); }
    ISettingsStore& m_store;
};
