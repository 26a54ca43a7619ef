#include "common/safe_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Pieces(const std::string& path, int stopAfter = -1) {
    std::vector<std::string> pieces;
    const CIoResult read = ReadFileLines(path, [&](std::string_view lines) {
        pieces.emplace_back(lines);
        return static_cast<int>(pieces.size()) != stopAfter;
    });
    EXPECT_TRUE(read.Ok()) << read.Describe();
    return pieces;
}

std::string Joined(const std::vector<std::string>& pieces) {
    std::string all;
    for (const std::string& piece : pieces)
        all += piece;
    return all;
}

} // namespace

// Lines that straddle the 1 MB blocks, one line longer than a block and a last line without
// newline: every piece ends at a line end, and together they are the file.
TEST(ReadFileLines, HandsOverWholeLinesThatTogetherAreTheFile) {
    std::string bytes;
    for (int i = 0; bytes.size() < 3'500'000; ++i)
        bytes += std::string(static_cast<size_t>(i % 97), 'x') + std::to_string(i) + "\r\n";
    bytes += std::string(1'500'000, 'L') + "\n";
    bytes += "ohne Zeilenende";
    const std::string path = (testsupport::TestDir() / "lines.d83").string();
    testsupport::WriteBytes(path, bytes);

    const std::vector<std::string> pieces = Pieces(path);
    ASSERT_GE(pieces.size(), 3u);
    EXPECT_EQ(Joined(pieces), bytes);
    for (size_t i = 0; i + 1 < pieces.size(); ++i)
        EXPECT_EQ(pieces[i].back(), '\n') << "piece " << i;

    // A false from the consumer stops the read after that piece.
    EXPECT_EQ(Pieces(path, 1).size(), 1u);

    testsupport::WriteBytes(path, "");
    EXPECT_TRUE(Pieces(path).empty());
    EXPECT_EQ(ReadFileLines(path + ".fehlt", [](std::string_view) { return true; }).Describe(),
              "Datei nicht vorhanden");
    EXPECT_EQ(ReadFileLines(
                  path, [](std::string_view) { return true; }, 0)
                  .Ok(),
              true);
    testsupport::WriteBytes(path, "zu lang\n");
    EXPECT_EQ(ReadFileLines(
                  path, [](std::string_view) { return true; }, 4)
                  .Describe(),
              "Datei zu gro\xdf");
}
