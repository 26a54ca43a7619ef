#include "app/file_filters.h"

#include "common/safe_file.h"
#include "common/text_util.h"

#include <filesystem>

#include <cctype>

std::vector<SFileFilter> CFileFilters::Parse(const std::string& list) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t bar = list.find('|', start);
        if (bar == std::string::npos) {
            parts.push_back(list.substr(start));
            break;
        }
        parts.push_back(list.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<SFileFilter> filters;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) break;
        SFileFilter filter;
        filter.description = parts[i];
        size_t from = 0;
        const std::string& patterns = parts[i + 1];
        while (from <= patterns.size()) {
            size_t semicolon = patterns.find(';', from);
            if (semicolon == std::string::npos) semicolon = patterns.size();
            const std::string pattern = Trim(patterns.substr(from, semicolon - from));
            if (!pattern.empty()) filter.patterns.push_back(pattern);
            from = semicolon + 1;
        }
        filters.push_back(filter);
    }
    return filters;
}

std::string CFileFilters::Extension(const SFileFilter& filter) {
    if (filter.patterns.empty()) return std::string();
    const std::string& pattern = filter.patterns.front();
    const size_t dot = pattern.rfind('.');
    if (dot == std::string::npos) return std::string();
    const std::string extension = pattern.substr(dot + 1);
    if (extension.empty() || extension.find_first_of("*?[") != std::string::npos) return std::string();
    return extension;
}

std::string CFileFilters::AnyCasePattern(const std::string& pattern) {
    std::string result;
    for (const char c : pattern) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalpha(u) && u < 0x80) {
            result += '[';
            result += static_cast<char>(std::tolower(u));
            result += static_cast<char>(std::toupper(u));
            result += ']';
        } else {
            result += c;
        }
    }
    return result;
}

std::string CFileFilters::WithExtension(const std::string& path, const std::string& extension) {
    if (extension.empty() || path.empty()) return path;
    if (EndsWithNoCase(path, "." + extension)) return path;
    return path + "." + extension;
}

std::string CFileFilters::ExistingSpelling(const std::string& path) {
    const std::filesystem::path p(path);
    const std::string extension = p.extension().string();
    if (extension.empty()) return path;
    const std::string existing = FindFileBeside(path, extension);
    return existing.empty() ? path : existing;
}
