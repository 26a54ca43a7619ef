#include "app/recent_file_list.h"

#include "common/text_util.h"

#include <algorithm>

namespace {

// Number of characters of a UTF-8 text.
size_t Utf8Length(const std::string& text) {
    return static_cast<size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; }));
}

// The first `count` characters of a UTF-8 text.
std::string Utf8Prefix(const std::string& text, size_t count) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xc0) != 0x80) {
            if (chars == count) return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

} // namespace

void CRecentFileList::Load(const CAppSettings& settings) {
    m_paths.clear();
    for (int n = 1; n <= kMaxEntries; ++n) {
        std::string path;
        if (!settings.RecentFile(n, path) || path.empty()) continue;
        if (std::find(m_paths.begin(), m_paths.end(), path) == m_paths.end()) m_paths.push_back(path);
    }
}

void CRecentFileList::Save(CAppSettings& settings) const {
    for (int n = 0; n < kMaxEntries; ++n)
        settings.SetRecentFile(n + 1, Path(n));
}

void CRecentFileList::Add(const std::string& path) {
    if (path.empty()) return;
    m_paths.erase(std::remove(m_paths.begin(), m_paths.end(), path), m_paths.end());
    m_paths.insert(m_paths.begin(), path);
    if (m_paths.size() > static_cast<size_t>(kMaxEntries)) m_paths.resize(kMaxEntries);
}

void CRecentFileList::Remove(int n) {
    if (n >= 0 && n < Count()) m_paths.erase(m_paths.begin() + n);
}

std::string CRecentFileList::Path(int n) const {
    return n >= 0 && n < Count() ? m_paths[static_cast<size_t>(n)] : std::string();
}

std::string CRecentFileList::DisplayName(int n) const {
    const std::string path = Path(n);
    if (Utf8Length(path) <= kDisplayLength) return path;
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string ellipsis = "/...";
    if (Utf8Length(name) + ellipsis.size() + 1 > kDisplayLength)
        return Utf8Prefix(name, kDisplayLength - 3) + "...";
    // Whole folders from the end while they fit in front of the file name.
    std::string tail = "/" + name;
    size_t end = slash;
    while (end != std::string::npos && end > 0) {
        const size_t start = path.find_last_of('/', end - 1);
        if (start == std::string::npos) break;
        const std::string longer = path.substr(start, end - start) + tail;
        if (Utf8Length(longer) + ellipsis.size() > kDisplayLength) break;
        tail = longer;
        end = start;
    }
    return ellipsis + tail;
}

std::string CRecentFileList::MenuText(int n) const {
    return "&" + std::to_string(n + 1) + " " + ReplaceAll(DisplayName(n), "&", "&&");
}
