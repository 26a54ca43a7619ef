#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using Result = testsupport::CliResult;
using testsupport::ReadBytes;
using testsupport::RunCli;

using testsupport::Workspace;

} // namespace

TEST(Cli, DumpOfGaeb90WithSavedBidMatchesGoldenFile) {
    const fs::path dir = Workspace({"gaeb90/lv_basic.D83", "gaeb90/lv_basic.d84"});
    const Result r = RunCli({"dump", (dir / "lv_basic.D83").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, ReadBytes(fs::path(ORVAK_TEST_DATA) / "cli/lv_basic.dump"));
}

TEST(Cli, FailedOpenExitsWithGermanMessage) {
    const fs::path dir = Workspace({});
    const fs::path missing = dir / "fehlt.D83";
    Result r = RunCli({"dump", missing.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Die Datei " + missing.string() +
                         " kann nicht ge\xc3\xb6"
                         "ffnet werden. Stellen Sie sicher, da\xc3\x9f die Datei nicht in "
                         "Benutzung ist und das sie ein g\xc3\xbcltiges Format enth\xc3\xa4lt.\n\nDatei "
                         "nicht vorhanden\n");
    std::ofstream(dir / "kaputt.ovf", std::ios::binary) << "kein Projekt";
    r = RunCli({"dump", (dir / "kaputt.ovf").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("kaputt.ovf"), std::string::npos);
    EXPECT_NE(r.err.find("\n\nDatensatz 1: Die Datei endet mitten im Datensatz"), std::string::npos) << r.err;
    // A VAT rate that is no rate is refused before anything is written.
    r = RunCli({"convert", testsupport::FixturePath("gaeb90/lv_basic.D83").string(),
                (dir / "neu.ovf").string(), "--vat", "1e99"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Der Mehrwertsteuersatz 1e99 liegt nicht zwischen 0 und 100.\n");
    EXPECT_FALSE(fs::exists(dir / "neu.ovf"));
    EXPECT_EQ(RunCli({"frobnicate"}).code, 1);
    EXPECT_EQ(RunCli({"convert", "nur-eins"}).code, 1);
}

TEST(Cli, Gaeb2000ConvertWritesP84ThatIsReadInsteadOfTheP83) {
    const fs::path dir = Workspace({"p83/kita.P83"});
    const Result before = RunCli({"dump", (dir / "kita.P83").string()});
    ASSERT_EQ(before.code, 0) << before.err;
    ASSERT_EQ(RunCli({"convert", (dir / "kita.P83").string(), (dir / "kita.p84").string(), "--bidder",
                      "Müller Bau"})
                  .code,
              0);
    const std::string p84 = ReadBytes(dir / "kita.p84");
    EXPECT_NE(p84.find("[Name1]M\xfcller Bau[end]"), std::string::npos);
    // The saved bid beside the invitation (extension in any case) is read in its place.
    fs::rename(dir / "kita.P83", dir / "kita_orig.P83");
    std::ofstream(dir / "kita.P83") << "#begin[GAEB]\n#end[GAEB]\n";
    const Result after = RunCli({"dump", (dir / "kita.P83").string()});
    ASSERT_EQ(after.code, 0) << after.err;
    EXPECT_EQ(after.out, before.out);
    // Saving the reopened bid keeps the bidder although no bidder is given this time.
    ASSERT_EQ(RunCli({"convert", (dir / "kita.P83").string(), (dir / "again.P84").string()}).code, 0);
    EXPECT_NE(ReadBytes(dir / "again.P84").find("[Name1]M\xfcller Bau[end]"), std::string::npos);
}

TEST(Cli, PdfWritesTheBidAndOnFailureSaysWhyAndKeepsTheOldFile) {
    const fs::path dir = Workspace({"gaeb90/lv_basic.D83", "gaeb90/lv_basic.d84"});
    const fs::path pdf = dir / "bid.pdf";
    Result r = RunCli({"pdf", (dir / "lv_basic.D83").string(), pdf.string(), "--bidder", "Müller Bau"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string written = ReadBytes(pdf);
    EXPECT_EQ(written.substr(0, 5), "%PDF-");

    r = RunCli({"pdf", (dir / "lv_basic.D83").string(), (dir / "fehlt" / "bid.pdf").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Die Datei " + (dir / "fehlt" / "bid.pdf").string() +
                         " konnte nicht gespeichert werden. Die vorherige Fassung der Datei ist "
                         "unver\xc3\xa4ndert geblieben. Der Ordner der Datei ist nicht vorhanden.\n");

    // A bid without rows: nothing to print, the previous file stays.
    std::ofstream(dir / "leer.ovf", std::ios::binary) << "";
    r = RunCli({"pdf", (dir / "leer.ovf").string(), pdf.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(ReadBytes(pdf), written);
}
