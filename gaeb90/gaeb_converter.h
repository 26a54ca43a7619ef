#pragma once

#include "common/io_result.h"
#include "model/angebot_list.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The GAEB 90 reader: reads a D83 invitation to tender (with the saved D84 bid of the same
// name beside it) into the application's record list, one record per structural line. A
// converter lives for one read.
//
// The member functions are spread over three files: gaeb_converter.cpp (file reading, the
// line dispatcher, the closing rule, contract-regulation blocks and the merge),
// gaeb_record_handlers.cpp (one handler per record type) and gaeb_texts.cpp (the text
// records 25, 26 and 28).
class CGaebConverter {
public:
    static constexpr int kLevelCount = 100;

    explicit CGaebConverter(CAngebotList& list);
    CGaebConverter(const CGaebConverter&) = delete;
    CGaebConverter& operator=(const CGaebConverter&) = delete;

    // Empties the list and fills it from the D83 file at `path`, after reading the saved
    // bid (same folder and base name, extension ".d84" in any case) when there is one.
    // On success every record has its label and the saved prices are merged in. On failure
    // the result names the cause and, for a rejected line, its line number.
    CIoResult ReadD83(const std::string& path);
    // The same from file images in memory: the D83 and, when given, the saved bid.
    CIoResult ReadD83Data(std::string_view d83, std::optional<std::string_view> d84 = std::nullopt);

    // Validates and handles one record as ReadLines hands it over, without CR and LF
    // (record type in columns 1-2, 80 columns at least). False stops the read; LastError()
    // then says why.
    bool ParseRecord(const std::string& record);
    const std::string& LastError() const { return m_error; }

    // Carries the prices, bidder quantities and bidder texts of the saved bid over into
    // the matching records of the application's list and recomputes their totals.
    void MergeBid(const CAngebotList& bid);

    // The bid file that belongs to a D83 path: "<folder>/<base>.d84", or a file of the same
    // base name whose extension is ".d84" in other letter case. "" when there is none.
    static std::string FindBidFile(const std::string& d83Path);

    // Names of the unit-price components 1 and 2 (record 06) of the last file read.
    const std::string& Component1Name() const { return m_component1Name; }
    const std::string& Component2Name() const { return m_component2Name; }
    // The level new records get; 1 outside any group.
    int32_t Level() const { return m_level; }

private:
    // How a long-text line (record 26) joins the previous one.
    enum class TextJoin {
        Closed,        // before the first line of the read
        Plain,         // a line without supplement code, or a code just changed
        Continuing,    // a supplement's first line without apostrophe: the next line follows on it
        ContinuedOpen, // joined, and the joined line opened a quote
        Continued,     // joined
        Quoted,        // a supplement whose first line holds its apostrophe
    };
    enum class FileResult { Done, Stopped };

    // What the merge takes from one record of a saved bid. The saved bid is kept in this
    // form while the D83 is read, not as a list of records beside the D83's own.
    struct SSavedRecord {
        uint32_t ozBegin = 0, ozEnd = 0;     // the OZ in SSavedBid::texts
        uint32_t textBegin = 0, textEnd = 0; // the long text (the bidder's texts)
        int32_t groupRef = 0;                // group reference of a sub-description
        bool subDescription = false;
        double otherShare = 0, wageShare = 0, unitPrice = 0, surchargePct = 0, quantity = 0, totalPrice = 0;
    };
    struct SSavedBid {
        std::vector<SSavedRecord> records;
        std::string texts;
        std::string_view Text(uint32_t begin, uint32_t end) const {
            return std::string_view(texts).substr(begin, end - begin);
        }
    };
    static SSavedBid SavedBidOf(const CAngebotList& bid);
    void MergeSaved(const SSavedBid& bid);

    // Reads whole lines (a file image, or one block of it after another).
    FileResult ReadLines(std::string_view data);
    void ResetLineState();
    // The steps of a read: the saved bid into `bid`, then the D83 into the list.
    void BeginRead();
    void ReadBid(std::string_view d84, SSavedBid& bid);
    void BeginInvitation();
    CIoResult FinishInvitation(FileResult parsed, const SSavedBid* bid);

    // Closing rule: stores the collected long text into the current record.
    void FlushPendingText();

    // Record creation and levels.
    int NewRecord(char kind);
    bool CanOpenGroup() const { return m_level + 1 < kLevelCount; }
    void OpenGroup();
    void CloseGroup();
    int SafeLevel(int value) const;
    bool HasCurrent() const { return m_current >= 0 && m_current < m_list.Count(); }
    std::string FormatOZ(std::string_view raw) const;
    bool Fail(std::string reason);
    // A number read from the file: false (with the reason) when it is not finite or beyond 10^12.
    bool CheckNumber(double value, const char* what);

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
    bool OnRecord21(const std::string& line);
    bool OnRecord22(const std::string& line);
    bool OnRecord23(const std::string& line);
    bool OnRecord24(const std::string& line);
    void OnRecord27(const std::string& line);
    bool OnRecord30(const std::string& line);
    bool OnRecord31(const std::string& line);
    bool OnRecord32(const std::string& line);
    void OnRecord41(const std::string& line);
    void OnRecord42(const std::string& line);
    void OnRecord79(const std::string& line);
    bool OnRecord99(const std::string& line);
    // Appends "<previous text><sep><heading> \r\n<text>" to the pending text.
    void AppendSection(const char* heading, const std::string& text);
    bool ApplyFactor(const std::string& factor);
    struct PriceColumns {
        double quantity = 0, total = 0, unitPrice = 0, percent = 0, base = 0;
    };
    bool ReadPriceColumns(const std::string& line, int quantityFirst, int quantityLast, PriceColumns& out);

    // Text records (gaeb_texts.cpp).
    void OnRecord25(const std::string& line);
    void OnRecord26(const std::string& line);
    void OnRecord28(const std::string& line);

    CAngebotList& m_list;

    // Parsing state.
    std::string m_component1Name; // name of unit-price component 1 (record 06)
    std::string m_component2Name; // name of unit-price component 2 (record 06)
    std::string m_recordType;     // type of the line being parsed
    std::string m_prevRecordType; // type of the previous accepted line
    std::string m_pendingText;    // long text collected for the current record
    std::string m_pendingNote;    // text of note lines (record 79)
    std::string m_ozKey;          // the 9-character OZ key of record 00
    std::string m_textKey;        // supplement code of the previous long-text line
    TextJoin m_textJoin = TextJoin::Closed;
    int32_t m_current = -1;       // record that receives continuation data; -1 = none
    int32_t m_idCounter = 0;      // last RecordId given
    int32_t m_level = 1;          // level of new records
    int32_t m_exchangePhase = 3;  // 3 in a D83, 4 in a D84
    int32_t m_componentCount = 0; // number of unit-price components (record 06)
    int32_t m_blockCounter = 0;   // running number of blocks after a record 41
    int32_t m_lineNo = 0;         // line of the file being parsed
    bool m_fillerSeen = false;    // an end filler line was read: only more of them may follow
    std::array<double, kLevelCount> m_levelIds{};
    std::array<std::string, kLevelCount> m_levelTitles;
    std::array<std::string, kLevelCount> m_levelOZ;
    std::string m_error; // why the last line was rejected
};
