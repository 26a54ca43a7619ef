#pragma once

#include "model/angebot_list.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The state of one GAEB 90 read: reads a D83 invitation to tender (with the saved D84
// bid of the same name beside it) into the application's record list, one record per
// structural line. A converter lives for one operation; the D84 writer and the GAEB 2000
// mapping create one on the stack for the keyed information values, the ordinal-number
// formatter and the text helpers.
//
// The member functions are spread over three files: gaeb_converter.cpp (file reading,
// the line dispatcher, the closing rule, contract-regulation blocks, the merge and the
// ordinal numbers), gaeb_record_handlers.cpp (one handler per record type) and
// gaeb_texts.cpp (text helpers, information values, text records, long-text
// post-processing).
class CGaebConverter {
public:
    static constexpr int kLevelCount = 100;

    // Headings of the information sections in InfoText and BidderTexts.
    static constexpr const char* kHeadingOpening = "#ER\xd6"
                                                   "FFNUNGSSATZ ZU LEISTUNGSVERZEICHNIS:";
    static constexpr const char* kHeadingLv = "#INFORMATION ZU LEISTUNGSVERZEICHNIS:";
    static constexpr const char* kHeadingProject = "#INFORMATION ZU PROJEKT:";
    static constexpr const char* kHeadingClient = "#INFORMATION ZU AUFTRAGGEBER:";
    static constexpr const char* kHeadingBidder = "#INFORMATION ZU BIETER/AUFTRAGNEHMER:";
    static constexpr const char* kHeadingComponents = "#BEZEICHNUNG DER EINHEITSPREISAUFGLIEDERUNG:";
    static constexpr const char* kHeadingAssignment = "#ZUORDNUNG LEISTUNGSVERZEICHNIS:";
    static constexpr const char* kHeadingCurrency = "#KENNZEICHEN F\xdcR W\xc4HRUNG:";
    static constexpr const char* kHeadingHideTextVersion = "#HideTextFassung:";

    explicit CGaebConverter(CAngebotList& list);
    CGaebConverter(const CGaebConverter&) = delete;
    CGaebConverter& operator=(const CGaebConverter&) = delete;

    // Empties the list and fills it from the D83 file at `path`, after reading the saved
    // bid (same folder and base name, extension ".d84" in any case) when there is one.
    // On success every record has its label and the saved prices are merged in. False
    // when the file cannot be opened or a line of it is rejected.
    bool ReadD83(const std::string& path);

    // Validates and handles one line (record type in columns 1-2, 80 columns at least
    // once CR and LF are removed). False stops the read.
    bool ParseRecord(const std::string& line);

    // Carries the prices, bidder quantities and bidder texts of the saved bid over into
    // the matching records of the application's list and recomputes their totals.
    void MergeBid(const CAngebotList& bid);

    // The bid file that belongs to a D83 path: "<folder>/<base>.d84", or a file of the same
    // base name whose extension is ".d84" in other letter case. "" when there is none.
    static std::string FindBidFile(const std::string& d83Path);

    // The raw ordinal number (fixed-width, blanks inside) with points inserted after the
    // digits of each level of the OZ key; a non-empty `key` first replaces `ozKey`. The
    // result keeps its trailing blanks.
    void FormatOZ(const std::string& raw, std::string& out, const std::string& key = std::string());
    std::string FormatOZ(const std::string& raw);

    // Text helpers shared by the GAEB readers and writers.
    // Lines of a text; CR, LF and CR LF end a line, CR LF CR LF leaves an empty line between.
    static void SplitLines(std::string_view text, std::vector<std::string>& lines);
    // Index of the first line that contains `what`, -1 if none.
    static int FindLine(const std::vector<std::string>& lines, std::string_view what);
    // The n-th (0-based) piece that follows a separator; the text before the first
    // separator is never a piece. "" when there is none.
    static void GetToken(std::string_view text, std::string& out, std::string_view sep, int n);

