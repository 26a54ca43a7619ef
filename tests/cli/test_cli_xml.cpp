#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/xml_names.h"

#include "support/cli_runner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using CliRun = testsupport::CliResult;

fs::path Folder() {
    return testsupport::TestDir();
}

CliRun Cli(const std::vector<std::string>& args) {
    return testsupport::RunCli(args);
}

// The dump line of the record with the OZ.
std::string DumpLine(const std::string& dump, const std::string& oz) {
    std::stringstream lines(dump);
    std::string line;
    while (std::getline(lines, line))
        if (line.find("\t" + oz + "\t") != std::string::npos) return line;
    return std::string();
}

const fs::path kData = fs::path(ORVAK_TEST_DATA) / "gaebxml";

TEST(CliXml, DumpsEverySample) {
    const fs::path samples = testsupport::SamplesDir("gaebxml");
    ORVAK_REQUIRE_SAMPLES(samples);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(samples)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".X83" && ext != ".x83") continue;
        ++files;
        const CliRun r = Cli({"dump", entry.path().string()});
        EXPECT_EQ(r.code, 0) << entry.path() << r.err;
        EXPECT_NE(r.out.find("\tP\t"), std::string::npos) << entry.path();
    }
    EXPECT_EQ(files, 5);
}

TEST(CliXml, ConvertWritesABidWhoseTotalsAddUpAndWhichReadsBack) {
    const fs::path dir = Folder();
    fs::copy_file(kData / "lv_small.X83", dir / "kita.X83");
    // A priced bid beside the invitation is merged into the dump.
    fs::copy_file(kData / "lv_small_expected.X84", dir / "kita.X84");
    const CliRun dump = Cli({"dump", (dir / "kita.X83").string()});
    ASSERT_EQ(dump.code, 0) << dump.err;
    EXPECT_EQ(DumpLine(dump.out, "1 1  10"),
              "3\tP\t\tPos.\t1 1  10\tBaugrube ausheben\t120.500\tm3\t0.00\t0.00\t12.35"
              "\t1487.57\t0.00\t1487.57\t19.00\t1770.21");
    EXPECT_NE(DumpLine(dump.out, "1 1  30").find("\t42.000\tm2\t"),
              std::string::npos); // the bidder's quantity

    const fs::path out = dir / "out" / "bid.X84";
    fs::create_directories(out.parent_path());
    const CliRun convert =
        Cli({"convert", (dir / "kita.X83").string(), out.string(), "--bidder", "Bau GmbH"});
    ASSERT_EQ(convert.code, 0) << convert.err;
    CGaebXmlDocument bid;
    ASSERT_TRUE(bid.Load(out.string()).Ok());
    double items = 0.0;
    for (const pugi::xpath_node& it : bid.Root().select_nodes(
             "//*[local-name()='Item' or local-name()='MarkupItem']/*[local-name()='IT']"))
        items += std::atof(it.node().child_value());
    const pugi::xml_node totals = PathNamed(bid.Root(), "Award/BoQ/BoQInfo/Totals");
    EXPECT_EQ(ChildText(totals, "Total"), "5464.17");
    EXPECT_NEAR(items, 5464.17, 0.001);
    EXPECT_EQ(ChildText(PathNamed(bid.Root(), "Award/CTR/Address"), "Name1"), "Bau GmbH");

    // The new bid beside a copy of the invitation gives the same prices.
    fs::copy_file(kData / "lv_small.X83", out.parent_path() / "bid.x83");
    const CliRun again = Cli({"dump", (out.parent_path() / "bid.x83").string()});
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(again.out, dump.out);
}

} // namespace
