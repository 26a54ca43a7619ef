#include "gaeb90/gaeb90_writer.h"

#include "common/code_page.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "model/display_tree.h"
#include "model/info_blocks.h"
#include "model/info_values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// Record type and data of a line; the line number follows in columns 75-80.
constexpr size_t kDataWidth = 74;

// The text pad-or-cut to exactly `width` characters.
std::string Fit(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string ZeroPad(std::string digits, size_t width) {
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

// x with `precision` decimals, the digits "%f" gives in the C locale (correctly rounded),
// independent of the process locale. x must be finite.
std::string Fixed(double x, int precision) {
    char buffer[400]; // the largest double has 309 integer digits
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, precision);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

std::string RemoveAll(std::string text, char c) {
    text.erase(std::remove(text.begin(), text.end(), c), text.end());
    return text;
}

bool Contains(const std::string& text, const char* what) {
    return text.find(what) != std::string::npos;
}

} // namespace

const char* const CGaeb90Writer::kOzKeyTooLongText =
    "Die Positionierung des LV wurde mit einem 14-stelligem OZ-Schl\xfcssel vorgenommen. "
    "Ein Datenaustausch ist  mit GAEB Version 90 nicht m\xf6glich.";

CGaeb90Writer::CGaeb90Writer(const CAngebotList& list) : m_list(list) {}

std::string CGaeb90Writer::FormatAmount(double value, int width, bool withSign) {
    double scaled = std::fabs(value) * 100.0;
    if (!std::isfinite(scaled)) scaled = 0.0;
    std::string digits = Fixed(scaled, 6);
    const size_t point = digits.find('.');
    if (point != std::string::npos) digits.erase(point);
    digits = ZeroPad(digits, static_cast<size_t>(std::max(width, 0)));
    if (withSign) digits.insert(0, 1, value < 0.0 ? '-' : ' ');
    return digits;
}

std::string CGaeb90Writer::FormatQuantity(int column, double quantity, const std::string& flags,
                                          const std::string& unit, bool lumpSumPositions) {
    const std::string blanks(12, ' ');
    if (column == 22 || column == 23) {
        if (FlagAt(flags, FlagPos::BidderQuantity) != 'X') return lumpSumPositions ? " 00000001000" : blanks;
    } else if (column == 24) {
        if (unit.empty() || Contains(unit, "----")) return blanks;
    } else {
        return blanks;
    }
    // Thousandths rounded, not cut: 1.001 x 1000 is 1000.9999999999999 in binary.
    double thousandths = std::floor(std::fabs(quantity) * 1000.0 + 0.5000000001);
    if (!std::isfinite(thousandths)) thousandths = 0.0;
    return (quantity < 0.0 ? "-" : " ") + ZeroPad(Fixed(thousandths, 0), 11);
}

std::string CGaeb90Writer::FormatFactor(double surchargePct) {
    const double factor = surchargePct * 0.01 + 1.0;
    if (!std::isfinite(factor)) return std::string();
    return SafeSubstr(RemoveAll(Fixed(factor, 6), '.'), 0, 7);
}

std::string CGaeb90Writer::OZ9(const std::string& oz) {
    return Fit(RemoveAll(oz, '.'), 9);
}

std::string CGaeb90Writer::MapUnit(const std::string& unit) {
    std::string mapped = RemoveAll(unit, '.');
    mapped = ReplaceAll(mapped, "m\xb2", "m2");
    mapped = ReplaceAll(mapped, "m\xb3", "m3");
    mapped = ReplaceAll(mapped, "Pauschal", "psch");
    mapped = ReplaceAll(mapped,
                        "St\xfc"
                        "ck",
                        "St");
    mapped = ReplaceAll(mapped, "Stck", "St");
    mapped = ReplaceAll(mapped, "Stk", "St");
    return Fit(mapped, 4);
}

void CGaeb90Writer::OverwriteAt(std::string& line, const std::string& value, size_t pos, size_t width) {
    if (pos + width > line.size()) return;
    line.replace(pos, width, Fit(value, width));
}

CIoResult CGaeb90Writer::WriteD84(const std::string& path) {
    try {
        std::string data;
        if (CIoResult built = BuildD84(data); !built) return built;
        return WriteFileReplacing(path, data);
    } catch (const std::bad_alloc&) {
        return CIoResult::Failure("Nicht gen\xfcgend Arbeitsspeicher");
    }
}

CIoResult CGaeb90Writer::BuildD84(std::string& data) {
    data.clear();
    m_refused = false;
    try {
        if (BuildRows(data)) return CIoResult::Success();
        return CIoResult::Failure(kOzKeyTooLongText);
    } catch (const std::bad_alloc&) {
        m_data.clear();
        data.clear();
        return CIoResult::Failure("Nicht gen\xfcgend Arbeitsspeicher");
    }
}

bool CGaeb90Writer::BuildRows(std::string& data) {
    m_data.clear();
    m_lineNo = 0;
    m_lvSeen = false;
    m_contractSeen = false;
    m_lumpSumPositions = false;
    m_areaOZ.fill(std::string());

    // The rows of the position list: every record before its children, siblings in
    // display order.
    std::optional<CDisplayTree> own;
    if (!displayTree) own.emplace(m_list);
    const CDisplayTree& tree = displayTree ? *displayTree : *own;
    for (int index : tree.Order()) {
        if (!WriteRow(index)) {
            m_data.clear();
            return false;
        }
    }
    data.swap(m_data);
    return true;
}

void CGaeb90Writer::LoadRow(int index) {
    m_row.kind = TrimRight(m_list.GetText(index, Fld::Kind));
    m_row.posType = TrimRight(m_list.GetText(index, Fld::PosType));
    m_row.longText = m_list.GetText(index, Fld::LongText);
    m_row.supplementIndex = m_list.GetText(index, Fld::SupplementIndex);
    m_row.subKind = TrimRight(m_list.GetText(index, Fld::SubKind));
    m_row.flags = m_list.GetText(index, Fld::Flags);
    m_row.stdTextKey = m_list.GetText(index, Fld::StdTextKey);
    m_row.infoText = m_list.GetText(index, Fld::InfoText);
    m_row.shortText = m_list.GetText(index, Fld::ShortText);
    m_row.oz = m_list.GetText(index, Fld::OZ);
    m_row.unit = m_list.GetText(index, Fld::Unit);
    m_row.groupRef = m_list.GetText(index, Fld::GroupRef);
    m_row.bidderTexts = m_list.GetText(index, Fld::BidderTexts);
    m_row.level = m_list.GetInt(index, Fld::Level);
    m_row.unitPrice = m_list.GetDouble(index, Fld::UnitPrice);
    m_row.totalPrice = m_list.GetDouble(index, Fld::TotalPrice);
    m_row.quantity = m_list.GetDouble(index, Fld::Quantity);
    m_row.surchargePct = m_list.GetDouble(index, Fld::SurchargePct);
    m_row.otherShare = m_list.GetDouble(index, Fld::OtherShare);
    m_row.wageShare = m_list.GetDouble(index, Fld::WageShare);
    m_row.totalGross = m_list.GetDouble(index, Fld::TotalGross);
}

bool CGaeb90Writer::WriteRow(int index) {
    LoadRow(index);
    const std::string& kind = m_row.kind;
    if (m_row.posType == "C") {
        // Contract regulations go back as the "T" lines they were read from.
        if (kind == "L") {
            m_contractChildLevel = m_row.level + 1;
            m_contractSeen = true;
        }
        WriteContractLines();
        if (FlagAt(m_row.flags, FlagPos::BidderQuantity) == 'X') WritePosition();
    } else if (kind == "L") {
        if (!WriteHeader(index)) return false;
    } else if (kind == "T") {
        SetAreaOZ(m_row.level, m_row.oz);
    } else if (kind == "P") {
        WritePosition();
    } else if (kind == "S") {
        WriteTotals();
    }
    if (kind == "B" && m_row.subKind == "L") WriteSubDescription();
    return true;
}

bool CGaeb90Writer::WriteHeader(int index) {
    const auto info = [&](std::string_view key) { return GetInfoValue(m_list, index, key, currencySetting); };

    // A 14-digit OZ key (GAEB 2000 data) has no place in record 00.
    if (TrimRight(info("OZSchluessel")).size() >= 10) {
        m_refused = true;
        return false;
    }
    m_lumpSumPositions = info("PSCHPOS") == "1,000";
    m_lvChildLevel = m_row.level + 1;
    m_lvSeen = true;

    std::string opening = Fit("00" + info("00"), kDataWidth);
    OverwriteAt(opening, "84 ", 10, 3);
    OverwriteAt(opening, info("BieterNummer"), 36, 3);
    OverwriteAt(opening, info("VergabeNrAN"), 39, 15);
    OverwriteAt(opening, info("DVNrAN"), 54, 8);
    OverwriteAt(opening, "90", 71, 2);
    EmitLine(opening);

    // The LV name of the row goes into the first 40 characters of the LV information.
    std::string lvInfo = info("01");
    OverwriteAt(lvInfo, m_row.shortText, 0, 40);
    EmitLine("01" + lvInfo);

    std::vector<std::string> project;
    SplitInfoLines(info("02"), project);
    if (project.empty()) project.push_back("PROJEKTINFORMATION NICHT VORHANDEN");
    for (const std::string& line : project)
        EmitLine("02" + line);

    for (const char* type : {"03", "04"}) {
        std::string value = TrimRight(info(type));
        if (value.empty()) value = "INFORMATION NICHT VORHANDEN";
        EmitLine(type + value);
    }
    for (const char* type : {"06", "07"}) {
        const std::string value = TrimRight(info(type));
        if (!value.empty()) EmitLine(type + value);
    }
    EmitLine("08" + info("08"));
    return true;
}

void CGaeb90Writer::WriteContractLines() {
    const std::string& kind = m_row.kind;
    if (kind == "L" || kind == "T" || kind == "P" || kind == "B") {
        EmitLine("T0");
        WriteTextLines(m_row.longText, "T1", 3, 71);
    } else if (kind == "S" && m_contractSeen && m_row.level == m_contractChildLevel) {
        EmitLine("T9");
    }
}

void CGaeb90Writer::WritePosition() {
    SetAreaOZ(m_row.level, m_row.oz);
    std::string line = Fit("23" + OZ9(m_row.oz), kDataWidth);

    const bool surcharge = FlagAt(m_row.flags, FlagPos::Surcharge) == 'Z';
    const std::string& type = m_row.posType;
    // Lump sums of normal, on-demand and base positions carry only the total, as long as
    // their quantity is 1: the reader takes that total as the unit price. With another
    // quantity the unit price is written as well.
    const bool quantityOne = std::floor(m_row.quantity * 1000.0 + 0.5000000001) == 1000.0;
    const bool totalOnly = quantityOne && Contains(ToUpperAscii(m_row.unit), "PSCH") &&
                           (type == "N" || type == "G" || type == "F");
    if (!surcharge && !totalOnly) OverwriteAt(line, FormatAmount(m_row.unitPrice, 10, true), 11, 11);
    // Alternative and eventual positions add nothing to the total.
    if (type != "A" && type != "E") OverwriteAt(line, FormatAmount(m_row.totalPrice, 12, true), 23, 13);
    OverwriteAt(line, FormatQuantity(23, m_row.quantity, m_row.flags, m_row.unit, m_lumpSumPositions), 36,
                12);
    if (m_row.surchargePct != 0.0) OverwriteAt(line, FormatFactor(m_row.surchargePct), 48, 7);
    if (surcharge) {
        // The percentage and the base amount it applies to.
        double percent = m_row.quantity;
        if (!Contains(m_row.unit, "%")) percent *= 100.0;
        OverwriteAt(line, FormatAmount(percent, 5, true), 55, 6);
        OverwriteAt(line, FormatAmount(m_row.unitPrice, 12, true), 61, 13);
    }
    EmitLine(line);

    if (FlagAt(m_row.flags, FlagPos::SplitPrice) == 'X') {
        std::string shares = Fit("30", kDataWidth);
        OverwriteAt(shares, FormatAmount(m_row.otherShare, 10, false), 12, 10);
        OverwriteAt(shares, FormatAmount(m_row.wageShare, 10, false), 22, 10);
        EmitLine(shares);
    }
    WriteTextLines(m_row.bidderTexts, "26", 5, 55);
}

void CGaeb90Writer::WriteSubDescription() {
    // Written when the bidder has something to give: a text supplement or, as the quantity
    // cell of such a row is open to the bidder, a quantity.
    const bool bidderSupplement = Contains(m_row.supplementIndex, "B");
    const bool bidderQuantity = FlagAt(m_row.flags, FlagPos::BidderQuantity) == 'X';
    if (!bidderSupplement && !bidderQuantity) return;

    std::string line = Fit("24" + Fit(SafeSubstr(m_row.groupRef, 0, 2), 2), kDataWidth);
    if (m_row.quantity != 0.0) {
        OverwriteAt(line, FormatQuantity(24, m_row.quantity, m_row.flags, m_row.unit, m_lumpSumPositions), 4,
                    12);
        OverwriteAt(line, MapUnit(m_row.unit), 16, 4);
    }
    if (Contains(m_row.supplementIndex, "A") || FlagAt(m_row.flags, FlagPos::ClientSupp) == 'X')
        line[20] = 'X';
    line[21] = 'X';
    if (m_row.flags.size() > 3) line[40] = m_row.flags[3];
    const char stdText = FlagAt(m_row.flags, FlagPos::StdText);
    if (stdText == '1' || stdText == '2') {
        line[22] = stdText;
        OverwriteAt(line, m_row.stdTextKey, 23, 17);
    }
    EmitLine(line);
    WriteTextLines(m_row.bidderTexts, "26", 5, 55);
}

void CGaeb90Writer::WriteTotals() {
    if (!m_lvSeen) return; // a sum line outside any LV
    if (m_row.level > m_lvChildLevel) {
        // Sum of the LV area one level up.
        std::string line = Fit("32" + OZ9(AreaOZ(m_row.level - 1)), kDataWidth);
        OverwriteAt(line, FormatAmount(m_row.totalPrice, 12, true), 11, 13);
        EmitLine(line);
    } else if (m_row.level == m_lvChildLevel) {
        std::string line = Fit("99", kDataWidth);
        OverwriteAt(line, FormatAmount(m_row.totalPrice, 12, false), 2, 12);
        OverwriteAt(line, FormatAmount(vatRate, 4, false), 21, 4);
        OverwriteAt(line, FormatAmount(m_row.totalGross, 12, false), 25, 12);
        OverwriteAt(line, "00000", 69, 5);
        EmitLine(line);
    }
}

void CGaeb90Writer::WriteTextLines(const std::string& text, const std::string& type, size_t prefixWidth,
                                   size_t textWidth) {
    const std::string& index = m_row.supplementIndex;
    const char stdText = FlagAt(m_row.flags, FlagPos::StdText);
    const bool dropToTab =
        !index.empty() || (m_row.kind == "B" && (m_row.subKind == "L" || m_row.subKind == "B"));
    const bool withCodes = !index.empty() && stdText != '5';

    // The next bidder entry ("nnB1") of the supplement directory, as its 3-character code.
    size_t nextEntry = 0;
    auto nextBidderCode = [&]() -> std::string {
        for (; nextEntry * 4 + 2 < index.size(); ++nextEntry)
            if (index[nextEntry * 4 + 2] == 'B') return index.substr(nextEntry++ * 4, 3);
        return std::string();
    };

    std::vector<std::string> lines;
    SplitInfoLines(text, lines);
    bool open = false;
    std::string openCode;
    for (const std::string& source : lines) {
        std::string line = TrimRight(source);
        if (dropToTab) {
            const size_t tab = line.find('\t');
            if (tab != std::string::npos) line.erase(0, tab + 1);
        }
        std::string prefix = type.substr(0, 2);
        if (withCodes) {
            // A line with an apostrophe opens a supplement (two or more open and close it);
            // the supplement's lines up to the closing apostrophe keep its code, so that
            // no line of a text that spans several lines is lost.
            const auto quotes = std::count(line.begin(), line.end(), '\'');
            std::string code;
            if (open) {
                code = openCode;
                if (quotes > 0) open = false;
            } else if (quotes > 0) {
                openCode = nextBidderCode();
                code = openCode;
                open = quotes == 1 && !openCode.empty();
            }
            prefix += code.empty() ? std::string("   ") : code;
        }
        if (stdText == '5' && line.compare(0, 5, "'....") == 0)
            std::replace(line.begin(), line.end(), '\'', '.');
        // Only the bidder's supplements go into the bid.
        if (type == "26" && (prefix.size() < 5 || prefix[4] != 'B')) continue;
        line = ReplaceAll(line, "\t", "    ");
        EmitLine(Fit(prefix, prefixWidth) + Fit(line, textWidth));
    }
}

void CGaeb90Writer::EmitLine(std::string data) {
    data = Fit(std::move(data), kDataWidth);
    ++m_lineNo;
    m_data += Cp1252ToCp850(data);
    m_data += ZeroPad(std::to_string(m_lineNo), 6);
    m_data += "\r\n";
}

const std::string& CGaeb90Writer::AreaOZ(int level) const {
    static const std::string kNone;
    return level >= 0 && level < kLevelCount ? m_areaOZ[static_cast<size_t>(level)] : kNone;
}

void CGaeb90Writer::SetAreaOZ(int level, const std::string& oz) {
    if (level >= 0 && level < kLevelCount) m_areaOZ[static_cast<size_t>(level)] = oz;
}
