// Reading whole D83 files with the saved bid beside them.

#include "common/text_util.h"
#include "gaeb90/gaeb_test_support.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <sys/stat.h>

using ::testing::HasSubstr;

namespace fs = std::filesystem;

namespace {

int ByOZ(const CAngebotList& list, const std::string& oz) {
    return list.FindRecord(Fld::OZ, FieldValue(oz));
}

TEST(GaebReadD83, InvitationWithSavedBid) {
    CAngebotList list;
    CGaebConverter conv(list);
    ASSERT_TRUE(conv.ReadD83(FixturePath("lv_basic.D83")));
    EXPECT_EQ(conv.Component1Name() + "/" + conv.Component2Name(), "Stoffe/Lohn");

    // Labels show the level by their indentation.
    std::string labels;
    for (int i = 0; i < list.Count(); ++i)
        labels += list.GetText(i, Fld::Label) + "|";
    EXPECT_EQ(
        labels,
        " Verzeichnis|  Titel|   Titel|    Pos. (f. Zschl.)|    Pos.|    Alt.-Pos. [01]|    entf. Pos.|"
        "    Pos. Bietermenge|    Pos. Zuschlag|    Pos. Wdh. verk. Beschr.|    Pos. MP/LP|    Leit-Pos.|"
        "    Unterbeschreibung [01]|    Unterbeschreibung [02]|   Summe/Ende|   Bemerkung|"
        "   Ausf.-beschreibung [0001]|   Block [01]|   Block [02]|   Ausf.-beschreibung [0002]|"
        "   Block [01]|  Summe/Ende|  Titel|   Titel|    Pos.|    Pos.|   Summe/Ende|  Summe/Ende| "
        "Summe/Ende|");

    // Umlauts and the sharp s arrive as Windows-1252 letters.
    EXPECT_EQ(TrimRight(list.GetText(0, Fld::ShortText)), "Neubau Sporthalle Gr\xfcnstra\xdf"
                                                          "e");
    EXPECT_THAT(list.GetText(0, Fld::InfoText), HasSubstr("Stadt M\xfcnsterberg"));
    const int normal = ByOZ(list, "01.02.0010  ");
    EXPECT_EQ(list.GetText(normal, Fld::LongText),
              "Boden der Bodenklasse 3-5 l\xf6sen, laden und\r\nabfahren. Gr\xf6\xdf"
              "e der Baugrube: 12 x 8 m.");

    // Saved prices are taken over and the totals recomputed (every kind is in the D84 round trip).
    EXPECT_DOUBLE_EQ(list.GetDouble(normal, Fld::TotalNet), 6540.63) << "45.50 x 125 plus 15 %";
    EXPECT_DOUBLE_EQ(list.GetDouble(ByOZ(list, "01.02.0020  "), Fld::UnitPrice), 1500.0)
        << "a lump sum takes the bid's total";
    const int alternative = ByOZ(list, "01.02.0030  ");
    EXPECT_DOUBLE_EQ(list.GetDouble(alternative, Fld::UnitPrice), 12.0);
    EXPECT_DOUBLE_EQ(list.GetDouble(alternative, Fld::TotalGross), 0.0);
    EXPECT_EQ(list.GetText(ByOZ(list, "01.02.0080  "), Fld::BidderTexts), "'Muster AG Typ 5'");
    // The bidder text of a sub-description goes to the one with its number after the lead position.
    const int lead = ByOZ(list, "01.02.0090  ");
    EXPECT_EQ(list.GetText(lead + 1, Fld::BidderTexts), "'Aluminium'");
    EXPECT_EQ(list.GetText(lead + 2, Fld::BidderTexts), "");
}

TEST(GaebReadD83, LineEndsAndEmptyLastLines) {
    TempFolder folder;
    const std::string crlf = ReadBytes(FixturePath("lv_basic.D83"));
    const std::string lf = ReplaceAll(crlf, "\r\n", "\n");
    auto read = [&](const std::string& bytes, CAngebotList& list) {
        WriteBytes(folder / "x.D83", bytes);
        return CGaebConverter(list).ReadD83(folder / "x.D83");
    };
    CAngebotList a, b, scratch;
    ASSERT_TRUE(read(crlf, a));
    ASSERT_TRUE(read(lf, b));
    ASSERT_EQ(a.Count(), b.Count());
    for (int i = 0; i < a.Count(); ++i)
        for (int n = 0; n < kFieldCount; ++n) {
            const Fld field = FieldOf(n);
            FieldValue va, vb;
            a.GetField(i, field, va);
            b.GetField(i, field, vb);
            EXPECT_EQ(va, vb) << "record " << i << " field " << n;
        }

    EXPECT_TRUE(read(crlf + "\r\n\r\n\x1a", scratch));
    EXPECT_TRUE(read(lf + "\n\x1a\n", scratch));
    EXPECT_TRUE(read(crlf.substr(0, crlf.size() - 2), scratch)) << "no final line end";
    const size_t last = crlf.rfind("\r\n", crlf.size() - 3) + 2;
    ASSERT_EQ(crlf.substr(last, 2), "99");
    // A broken file names the line and the cause; nothing of it stays in the list.
    const int lineOf99 =
        static_cast<int>(std::count(crlf.begin(), crlf.begin() + static_cast<long>(last), '\n')) + 1;
    WriteBytes(folder / "x.D83", crlf.substr(0, last) + "\r\n" + crlf.substr(last));
    EXPECT_EQ(CGaebConverter(scratch).ReadD83(folder / "x.D83").Describe(),
              "Zeile " + std::to_string(lineOf99 + 1) + ": Leere Zeile vor weiteren S\xe4tzen");
    WriteBytes(folder / "x.D83", crlf.substr(0, last) + Rec("20").substr(0, 79) + "\r\n" + crlf.substr(last));
    EXPECT_EQ(CGaebConverter(scratch).ReadD83(folder / "x.D83").Describe(),
              "Zeile " + std::to_string(lineOf99) + ": Satz k\xfcrzer als 80 Zeichen");
    EXPECT_EQ(scratch.Count(), 0) << "a failed read leaves no records";
    EXPECT_EQ(CGaebConverter(scratch).ReadD83(folder / "fehlt.D83").Reason(), "Datei nicht vorhanden");
    // A device or a pipe is refused at once instead of being read without end.
    EXPECT_EQ(CGaebConverter(scratch).ReadD83("/dev/zero").Reason(),
              "Keine gew\xf6hnliche Datei (Ger\xe4t oder Pipe)");
    const fs::path fifo = folder.Path() / "pipe.D83";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(CGaebConverter(scratch).ReadD83(fifo.string()).Reason(),
              "Keine gew\xf6hnliche Datei (Ger\xe4t oder Pipe)");
}

TEST(GaebReadD83, ABidFileThatStopsEarlyLeavesTheInvitationIntact) {
    TempFolder folder;
    WriteBytes(folder / "lv.D83", ReadBytes(FixturePath("lv_basic.D83")));
    // The bid file breaks off inside an area it opened, with text pending.
    const std::string bid = ReadBytes(FixturePath("lv_basic.d84"));
    const size_t cut = bid.find("2301020050");
    ASSERT_NE(cut, std::string::npos);
    WriteBytes(folder / "lv.d84", bid.substr(0, cut) +
                                      JoinRecords({Rec("11", {{3, "09"}}), Rec("26", {{6, "x"}})}) +
                                      "23 kaputt\r\n" + bid.substr(cut));
    CAngebotList list;
    ASSERT_TRUE(CGaebConverter(list).ReadD83(folder / "lv.D83"));
    EXPECT_EQ(list.GetInt(0, Fld::Level), 1);
    EXPECT_EQ(list.GetText(0, Fld::LongText), "Sporthalle mit Au\xdf"
                                              "enanlagen\r\nBauabschnitt 2");
    EXPECT_DOUBLE_EQ(list.GetDouble(ByOZ(list, "01.02.0010  "), Fld::UnitPrice), 45.5);
    EXPECT_DOUBLE_EQ(list.GetDouble(ByOZ(list, "01.02.0050  "), Fld::UnitPrice), 0.0);
}

TEST(GaebReadD83, RealSampleFilesOpen) {
    const fs::path samples = testsupport::SamplesDir("gaeb90");
    ORVAK_REQUIRE_SAMPLES(samples);
    const std::pair<const char*, int> files[] = {{"LV_Los01.D83", 13},
                                                 {"LV_Los02.D83", 121},
                                                 {"LV 39656.D83", 58},
                                                 {"Flechtingen GS AA.d83", 585},
                                                 {"Sample-2024-06-30_Result.d83", 62}};
    for (const auto& [name, positions] : files) {
        CAngebotList list;
        ASSERT_TRUE(CGaebConverter(list).ReadD83((samples / name).string())) << name;
        int found = 0;
        for (int i = 0; i < list.Count(); ++i)
            found += list.GetText(i, Fld::Kind) == "P";
        EXPECT_EQ(found, positions) << name;
    }
    CAngebotList list;
    ASSERT_TRUE(CGaebConverter(list).ReadD83((samples / "LV_Los01.D83").string()));
    EXPECT_THAT(list.GetText(0, Fld::InfoText), HasSubstr("Landesbetrieb f\xfcr Hochwasserschutz"));
    EXPECT_EQ(TrimRight(list.GetText(ByOZ(list, " 1  10    "), Fld::ShortText)), "Anlaufberatung, Baufeld\xfc"
                                                                                 "bergabe");
    ASSERT_TRUE(CGaebConverter(list).ReadD83((samples / "Flechtingen GS AA.d83").string()));
    EXPECT_EQ(list.GetText(0, Fld::PosType), "C") << "the contract block comes first";
}

} // namespace
