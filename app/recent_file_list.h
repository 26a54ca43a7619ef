#pragma once

#include "app/settings_store.h"

#include <string>
#include <vector>

// The recently used files of the "Datei" menu: at most four paths (UTF-8), the most recent
// first, kept in the settings section "Dateien" as "datei1" to "datei4".
class CRecentFileList {
public:
    static constexpr int kMaxEntries = 4;
    static constexpr size_t kDisplayLength = 30;

    // Reads the entries; empty entries and repeated paths are skipped.
    void Load(const CAppSettings& settings);
    // Writes all four entries; unused ones as empty texts.
    void Save(CAppSettings& settings) const;

    // Puts the path in front; an entry for the same path moves there; the fifth goes.
    void Add(const std::string& path);
    // Removes entry n (0-based); nothing for a number out of range.
    void Remove(int n);

    int Count() const { return static_cast<int>(m_paths.size()); }
    // Entry n, "" out of range.
    std::string Path(int n) const;
    // The name shown in the menu: the path when it has at most 30 characters, else its
    // end after "/..." (as many whole folders as fit before the file name), else the first
    // 27 characters of the file name followed by "...".
    std::string DisplayName(int n) const;
    // The menu text "&1 name" .. "&4 name", with "&" in the name doubled.
    std::string MenuText(int n) const;

private:
    std::vector<std::string> m_paths;
};
