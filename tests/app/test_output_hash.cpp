// Every output of a generated 20,000-position LV against hashes checked in here: the dump as
// `orvak-cli dump` prints it, the D84, the P84 and the project file, each made by the same
// code path as the application. A change that alters a single byte of any of them fails here
// and names the output. When an output is meant to change, put the reported hash in its row.
#include "app/bid_document.h"
#include "app/record_dump.h"
#include "support/lv_generator.h"
#include "support/scripted_shell.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kPositions = 20000;

// FNV-1a, 64 bits: enough to tell outputs apart, no dependency.
std::string Fnv1a64(std::string_view bytes) {
    uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
}

struct SHashedOutput {
    const char* name;
    const char* expected;
    std::string actual;
};

void ExpectHashes(const std::vector<SHashedOutput>& outputs) {
    for (const SHashedOutput& o : outputs)
        EXPECT_EQ(o.actual, o.expected)
            << "Die Ausgabe \"" << o.name << "\" hat sich ge\xc3\xa4ndert (erwartet " << o.expected
            << ", jetzt " << o.actual << ").";
}

class OutputHash : public ::testing::Test {
protected:
    OutputHash() : m_settings(m_store), m_doc(m_shell, m_settings) {}

    // Opens as `orvak-cli dump` does (open, calculate) and returns the dump.
    std::string OpenAndDump(const fs::path& path, OpenType type) {
        EXPECT_TRUE(m_doc.OpenFile(path.string(), type)) << path;
        EXPECT_TRUE(m_shell.messages.empty()) << m_shell.messages.front();
        return DumpRecords(m_doc.List());
    }
    std::string SaveAs(const fs::path& path, OpenType type) {
        EXPECT_TRUE(m_doc.SaveTo(path.string(), type, nullptr)) << path;
        return testsupport::ReadBytes(path);
    }

    CScriptedShell m_shell;
    CMemorySettingsStore m_store;
    CAppSettings m_settings;
    CBidDocument m_doc;
};

TEST_F(OutputHash, Gaeb90BidDumpD84AndProjectFile) {
    const fs::path dir = testsupport::TestDir();
    const lvgen::SGaeb90Files files = lvgen::GenerateGaeb90({kPositions});
    ASSERT_TRUE(lvgen::WriteFile(dir / "lv.D83", files.d83));
    ASSERT_TRUE(lvgen::WriteFile(dir / "lv.d84", files.d84));

    const std::string dump = OpenAndDump(dir / "lv.D83", OpenType::Gaeb90);
    ASSERT_GT(m_doc.List().Count(), kPositions);
    const std::string d84 = SaveAs(dir / "out.D84", OpenType::Gaeb90);
    const std::string project = SaveAs(dir / "out.ovf", OpenType::Project);
    const std::string projectDump = OpenAndDump(dir / "out.ovf", OpenType::Project);

    ExpectHashes({{"Eingabe D83 (Generator)", "df65a66036f3eccc", Fnv1a64(files.d83)},
                  {"Eingabe d84 (Generator)", "00446fe704f89652", Fnv1a64(files.d84)},
                  {"dump D83+d84", "be0e752c51c6e718", Fnv1a64(dump)},
                  {"D84", "069b71aa54fe10ac", Fnv1a64(d84)},
                  {"Projektdatei", "4dc26b744bd1fe45", Fnv1a64(project)},
                  {"dump Projektdatei", "be0e752c51c6e718", Fnv1a64(projectDump)}});
}

TEST_F(OutputHash, Gaeb2000DumpAndP84) {
    const fs::path dir = testsupport::TestDir();
    const std::string p83 = lvgen::GenerateGaeb2000({kPositions});
    ASSERT_TRUE(lvgen::WriteFile(dir / "lv.P83", p83));

    const std::string dump = OpenAndDump(dir / "lv.P83", OpenType::Gaeb2000);
    ASSERT_GT(m_doc.List().Count(), kPositions);
    const std::string p84 = SaveAs(dir / "out.P84", OpenType::Gaeb2000);

    ExpectHashes({{"Eingabe P83 (Generator)", "9cdc9a48a48f5559", Fnv1a64(p83)},
                  {"dump P83", "38d02a563f54ffa4", Fnv1a64(dump)},
                  {"P84", "ddd77810415e5092", Fnv1a64(p84)}});
}

} // namespace
