// orvak-cli loads Qt only for `pdf`, from a module beside it (build) or in lib/orvak (installed).
#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

using testsupport::ReadBytes;
using testsupport::ShellQuoted;
using testsupport::TestDir;

// Runs a copy of the tool at `program` with standard error captured.
testsupport::CliResult RunProgram(const fs::path& program, const std::vector<std::string>& args) {
    const fs::path errFile = TestDir() / "stderr.txt";
    std::string command = ShellQuoted(program.string());
    for (const std::string& a : args)
        command += " " + ShellQuoted(a);
    command += " >/dev/null 2>" + ShellQuoted(errFile.string());
    const int status = std::system(command.c_str());
    testsupport::CliResult result;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadBytes(errFile);
    return result;
}

// A copy of the tool in `bin` below the test's folder; the module is copied only when asked,
// to where an installed tool looks for it.
fs::path InstallCopy(bool withModule) {
    const fs::path root = TestDir() / "usr";
    fs::create_directories(root / "bin");
    fs::copy_file(ORVAK_CLI, root / "bin" / "orvak-cli");
    if (withModule) {
        const fs::path moduleDir = root / "bin" / ORVAK_PDF_MODULE_DIR;
        fs::create_directories(moduleDir);
        fs::copy_file(ORVAK_PDF_MODULE, moduleDir / fs::path(ORVAK_PDF_MODULE).filename());
    }
    return root / "bin" / "orvak-cli";
}

TEST(CliPdfModule, ToolLinksNoQt) {
    FILE* pipe = popen(("ldd " + ShellQuoted(ORVAK_CLI) + " 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string libraries;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        libraries.append(buffer, n);
    if (pclose(pipe) != 0) GTEST_SKIP() << "ldd nicht verfuegbar: " << libraries;
    EXPECT_EQ(libraries.find("libQt6"), std::string::npos) << libraries;
    EXPECT_NE(libraries.find("libc.so"), std::string::npos) << libraries;
}

TEST(CliPdfModule, MissingOrBrokenModuleIsReportedAndWritesNothing) {
    const fs::path program = InstallCopy(false);
    const fs::path pdf = TestDir() / "bid.pdf";
    const std::vector<std::string> args = {"pdf", testsupport::FixturePath("gaeb90/lv_basic.D83").string(),
                                           pdf.string()};
    auto r = RunProgram(program, args);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Der PDF-Export ist nicht installiert: orvak-cli-pdf.so wurde weder in "),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(pdf));
    // The other commands never need it.
    EXPECT_EQ(RunProgram(program, {"dump", args[1]}).code, 0);

    testsupport::WriteBytes(program.parent_path() / "orvak-cli-pdf.so", "kein Modul");
    r = RunProgram(program, args);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("konnte nicht geladen werden"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(pdf));
}

} // namespace