    // Keyed values of the information blocks (InfoText and BidderTexts) of the LV record
    // that contains the record `currentIndex`. A value that cannot be found is "".
    void GetInfoValue(const std::string& key, std::string& out);
    std::string GetInfoValue(const std::string& key);
    void SetInfoValue(const std::string& key, const std::string& value);

    // The long-text post-processing of one record: STLB key line, text-supplement
    // numbers, STLB-Bau header from note lines (`pendingNote`), sub-description and block
    // texts, execution-description short text and the "&OZNR&" replacement. The GAEB 2000
    // mapping calls it with a fresh converter: CGaebConverter(list).PostProcessLongText(r).
    void PostProcessLongText(int index);

    // Parsing state. Public so that a caller can bind the converter to a record
    // (currentIndex) before using the information values.
    std::string component1Name;     // name of unit-price component 1 (record 06)
    std::string component2Name;     // name of unit-price component 2 (record 06)
    std::string recordType;         // type of the line being parsed
    std::string prevRecordType;     // type of the previous accepted line
    std::string pendingText;        // long text collected for the current record
    std::string pendingNote;        // text of note lines (record 79)
    std::string pendingInfo;        // information text for InfoText (never filled by GAEB 90)
    std::string ozKey;              // the 9-character OZ key of record 00
    std::string textKey;            // supplement code of the previous long-text line
    std::string textState = "Ende"; // state of the long-text line joining
    int32_t currentIndex = -1;      // record that receives continuation data; -1 = none
    int32_t idCounter = 0;          // last RecordId given
    int32_t level = 1;              // level of new records
    int32_t exchangePhase = 3;      // 3 in a D83, 4 in a D84
    int32_t componentCount = 0;     // number of unit-price components (record 06)
    int32_t blockCounter = 0;       // running number of blocks after a record 41
    std::array<double, kLevelCount> levelIds{};
    std::array<std::string, kLevelCount> levelTitles;
    std::array<std::string, kLevelCount> levelOZ;

    // The user's currency setting; GetInfoValue("08") gives it ("EUR" when empty).
    std::string currencySetting;

private:
    enum class FileResult { Done, Stopped, OpenFailed };
    FileResult ReadFile(const std::string& path);
    void ResetLineState();

    // Closing rule: stores the collected long text into the current record.
    void FlushPendingText();

    // Record creation and levels.
    int NewRecord(const char* kind);
    bool CanOpenGroup() const { return level + 1 < kLevelCount; }
    void OpenGroup();
    void CloseGroup();
    int SafeLevel(int value) const;
    bool HasCurrent() const { return currentIndex >= 0 && currentIndex < m_list.Count(); }

    bool OnTRecord(const std::string& line);

    // Record handlers (gaeb_record_handlers.cpp).
    bool OnRecord00(const std::string& line);
    void OnRecord01(const std::string& line);
    void OnRecord02(const std::string& line);
    void OnRecord03(const std::string& line);
    void OnRecord04(const std::string& line);
    void OnRecord06(const std::string& line);
    void OnRecord07(const std::string& line);
    void OnRecord08(const std::string& line);
    bool OnRecord11(const std::string& line);
    void OnRecord12(const std::string& line);
    void OnRecord20(const std::string& line);
    void OnRecord21(const std::string& line);
    void OnRecord22(const std::string& line);
    void OnRecord23(const std::string& line);
    void OnRecord24(const std::string& line);
    void OnRecord27(const std::string& line);
    void OnRecord30(const std::string& line);
    bool OnRecord31(const std::string& line);
    void OnRecord32(const std::string& line);
    void OnRecord41(const std::string& line);
    void OnRecord42(const std::string& line);
    void OnRecord79(const std::string& line);
    bool OnRecord99(const std::string& line);
    // Appends "<previous text><sep><heading> \r\n<text>" to pendingText.
    void AppendSection(const char* heading, const std::string& text);
    void ApplyFactor(const std::string& factor);

    // Text records (gaeb_texts.cpp).
    void OnRecord25(const std::string& line);
    void OnRecord26(const std::string& line);
    void OnRecord28(const std::string& line);
    int FindLvRecord() const;

    CAngebotList& m_list;
};
