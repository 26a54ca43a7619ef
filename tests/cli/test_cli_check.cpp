#include "model/calculation.h"
#include "model/info_blocks.h"
#include "model/project_file.h"
#include "support/cli_runner.h"
#include "support/record_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using testsupport::CliResult;
using testsupport::RunCli;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream s(text);
    std::string part;
    while (std::getline(s, part, separator))
        parts.push_back(part);
    return parts;
}

// The check's lines as (OZ, text).
std::vector<std::pair<std::string, std::string>> Findings(const CliResult& r) {
    std::vector<std::pair<std::string, std::string>> findings;
    for (const std::string& line : Split(r.out, '\n')) {
        const size_t tab = line.find('\t');
        EXPECT_NE(tab, std::string::npos) << line;
        if (tab != std::string::npos) findings.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    }
    return findings;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

fs::path Copy(const fs::path& file) {
    const fs::path target = testsupport::TestDir() / file.filename();
    fs::copy_file(file, target);
    return target;
}

} // namespace

TEST(CliCheck, ExitCodesAndLines) {
    const fs::path dir = testsupport::TestDir();
    CliResult r = RunCli({"check", (dir / "fehlt.D83").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("fehlt.D83"), std::string::npos);
    EXPECT_EQ(RunCli({"check"}).code, 1);

    const fs::path d83 = Copy(testsupport::FixturePath("gaeb90/lv_basic.D83"));
    r = RunCli({"check", d83.string()});
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_EQ(r.err, "");
    const auto findings = Findings(r);
    ASSERT_GE(findings.size(), 3u);
    // The whole bid first, without an OZ (the D83 names its currency, not the bidder).
    EXPECT_EQ(findings[0], (std::pair<std::string, std::string>{"", "Kein Bieter angegeben"}));
    EXPECT_EQ(findings[1],
              (std::pair<std::string, std::string>{"", "Keine Position hat einen Mehrwertsteuersatz"}));
    EXPECT_FALSE(findings[2].first.empty());
    size_t prices = 0;
    for (const auto& [oz, text] : findings)
        if (StartsWith(text, "Einheitspreis fehlt (")) {
            EXPECT_FALSE(oz.empty());
            ++prices;
        }
    EXPECT_GT(prices, 0u);
}

// LV_Los01.D83 with bidder, currency, VAT and one entry per finding: nothing is missing any more.
TEST(CliCheck, ConvertedWithAnEntryPerFindingTheCheckIsEmpty) {
    const fs::path samples = testsupport::SamplesDir("gaeb90");
    ORVAK_REQUIRE_SAMPLES(samples);
    const fs::path d83 = Copy(samples / "LV_Los01.D83");
    const CliResult before = RunCli({"check", d83.string()});
    ASSERT_EQ(before.code, 2) << before.err;
    std::vector<std::string> args = {"convert",  d83.string(), (d83.parent_path() / "bid.ovf").string(),
                                     "--bidder", "Bau GmbH",   "--currency",
                                     "EUR",      "--vat",      "19"};
    size_t entries = 0;
    for (const auto& [oz, text] : Findings(before)) {
        if (oz.empty()) continue; // bidder, currency, VAT: the options above
        std::string column;
        if (StartsWith(text, "Einheitspreis fehlt"))
            column = "EP=12,50";
        else if (StartsWith(text, "Zuschlagssatz") || StartsWith(text, "Bietermenge"))
            column = "Menge=3";
        ASSERT_FALSE(column.empty()) << oz << " " << text;
        args.push_back("--set");
        args.push_back(oz + "," + column);
        ++entries;
    }
    EXPECT_GE(entries, 13u); // the 13 positions of the LV
    const CliResult convert = RunCli(args);
    ASSERT_EQ(convert.code, 0) << convert.err;
    const CliResult after = RunCli({"check", (d83.parent_path() / "bid.ovf").string()});
    EXPECT_EQ(after.code, 0) << after.out;
    EXPECT_EQ(after.out, "");
    EXPECT_EQ(after.err, "");
}
