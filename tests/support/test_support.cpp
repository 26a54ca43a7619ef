#include "support/test_support.h"

#include "common/text_util.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

fs::path g_current;

// Removes the folder of a test when the test ends.
class CFolderCleaner : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        if (g_current.empty()) return;
        std::error_code ec;
        fs::remove_all(g_current, ec);
        g_current.clear();
    }
};

std::string SafeName(std::string name) {
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

} // namespace

fs::path TestDir() {
    static const bool registered = [] {
        ::testing::UnitTest::GetInstance()->listeners().Append(new CFolderCleaner);
        return true;
    }();
    (void)registered;
    if (!g_current.empty()) return g_current;
    static std::atomic<unsigned> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name =
        info ? SafeName(std::string(info->test_suite_name()) + "." + info->name()) : "global";
    g_current = fs::temp_directory_path() /
                ("orvak-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(g_current);
    fs::create_directories(g_current);
    return g_current;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

fs::path FixturePath(const std::string& relative) {
    return fs::path(ORVAK_TEST_DATA) / relative;
}

fs::path Workspace(const std::vector<std::string>& fixtures) {
    const fs::path dir = TestDir() / "work";
    fs::create_directories(dir);
    for (const std::string& f : fixtures)
        fs::copy_file(FixturePath(f), dir / fs::path(f).filename(), fs::copy_options::overwrite_existing);
    return dir;
}

fs::path SamplesDir(const std::string& folder) {
    const fs::path dir = fs::path(ORVAK_SAMPLES) / folder;
    std::error_code ec;
    return fs::is_directory(dir, ec) ? dir : fs::path();
}

std::vector<fs::path> SampleFiles(const std::string& folder, const std::string& extension) {
    std::vector<fs::path> files;
    const fs::path dir = SamplesDir(folder);
    if (dir.empty()) return files;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (EndsWithNoCase(it->path().string(), extension)) files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

fs::path UnwritableFolder() {
    if (::geteuid() == 0) {
        std::error_code ec;
        return fs::is_directory("/sys", ec) ? fs::path("/sys") : fs::path();
    }
    const fs::path dir = TestDir() / "schreibgeschuetzt";
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    return dir;
}

} // namespace testsupport
