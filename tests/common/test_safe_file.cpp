// The file layer: what a failed read or write says.

#include "common/safe_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(SafeFile, WriteFailuresNameTheCauseAndKeepTheOldFile) {
    const fs::path dir = testsupport::TestDir();
    const std::string target = (dir / "bid.D84").string();
    ASSERT_TRUE(WriteFileReplacing(target, "alt"));
    ASSERT_TRUE(WriteFileReplacing(target, "neu"));
    EXPECT_EQ(testsupport::ReadBytes(target), "neu");

    EXPECT_EQ(WriteFileReplacing((dir / "fehlt" / "x.D84").string(), "x").Reason(),
              "Datei oder Ordner nicht vorhanden");
    EXPECT_EQ(WriteFileReplacing(dir.string(), "x").Reason(), "Der Pfad bezeichnet einen Ordner");
    const fs::path locked = testsupport::UnwritableFolder();
    if (!locked.empty()) {
        EXPECT_EQ(WriteFileReplacing((locked / "x.D84").string(), "x").Reason(), "Zugriff verweigert");
    }
    // Nothing but the written file is left behind, no temporary file either.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()),
              locked.empty() || locked.parent_path() != dir ? 1 : 2);
    EXPECT_EQ(testsupport::ReadBytes(target), "neu");
}

TEST(SafeFile, FileWrittenInPiecesReplacesTheTargetOnlyWhenCommitted) {
    const fs::path dir = testsupport::TestDir();
    const std::string target = (dir / "bid.P84").string();
    ASSERT_TRUE(WriteFileReplacing(target, "alt"));
    {
        // A writer that gives up (an exception, a failed step) leaves the old file alone.
        CReplacingFile file(target);
        EXPECT_TRUE(file.Write("halb"));
    }
    EXPECT_EQ(testsupport::ReadBytes(target), "alt");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    CReplacingFile file(target);
    EXPECT_TRUE(file.Write("neu, "));
    EXPECT_TRUE(file.Write("in Teilen"));
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(testsupport::ReadBytes(target), "neu, in Teilen");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    CReplacingFile missing((dir / "fehlt" / "x.P84").string());
    EXPECT_FALSE(missing.Write("x"));
    EXPECT_EQ(missing.Commit().Reason(), "Datei oder Ordner nicht vorhanden");
}

TEST(SafeFile, ReadRefusesWhatIsNoRegularFile) {
    std::string data;
    EXPECT_EQ(ReadWholeFile("/dev/zero", data).Reason(), "Keine gew\xf6hnliche Datei (Ger\xe4t oder Pipe)");
    EXPECT_EQ(ReadWholeFile(testsupport::TestDir().string(), data).Reason(),
              "Der Pfad bezeichnet einen Ordner");
    const std::string big = (testsupport::TestDir() / "big").string();
    ASSERT_TRUE(WriteFileReplacing(big, std::string(100, 'x')));
    EXPECT_EQ(ReadWholeFile(big, data, 99).Reason(), "Datei zu gro\xdf");
    EXPECT_TRUE(ReadWholeFile(big, data));
    EXPECT_EQ(data.size(), 100u);
}
