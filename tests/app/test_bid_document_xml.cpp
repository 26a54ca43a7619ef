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

TEST_F(XmlDocument, OpenTypeByExtensionAndRootElement) {
    const fs::path dir = Folder();
    std::ofstream(dir / "a.x83") << "not even XML";
    std::ofstream(dir / "b.xml") << "<?xml version=\"1.0\"?>\n<GAEB xmlns=\"u\"/>";
    std::ofstream(dir / "c.xml") << "<?xml version=\"1.0\"?>\n<Other/>";
    EXPECT_EQ(CBidDocument::TypeForPath((dir / "a.x83").string()), OpenType::GaebXml);
    EXPECT_EQ(CBidDocument::TypeForPath((dir / "missing.X84").string()), OpenType::GaebXml);
    EXPECT_EQ(CBidDocument::TypeForPath((dir / "b.xml").string()), OpenType::GaebXml);
    EXPECT_EQ(CBidDocument::TypeForPath((dir / "c.xml").string()), OpenType::Gaeb90);
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

TEST_F(XmlDocument, BrokenFilesFailWithTheReason) {
    const fs::path dir = Folder();
    const fs::path broken = dir / "broken.X83";
    std::ofstream(broken) << "<?xml version=\"1.0\"?>\n<GAEB>\n<Award>\n<BoQ>\n</Award>\n</GAEB>\n";
    EXPECT_FALSE(doc.OpenFile(broken.string(), OpenType::GaebXml));
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].substr(0, Msg::Format(Msg::CannotOpen, broken.string()).size() + 13),
              Msg::Format(Msg::CannotOpen, broken.string()) + "\r\n\r\nZeile 5: ");
    EXPECT_FALSE(doc.IsOpen());
    EXPECT_EQ(doc.List().Count(), 0);

    // A saved bid that cannot be read stops the open rather than hiding its prices.
    const fs::path x83 = dir / "lv.X83";
    fs::copy_file(fs::path(ORVAK_TEST_DATA) / "gaebxml" / "lv_small.X83", x83);
    std::ofstream(dir / "lv.x84") << "<GAEB><Award>";
    EXPECT_FALSE(doc.OpenFile(x83.string(), OpenType::GaebXml));
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_NE(shell.messages[1].find("lv.x84"), std::string::npos) << shell.messages[1];
}

// A number no bid holds is refused with its element and line, as in the other formats.
TEST_F(XmlDocument, NumbersThatAreNoNumbersAreRefusedWithTheLine) {
    const fs::path x83 = Folder() / "zahl.X83";
    std::string text = testsupport::ReadBytes(testsupport::FixturePath("gaebxml/lv_small.X83"));
    const size_t at = text.find("<Qty>120.500</Qty>");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 18, "<Qty>1e400</Qty>");
    testsupport::WriteBytes(x83, text);
    EXPECT_FALSE(doc.OpenFile(x83.string(), OpenType::GaebXml));
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_NE(shell.messages[0].find("\r\n\r\nZeile 86: Der Wert von <Qty> ist keine g\xfcltige Zahl"),
              std::string::npos)
        << shell.messages[0];
    EXPECT_EQ(doc.List().Count(), 0);
}

} // namespace
