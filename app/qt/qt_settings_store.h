#pragma once

#include "app/settings_store.h"

#include <QSettings>

// The settings store of the product: QSettings with organisation "Valdorhaus" and
// application "Tessaron_Orvak". Texts are Windows-1252 in the core, Unicode in QSettings.
class CQtSettingsStore : public ISettingsStore {
public:
    CQtSettingsStore();

    bool GetString(const std::string& name, std::string& value) const override;
    bool SetString(const std::string& name, const std::string& value) override;
    bool GetNumber(const std::string& name, int32_t& value) const override;
    bool SetNumber(const std::string& name, int32_t value) override;
    bool GetBinary(const std::string& name, std::vector<uint8_t>& value) const override;
    bool SetBinary(const std::string& name, const std::vector<uint8_t>& value) override;
    bool GetUtf8(const std::string& name, std::string& value) const override;
    bool SetUtf8(const std::string& name, const std::string& value) override;

private:
    mutable QSettings m_settings;
};
