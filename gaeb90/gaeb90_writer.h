#pragma once

#include "common/io_result.h"
#include "model/angebot_list.h"

#include <array>
#include <cstddef>
#include <string>

class CDisplayTree;

// Writes the priced bid as a GAEB 90 file of exchange phase 84 (D84): the header records
// 00-08 rebuilt from the information blocks of the LV, one price record per position (with
// its unit-price shares and the bidder's text supplements), sub-descriptions that carry
// bidder data, the contract-regulation texts, the area totals and the closing totals, in
// the order of the position list. One writer per save.
//
// Every line is 74 characters of record data, a 6-digit line number and CR LF, in code
// page 850. The whole file is built in memory first, so a refused or failed write leaves
// no partial file and never touches an existing file at the path.
class CGaeb90Writer {
public:
    // Message 61243: the LV is numbered with a 14-digit OZ key that GAEB 90 cannot carry.
    static constexpr int kMsgOzKeyTooLong = 61243;
    static const char* const kOzKeyTooLongText;

    explicit CGaeb90Writer(const CAngebotList& list);
    CGaeb90Writer(const CGaeb90Writer&) = delete;
    CGaeb90Writer& operator=(const CGaeb90Writer&) = delete;

    // Builds the file and writes it to `path` (through a temporary file that replaces the
    // target only when complete). On failure the result names the cause; when the writer
    // refuses the LV, Refused() is true and the reason is the text of message 61243.
    // Never throws.
    CIoResult WriteD84(const std::string& path);

    // The file content (code page 850, CR LF) for the rows of the list in position-list
    // order. On failure `data` is empty. Never throws.
    CIoResult BuildD84(std::string& data);
    // True when the last build refused the LV (a 14-digit OZ key).
    bool Refused() const { return m_refused; }

    // VAT rate written into the closing record 99 beside the net and gross totals of the LV's
    // sum line (percent with two implied decimals, 0..100: 19 as 1900, 7.5 as 0750).
    double vatRate = 0.0;
    // The display tree of the list when the caller has one (the writer builds it otherwise).
    const CDisplayTree* displayTree = nullptr;
    // The user's currency setting ("Wrg"), written into record 08 ("EUR" when empty).
    std::string currencySetting;

    // Field formatting of the records.

    // Unsigned digits of |value| x 100 (two implied decimals; the digits of "%f" cut at the
    // point), left-padded with "0" to `width` and never cut; with `withSign` preceded by
    // "-" for a negative value or a blank.
    static std::string FormatAmount(double value, int width, bool withSign);
    // The 12-character quantity field. Column 22 or 23 (price records): sign and 11 digits
    // of the rounded thousandths when `flags` marks a bidder quantity, else blanks (or
    // " 00000001000" with `lumpSumPositions`). Column 24 (sub-descriptions): sign and digits
    // when the unit is not empty and not "----", else blanks. Other columns: blanks.
    static std::string FormatQuantity(int column, double quantity, const std::string& flags,
                                      const std::string& unit, bool lumpSumPositions);
    // The surcharge as the 7-digit factor with 6 implied decimals (-3 % gives 0970000).
    static std::string FormatFactor(double surchargePct);
    // The OZ without points, blank-padded or cut to 9 characters.
    static std::string OZ9(const std::string& oz);
    // The unit in GAEB 90 spelling (square and cubic metres as "m2" and "m3", "Pauschal" as
    // "psch", the spellings of "piece" as "St"), blank-padded or cut to 4 characters.
    static std::string MapUnit(const std::string& unit);
    // Puts `value`, blank-padded or cut to `width`, into `line` at the 0-based `pos`; leaves
    // the line unchanged when the field would reach past its end.
    static void OverwriteAt(std::string& line, const std::string& value, size_t pos, size_t width);

private:
    static constexpr int kLevelCount = 100;

    // Copy of the fields of the row being written.
    struct Row {
        std::string kind, posType, longText, supplementIndex, subKind, flags, stdTextKey, infoText;
        std::string shortText, oz, unit, groupRef, bidderTexts;
        int level = 0;
        double unitPrice = 0, totalPrice = 0, quantity = 0, surchargePct = 0;
        double otherShare = 0, wageShare = 0, totalGross = 0;
    };

    bool BuildRows(std::string& data);
    void LoadRow(int index);
    bool WriteRow(int index);
    bool WriteHeader(int index);
    void WriteContractLines();
    void WritePosition();
    void WriteSubDescription();
    void WriteTotals();
    void WriteTextLines(const std::string& text, const std::string& type, size_t prefixWidth,
                        size_t textWidth);
    // Pads or cuts the record data to 74 characters and appends it with the next line
    // number, converted to code page 850.
    void EmitLine(std::string data);

    const std::string& AreaOZ(int level) const;
    void SetAreaOZ(int level, const std::string& oz);

    const CAngebotList& m_list;
    Row m_row;
    bool m_refused = false;
    int m_lvChildLevel = 0;
    int m_contractChildLevel = 0;
    bool m_lvSeen = false;
    bool m_contractSeen = false;
    int m_lineNo = 0;
    bool m_lumpSumPositions = false;
    std::array<std::string, kLevelCount> m_areaOZ;
    std::string m_data; // the file being built
};
