#pragma once

#include "gaeb90/gaeb_converter.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// An 80-column GAEB 90 line: the type in columns 1-2, each text at its 1-based column,
// blanks elsewhere and a sequence number in columns 75-80.
inline std::string Rec(const std::string& type,
                       std::initializer_list<std::pair<int, std::string>> fields = {}) {
    std::string line(74, ' ');
    line.replace(0, type.size(), type);
    for (const auto& [col, text] : fields)
        line.replace(static_cast<size_t>(col - 1), text.size(), text);
    line.resize(74, ' ');
    return line + "000001";
}

inline std::string JoinRecords(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

inline std::string FixturePath(const std::string& name) {
    return testsupport::FixturePath("gaeb90/" + name).string();
}

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// The running test's folder, with "/" to name a file in it.
class TempFolder {
public:
    TempFolder() : m_path(testsupport::TestDir()) {}
    std::string operator/(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A converter on its own list, fed line by line.
struct ConverterFixture : ::testing::Test {
    CAngebotList list;
    CGaebConverter conv{list};

    // True when every line is accepted.
    bool Feed(const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            if (!conv.ParseRecord(line)) return false;
        return true;
    }
    // Records 00 and 01 of an LV with the key 1122PPPPI: the LV is record 0, level 2 is open.
    bool Header() { return Feed({Rec("00", {{11, "83L"}, {63, "1122PPPPI"}}), Rec("01", {{3, "Test-LV"}})}); }
    std::string Text(int index, Fld field) const { return list.GetText(index, field); }
    // Text fields of a record, each followed by "|", to compare them in one go.
    std::string Texts(int index, std::initializer_list<Fld> fields) const {
        std::string joined;
        for (Fld field : fields)
            joined += Text(index, field) + "|";
        return joined;
    }
    double Num(int index, Fld field) const { return list.GetDouble(index, field); }
    int Last() const { return list.Count() - 1; }
};
