#pragma once

// What every test executable shares: a temporary folder per test, file bytes, and the
// places of the fixtures and of the shared sample files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// The running test's own folder below the system's temporary folder. Its name holds the
// test's name, the process id and a counter, so that parallel runs never share one; it is
// made on first use and removed with its contents when the test ends.
std::filesystem::path TestDir();

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// A fixture file of tests/data, e.g. "gaeb90/lv_basic.D83".
std::filesystem::path FixturePath(const std::string& relative);
// A folder in the test's folder holding copies of the fixture files, so that files written
// beside them (a saved bid) stay in the test's folder.
std::filesystem::path Workspace(const std::vector<std::string>& fixtures);

// A folder of the shared sample files (../shared/samples beside the source tree), e.g.
// "gaeb90"; empty when it is not there.
std::filesystem::path SamplesDir(const std::string& folder);
// The sample files of a folder with the extension (any case), sorted; none when the
// folder is absent.
std::vector<std::filesystem::path> SampleFiles(const std::string& folder, const std::string& extension);

// A folder in which creating a file fails with "permission denied": a folder without write
// permission, or, for root (who may write anywhere), a part of /sys. Empty when there is none.
std::filesystem::path UnwritableFolder();

} // namespace testsupport

// Skips the running test, saying so in the test output, when the sample folder is missing.
#define ORVAK_REQUIRE_SAMPLES(dir)                                                                           \
    do {                                                                                                     \
        if ((dir).empty())                                                                                   \
            GTEST_SKIP() << "Beispieldateien nicht vorhanden (../shared/samples), Test "                     \
                            "uebersprungen";                                                                 \
    } while (false)
