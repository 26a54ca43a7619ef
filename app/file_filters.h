#pragma once

#include <string>
#include <vector>

// One entry of a file dialog's filter list: the text shown and the name patterns.
struct SFileFilter {
    std::string description;           // "GAEB - Angebotsabgabe (*.D84)"
    std::vector<std::string> patterns; // "*.D84"
};

// The filter lists of the file dialogs, written as "description|patterns|...|" with the
// patterns separated by ";" (blanks around them are dropped) and ended by an empty entry.
class CFileFilters {
public:
    static std::vector<SFileFilter> Parse(const std::string& list);

    // The extension of a filter's first pattern without the dot ("D84" for "*.D84"),
    // "" when it has none or it contains a wildcard.
    static std::string Extension(const SFileFilter& filter);

    // A pattern that matches the names of any letter case: "*.D84" -> "*.[dD]84".
    static std::string AnyCasePattern(const std::string& pattern);

    // The path with the extension: unchanged when it already ends in "." + extension in any
    // letter case, else with "." + extension appended (also behind another extension, so
    // that a file is never written under an extension its type does not have).
    static std::string WithExtension(const std::string& path, const std::string& extension);

    // The file to write for a chosen path: the path itself when it exists or no file of the
    // same name with the extension in another letter case does, else that file. Files come
    // from a platform whose names ignore case; writing NAME.D84 beside an existing NAME.d84
    // would leave two bids, and the open would read the old one.
    static std::string ExistingSpelling(const std::string& path);
};
