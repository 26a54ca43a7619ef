#include "app/bid_document.h"
#include "app/bidder_fields.h"
#include "app/messages.h"
#include "app/record_dump.h"
#include "model/calculation.h"
#include "support/scripted_shell.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

fs::path Folder() {
    return testsupport::TestDir();
}

const fs::path kSamples = fs::path(ORVAK_SAMPLES);

struct XmlDocument : ::testing::Test {
    CScriptedShell shell;
    CMemorySettingsStore store;
    CAppSettings settings{store};
    CBidDocument doc{shell, settings};
};

// Position rows of a dump: OZ, short text, quantity and unit.
std::vector<std::string> Positions(const std::string& dump, bool withOz) {
    std::vector<std::string> rows;
    std::stringstream lines(dump);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        std::stringstream parts(line);
        std::string cell;
        while (std::getline(parts, cell, '\t'))
            cells.push_back(cell);
        if (cells.size() > 7 && cells[1] == "P")
            rows.push_back((withOz ? cells[4] + "|" : std::string()) + cells[5] + "|" + cells[6] + "|" +
                           cells[7]);
    }
    return rows;
}

TEST_F(XmlDocument, SamplesOpenAndAgreeWithTheirGaeb90AndGaeb2000Versions) {
    ORVAK_REQUIRE_SAMPLES(testsupport::SamplesDir("gaebxml"));
    for (const auto& entry : fs::directory_iterator(kSamples / "gaebxml")) {
        if (CBidDocument::TypeForPath(entry.path().string()) != OpenType::GaebXml) continue;
        EXPECT_TRUE(doc.OpenFile(entry.path().string(), OpenType::GaebXml))
            << entry.path() << ": " << (shell.messages.empty() ? "" : shell.messages.back());
        EXPECT_FALSE(Positions(DumpRecords(doc.List()), true).empty()) << entry.path();
    }
    for (const char* lot : {"LV_Los01", "LV_Los02"}) {
        ASSERT_TRUE(
            doc.OpenFile((kSamples / "gaebxml" / (std::string(lot) + ".X83")).string(), OpenType::GaebXml));
        const std::string xml = DumpRecords(doc.List());
        ASSERT_TRUE(
            doc.OpenFile((kSamples / "gaeb90" / (std::string(lot) + ".D83")).string(), OpenType::Gaeb90));
        EXPECT_EQ(Positions(xml, true), Positions(DumpRecords(doc.List()), true)) << lot;
        ASSERT_TRUE(
            doc.OpenFile((kSamples / "gaeb2000" / (std::string(lot) + ".P83")).string(), OpenType::Gaeb2000));
        // The GAEB 2000 file writes its numbers zero-padded: all else agrees.
        EXPECT_EQ(Positions(xml, false), Positions(DumpRecords(doc.List()), false)) << lot;
    }
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(XmlDocument, PricedSavedAndReopenedWithThePrices) {
    const fs::path dir = Folder();
    const fs::path x83 = dir / "kita.X83";
    fs::copy_file(fs::path(ORVAK_TEST_DATA) / "gaebxml" / "lv_small.X83", x83);
    ASSERT_TRUE(doc.OpenFile(x83.string(), CBidDocument::TypeForPath(x83.string())));
    CAngebotList& list = doc.List();
    int priced = 0;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.GetChar(i, Fld::Kind) != Kind::Position || list.GetText(i, Fld::Unit) == "%") continue;
        list.SetDouble(i, Fld::UnitPrice, 10.0 + i); // as the grid takes an entry
        RecalcPosition(list, i);
        ++priced;
    }
    ASSERT_EQ(priced, 9);
    shell.savePath = (dir / "kita.X84").string();
    shell.saveBidder = "Bau GmbH";
    ASSERT_TRUE(doc.SaveCommand(0));
    EXPECT_EQ(shell.lastFilters, "GAEB - Angebotsabgabe (*.X84)|*.X84||");
    EXPECT_EQ(shell.lastProposed, (dir / "kita").string());
    const std::string before = DumpRecords(list);

    ASSERT_TRUE(doc.OpenFile(x83.string(), OpenType::GaebXml));
    EXPECT_EQ(DumpRecords(doc.List()), before);
    CBidderFields fields(doc.List(), settings);
    fields.Open(0);
    EXPECT_EQ(fields.Bidder(), "Bau GmbH");
    EXPECT_TRUE(shell.messages.empty());
}

} // namespace
