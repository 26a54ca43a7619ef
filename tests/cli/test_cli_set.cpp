#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using testsupport::RunCli;

using testsupport::Workspace;

// The dump's lines by OZ (the LV line under "LV"): the columns oz, quantity, ep, gp, surcharge,
// gpeff, vat, gpbrt, blank-separated.
std::map<std::string, std::string> DumpByOz(const fs::path& file) {
    const testsupport::CliResult r = RunCli({"dump", file.string()});
    EXPECT_EQ(r.code, 0) << r.err;
    std::map<std::string, std::string> rows;
    std::stringstream lines(r.out);
    std::string line;
    std::getline(lines, line); // the header
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::stringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            f.push_back(field);
        if (f.size() < 16) continue;
        const std::string key = f[1] == "L" ? "LV" : f[4];
        if (key.empty() || rows.count(key)) continue;
        rows[key] = f[6] + " " + f[10] + " " + f[11] + " " + f[12] + " " + f[13] + " " + f[14] + " " + f[15];
    }
    return rows;
}

} // namespace

TEST(CliSet, EntriesInAGaeb90BidReadBackFromTheD84) {
    const fs::path dir = Workspace({"gaeb90/lv_basic.D83", "gaeb90/lv_basic.d84"});
    const testsupport::CliResult r =
        RunCli({"convert", (dir / "lv_basic.D83").string(), (dir / "neu.D84").string(), "--set",
                "01.02.0010,EP=50", "--set", " 01.02.0050 ,Menge=9", "--set", "01.02.0070,Zuschlag=-10"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    fs::remove(dir / "lv_basic.d84");
    fs::rename(dir / "neu.D84", dir / "lv_basic.d84");
    const auto rows = DumpByOz(dir / "lv_basic.D83");
    // quantity ep gp surcharge gpeff vat gpbrt
    EXPECT_EQ(rows.at("01.02.0010"), "125.000 50.00 6250.00 15.00 7187.50 0.00 7187.50");
    EXPECT_EQ(rows.at("01.02.0050"), "9.000 60.00 540.00 0.00 540.00 0.00 540.00");
    // The surcharge position follows its basis: base sum 6250,00, 10 %.
    EXPECT_EQ(rows.at("01.02.0060"), "10.000 6250.00 625.00 0.00 625.00 0.00 625.00");
    EXPECT_EQ(rows.at("01.02.0070"), "20.000 20.00 400.00 -10.00 360.00 0.00 360.00");
    EXPECT_EQ(rows.at("01.02"), "0.000 0.00 9555.00 9.39 10452.50 0.00 10452.50");
    EXPECT_EQ(rows.at("LV"), "0.000 0.00 14050.00 6.39 14947.50 0.00 14947.50");
}

TEST(CliSet, EntriesInAGaeb2000BidReadBackFromTheP84) {
    const fs::path dir = Workspace({"p83/kita.P83"});
    const testsupport::CliResult r =
        RunCli({"convert", (dir / "kita.P83").string(), (dir / "kita.P84").string(), "--set",
                "01.01.0010,EP=2", "--set", "01.01.0020,Sonstiges=1", "--set", "01.01.0020,Lohn=0,5"});
    ASSERT_EQ(r.code, 0) << r.err;
    // The P84 beside the invitation is read in its place.
    const auto rows = DumpByOz(dir / "kita.P83");
    EXPECT_EQ(rows.at("01.01.0010"), "1250.000 2.00 2500.00 0.00 2500.00 0.00 2500.00");
    EXPECT_EQ(rows.at("01.01.0020"), "85.500 1.50 128.25 0.00 128.25 0.00 128.25");
    // The surcharge position follows both bases: 1000 + 2500 + 128,25, 5 %.
    EXPECT_EQ(rows.at("01.01.0030"), "5.000 3628.25 181.41 0.00 181.41 0.00 181.41");
    EXPECT_EQ(rows.at("01.01"), "0.000 0.00 2809.66 0.00 2809.66 0.00 2809.66");
    EXPECT_EQ(rows.at("LV"), "0.000 0.00 2809.66 0.00 2809.66 0.00 2809.66");
}

TEST(CliSet, RefusedEntriesWriteNothing) {
    const fs::path dir = Workspace({"gaeb90/lv_basic.D83", "gaeb90/lv_basic.d84"});
    const std::string in = (dir / "lv_basic.D83").string();
    const fs::path out = dir / "out.D84";
    struct Refusal {
        std::string option;
        std::string message;
    };
    const Refusal refusals[] = {
        {"09.99,EP=1", "--set 09.99,EP=1: Keine Zeile hat die Pos.-Nr. \xe2\x80\x9e"
                       "09.99\xe2\x80\x9c.\n"},
        {"01.02.0010,GP=1",
         "--set 01.02.0010,GP=1: Unbekannte Spalte \xe2\x80\x9eGP\xe2\x80\x9c; m\xc3\xb6gliche "
         "Spalten sind Menge, Sonstiges, Lohn, EP, Zuschlag und MWSt.\n"},
        {"01.02.0060,EP=1", "--set 01.02.0060,EP=1: In der Zeile mit der Pos.-Nr. \xe2\x80\x9e"
                            "01.02.0060\xe2\x80\x9c kann die Spalte \xe2\x80\x9e"
                            "EP\xe2\x80\x9c nicht bearbeitet werden.\n"},
        {"01.02.0010,EP=zwölf", "--set 01.02.0010,EP=zwölf: \xe2\x80\x9ezwölf\xe2\x80\x9c ist keine Zahl.\n"},
        {"01.02.0010=1", "--set 01.02.0010=1: Erwartet wird OZ,SPALTE=WERT, zum Beispiel \xe2\x80\x9e"
                         "01.02.0010,EP=12,50\xe2\x80\x9c.\n"},
    };
    for (const Refusal& refusal : refusals) {
        // A good entry before the refused one is not written either.
        const testsupport::CliResult r =
            RunCli({"convert", in, out.string(), "--set", "01.02.0020,EP=1", "--set", refusal.option});
        EXPECT_EQ(r.code, 1) << refusal.option;
        EXPECT_EQ(r.err, refusal.message);
        EXPECT_FALSE(fs::exists(out)) << refusal.option;
    }
    // An existing file stays as it was.
    testsupport::WriteBytes(out, "vorher");
    EXPECT_EQ(RunCli({"convert", in, out.string(), "--set", "01.02.0060,EP=1"}).code, 1);
    EXPECT_EQ(testsupport::ReadBytes(out), "vorher");
    EXPECT_EQ(RunCli({"convert", in, out.string(), "--set"}).code, 1); // the value is missing
}
