#include "common/safe_file.h"
#include "model/project_file.h"
#include "support/record_builder.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>

namespace fs = std::filesystem;

namespace {

fs::path TempPath(const std::string& name) {
    return testsupport::TestDir() / name;
}

using testsupport::WriteBytes;

} // namespace

TEST(ProjectFile, RoundTripInDisplayOrder) {
    CAngebotList list;
    AddRec(list, "T", 1, 0, 1);
    const int p = AddPos(list, 2, 1, 2, 12.5, 3.1, "X  X");
    list.SetText(p, Fld::ShortText,
                 "M\xfcller Stra\xdf"
                 "e");
    list.SetText(p, Fld::LongText, "Zeile 1\r\nZeile 2");
    list.SetDouble(p, Fld::VatPct, 19.0);
    AddRec(list, "S", 3, 1, 2);
    list.LinkDisplayChain();
    list.RenumberSortNo();

    const fs::path path = TempPath("roundtrip.ovf");
    ASSERT_TRUE(SaveProjectFile(list, path.string()));
    CAngebotList back;
    back.AddRecord(); // LoadRecords empties the list first
    ASSERT_TRUE(LoadRecords(back, path.string()));
    ASSERT_EQ(back.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.GetDouble(i, Fld::SortNo), i + 1.0);
        for (int n = 0; n < kFieldCount; ++n) {
            const Fld field = FieldOf(n);
            FieldValue a, b;
            list.GetField(i, field, a);
            back.GetField(i, field, b);
            EXPECT_EQ(a, b) << "record " << i << " field " << n;
        }
    }
}

TEST(ProjectFile, BrokenFilesFailWithReasonAndEmptyList) {
    CAngebotList list;
    AddRec(list, "T", 1, 0, 1);
    list.SetText(0, Fld::LongText, std::string(400, 'x'));
    list.LinkDisplayChain();
    std::string data;
    SaveRecords(list, data);

    CAngebotList back;
    EXPECT_EQ(LoadRecordsFromData(back, "").Reason(), "Die Datei ist leer");
    for (size_t length : {size_t{1}, size_t{30}, size_t{60}, data.size() - 1}) {
        EXPECT_EQ(LoadRecordsFromData(back, data.substr(0, length)).Reason(),
                  "Datensatz 1: Die Datei endet mitten im Datensatz")
            << length;
        EXPECT_EQ(back.Count(), 0);
    }
    // A 32-bit text length far beyond the end of the file.
    const std::string huge = data.substr(0, 24) + std::string("\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 7) + "abc";
    EXPECT_FALSE(LoadRecordsFromData(back, huge));
    EXPECT_EQ(LoadRecords(back, TempPath("missing.ovf").string()).Reason(), "Datei nicht vorhanden");

    // Zero bytes are no record: the read stops at the first block instead of making millions.
    EXPECT_EQ(LoadRecordsFromData(back, std::string(1 << 20, '\0')).Reason(),
              "Datensatz 1: unbekannte Satzart \"\"");
    // A second record with a number no file of ours holds.
    CAngebotList bad;
    AddRec(bad, "T", 1, 0, 1);
    const int p = AddPos(bad, 2, 1, 2, 1.0, 1.0, "");
    bad.SetDouble(p, Fld::Quantity, std::numeric_limits<double>::infinity());
    std::string badData;
    WriteRecord(bad, 0, badData);
    WriteRecord(bad, p, badData);
    EXPECT_EQ(LoadRecordsFromData(back, badData).Reason(),
              "Datensatz 2: Feld 20 ist keine g\xfcltige Zahl oder zu gro\xdf");
    EXPECT_EQ(back.Count(), 0);
}

TEST(ProjectFile, FailedSaveKeepsPreviousFile) {
    const fs::path dir = TempPath("locked");
    fs::create_directories(dir);
    const fs::path target = dir / "bid.ovf";
    WriteBytes(target, "old");
    CAngebotList list;
    list.AddRecord();
    // A target that is a folder cannot be replaced by a file.
    const fs::path folderTarget = dir / "folder.ovf";
    fs::create_directories(folderTarget / "inner");
    const CIoResult onFolder = SaveProjectFile(list, folderTarget.string());
    EXPECT_EQ(onFolder.Reason(), "Der Pfad bezeichnet einen Ordner");
    EXPECT_TRUE(fs::is_directory(folderTarget));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    // A folder that does not exist: nothing written, nothing thrown.
    EXPECT_FALSE(SaveProjectFile(list, (dir / "no" / "such" / "x.ovf").string()));
    std::string old;
    ASSERT_TRUE(ReadWholeFile(target.string(), old));
    EXPECT_EQ(old, "old");
}
