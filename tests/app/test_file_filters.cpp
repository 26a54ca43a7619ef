#include "app/file_filters.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(FileFilters, ParsesTheFilterList) {
    const std::vector<SFileFilter> filters = CFileFilters::Parse(
        "Angebotsdateien (*.ovf)|*.ovf|GAEB - Angebotsaufforderung (*.D83; *.P83)|*.D83; *.P83||");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "Angebotsdateien (*.ovf)");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.ovf"}));
    EXPECT_EQ(filters[1].description, "GAEB - Angebotsaufforderung (*.D83; *.P83)");
    EXPECT_EQ(filters[1].patterns, (std::vector<std::string>{"*.D83", "*.P83"}));
    EXPECT_EQ(CFileFilters::Extension(filters[0]), "ovf");
    EXPECT_EQ(CFileFilters::Extension(filters[1]), "D83");
    EXPECT_EQ(CFileFilters::Extension(SFileFilter{"Alle", {"*.*"}}), "");
    EXPECT_EQ(CFileFilters::Extension(SFileFilter{"Keine", {}}), "");
    EXPECT_TRUE(CFileFilters::Parse("").empty());
    EXPECT_EQ(CFileFilters::Parse("GAEB (*.D84)|*.D84|").size(), 1u); // without the closing "|"
}

TEST(FileFilters, AnyCaseAndExtension) {
    EXPECT_EQ(CFileFilters::AnyCasePattern("*.D83"), "*.[dD]83");
    EXPECT_EQ(CFileFilters::AnyCasePattern("*.ovf"), "*.[oO][vV][fF]");
    struct Case {
        const char* path;
        const char* extension;
        const char* result;
    };
    const Case cases[] = {
        {"/a/angebot", "D84", "/a/angebot.D84"},
        {"/a/angebot.D84", "D84", "/a/angebot.D84"},
        {"/a/angebot.d84", "D84", "/a/angebot.d84"},
        {"/a/angebot.txt", "D84", "/a/angebot.txt.D84"}, // never a D84 under another extension
        {"/a/Bau.GmbH", "P84", "/a/Bau.GmbH.P84"},
        {"/a/projekt", "ovf", "/a/projekt.ovf"},
        {"/a/projekt", "", "/a/projekt"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileFilters::WithExtension(c.path, c.extension), c.result) << c.path;
}

TEST(FileFilters, ExistingSpellingOfTheExtension) {
    namespace fs = std::filesystem;
    const fs::path dir = testsupport::TestDir();
    std::ofstream(dir / "Halle.d84") << "x";
    // The bid saved as NAME.D84 goes into the NAME.d84 that the open reads.
    EXPECT_EQ(CFileFilters::ExistingSpelling((dir / "Halle.D84").string()), (dir / "Halle.d84").string());
    EXPECT_EQ(CFileFilters::ExistingSpelling((dir / "Halle.d84").string()), (dir / "Halle.d84").string());
    // Only the extension may differ; nothing else is taken.
    EXPECT_EQ(CFileFilters::ExistingSpelling((dir / "halle.D84").string()), (dir / "halle.D84").string());
    EXPECT_EQ(CFileFilters::ExistingSpelling((dir / "Neu.D84").string()), (dir / "Neu.D84").string());
    EXPECT_EQ(CFileFilters::ExistingSpelling((dir / "Halle").string()), (dir / "Halle").string());
}
