#include "gaeb90/gaeb_converter.h"

#include "common/code_page.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaeb90/gaeb_columns.h"
#include "model/calculation.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <new>
#include <unordered_map>

using gaeb90::ColsTrim;
using gaeb90::ParseInt;

namespace {

// Handlers read at most column 80; the rest of a longer line is kept only up to this
// length, so that a file without line ends cannot make one line grow without bound.
constexpr size_t kMaxLineLength = 4096;

// Reads a file in binary mode, line by line. A line ends with LF; every CR is removed.
class CLineReader {
public:
    explicit CLineReader(const std::string& path) : m_in(path, std::ios::binary) {}
    bool IsOpen() const { return m_in.is_open(); }

    // False at the end of the file. A last line without LF counts as a line.
    bool Next(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (m_pos == m_len) {
                m_in.read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
                m_len = static_cast<size_t>(m_in.gcount());
                m_pos = 0;
                if (m_len == 0) return any;
            }
            any = true;
            const char c = m_buffer[m_pos++];
            if (c == '\n') return true;
            if (c != '\r' && line.size() < kMaxLineLength) line.push_back(c);
        }
    }

private:
    std::ifstream m_in;
    std::array<char, 65536> m_buffer{};
    size_t m_pos = 0;
    size_t m_len = 0;
};

// An empty line or one that holds only the DOS end-of-file character: older tools
// end their files with such lines.
bool IsEndFiller(const std::string& line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == '\x1a'; });
}

// Types whose line closes the collected long text of the current record.
bool IsClosingType(const std::string& type) {
    static const char* const kTypes[] = {"T0", "T9", "11", "20", "21", "23",
                                         "24", "31", "32", "41", "42", "99"};
    return std::any_of(std::begin(kTypes), std::end(kTypes), [&](const char* t) { return type == t; });
}

const char* const kContractTitle = "Vertragliche Regelungen";

} // namespace

CGaebConverter::CGaebConverter(CAngebotList& list) : m_list(list) {}

std::string CGaebConverter::FindBidFile(const std::string& d83Path) {
    return FindFileBeside(d83Path, ".d84");
}

CGaebConverter::FileResult CGaebConverter::ReadFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return FileResult::OpenFailed;
    CLineReader reader(path);
    if (!reader.IsOpen()) return FileResult::OpenFailed;
    std::string raw;
    bool fillerSeen = false;
    while (reader.Next(raw)) {
        if (IsEndFiller(raw)) {
            fillerSeen = true;
            continue;
        }
        // An empty line is accepted only behind the last record.
        if (fillerSeen) return FileResult::Stopped;
        if (!ParseRecord(Cp850ToCp1252(raw))) return FileResult::Stopped;
    }
    return FileResult::Done;
}

void CGaebConverter::ResetLineState() {
    recordType.clear();
    prevRecordType.clear();
    pendingText.clear();
    pendingNote.clear();
    pendingInfo.clear();
    ozKey.clear();
    textKey.clear();
    textState = "Ende";
    currentIndex = -1;
    level = 1;
    exchangePhase = 3;
    componentCount = 0;
    blockCounter = 0;
    levelIds.fill(0.0);
    levelTitles.fill(std::string());
    levelOZ.fill(std::string());
}

bool CGaebConverter::ReadD83(const std::string& path) {
    try {
        CAngebotList bid;
        m_list.RemoveAll();

        bool bidRead = false;
        const std::string bidPath = FindBidFile(path);
        if (!bidPath.empty() && ReadFile(bidPath) != FileResult::OpenFailed) {
            // A bid file that stops early still gives the records read so far.
            bidRead = true;
            m_list.CopyRecords(bid);
        }
        m_list.RemoveAll();

        component2Name.clear();
        component1Name.clear();
        // The D83 is read as if there were no bid file, except that the record ids go on
        // counting after those of the bid file. A bid file that stopped in the middle
        // would otherwise leave its open levels and collected text to the D83.
        ResetLineState();

        if (ReadFile(path) != FileResult::Done) return false;

        m_list.BuildAllLabels();
        if (bidRead) MergeBid(bid);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CGaebConverter::ParseRecord(const std::string& line) {
    std::string record;
    record.reserve(line.size());
    for (char c : line)
        if (c != '\r' && c != '\n') record.push_back(c);
    if (record.size() < 80) return false;

    recordType = record.substr(0, 2);
    if (IsClosingType(recordType)) FlushPendingText();

    if (recordType[0] == 'T') {
        if (!OnTRecord(record)) return false;
    } else {
        bool ok = true;
        switch (ParseInt(recordType)) {
        case 0:
            ok = OnRecord00(record);
            break;
        case 1:
            OnRecord01(record);
            break;
        case 2:
            OnRecord02(record);
            break;
        case 3:
            OnRecord03(record);
            break;
        case 4:
            OnRecord04(record);
            break;
        case 6:
            OnRecord06(record);
            break;
        case 7:
            OnRecord07(record);
            break;
        case 8:
            OnRecord08(record);
            break;
        case 11:
            ok = OnRecord11(record);
            break;
        case 12:
            OnRecord12(record);
            break;
        case 20:
            OnRecord20(record);
            break;
        case 21:
            OnRecord21(record);
            break;
        case 22:
            OnRecord22(record);
            break;
        case 23:
            OnRecord23(record);
            break;
        case 24:
            OnRecord24(record);
            break;
        case 25:
            OnRecord25(record);
            break;
        case 26:
            OnRecord26(record);
            break;
        case 27:
            OnRecord27(record);
            break;
        case 28:
            OnRecord28(record);
            break;
        case 30:
            OnRecord30(record);
            break;
        case 31:
            ok = OnRecord31(record);
            break;
        case 32:
            OnRecord32(record);
            break;
        case 41:
            OnRecord41(record);
            break;
        case 42:
            OnRecord42(record);
            break;
        case 79:
            OnRecord79(record);
            break;
        case 99:
            ok = OnRecord99(record);
            break;
        default:
            break; // other types carry nothing the bid needs
        }
        if (!ok) return false;
    }
    prevRecordType = recordType;
    return true;
}

void CGaebConverter::FlushPendingText() {
    if (!pendingInfo.empty() && currentIndex != -1) {
        m_list.SetText(currentIndex, Fld::InfoText, pendingInfo);
        pendingInfo.clear();
    }
    if (pendingText.empty() || currentIndex == -1) return;
    if (m_list.GetText(currentIndex, Fld::Kind) == "L" &&
        m_list.GetText(currentIndex, Fld::PosType).empty()) {
        // The header records 00-08 become the information blocks of the LV; its long
        // text is the project information.
        m_list.SetText(currentIndex, Fld::InfoText, pendingText);
        pendingText = GetInfoValue("02");
    }
    m_list.SetText(currentIndex, Fld::LongText, m_list.GetText(currentIndex, Fld::LongText) + pendingText);
    if (exchangePhase != 4) PostProcessLongText(currentIndex);
    pendingText.clear();
    pendingNote.clear();
}

int CGaebConverter::SafeLevel(int value) const {
    return std::clamp(value, 0, kLevelCount - 1);
}

int CGaebConverter::NewRecord(const char* kind) {
    ++idCounter;
    const int index = m_list.AddRecord();
    m_list.SetDouble(index, Fld::ParentId, levelIds[SafeLevel(level)]);
    m_list.SetDouble(index, Fld::RecordId, static_cast<double>(idCounter));
    m_list.SetDouble(index, Fld::SortNo, static_cast<double>(idCounter));
    m_list.SetInt(index, Fld::Level, level);
    m_list.SetText(index, Fld::Kind, kind);
    currentIndex = index;
    return index;
}

void CGaebConverter::OpenGroup() {
    if (!CanOpenGroup()) return;
    ++level;
    levelIds[level] = static_cast<double>(idCounter);
}

void CGaebConverter::CloseGroup() {
    if (level > 1) --level;
}

bool CGaebConverter::OnTRecord(const std::string& line) {
    const std::string& prev = prevRecordType;
    if (prev.empty() || prev[0] != 'T' || prev == "T9") {
        // First line of a block of contract regulations: a group of its own; the line's
        // data is not used.
        if (!CanOpenGroup()) return false;
        levelTitles[SafeLevel(level)] = kContractTitle;
        const int index = NewRecord("L");
        m_list.SetText(index, Fld::PosType, "C");
        m_list.SetText(index, Fld::ShortText, kContractTitle);
        OpenGroup();
        return true;
    }
    if (recordType == "T0") {
        const int index = NewRecord("B");
        m_list.SetText(index, Fld::PosType, "C");
    } else if (recordType == "T1") {
        if (!pendingText.empty()) pendingText += "\r\n";
        pendingText += ColsTrim(line, 3, 74);
    } else if (recordType == "T9") {
        if (level < 2) return false;
        const std::string title = "Ende " + levelTitles[SafeLevel(level - 1)];
        const int index = NewRecord("S");
        m_list.SetText(index, Fld::PosType, "C");
        m_list.SetText(index, Fld::ShortText, title);
        CloseGroup();
    }
    return true;
}

void CGaebConverter::MergeBid(const CAngebotList& bid) {
    // Sub-descriptions of the application's list by the number of their group reference,
    // in list order, so that "the next one after m" is found without a scan.
    std::unordered_map<int, std::vector<int>> subDescriptions;
    for (int i = 0; i < m_list.Count(); ++i)
        if (m_list.GetText(i, Fld::SubKind) == "L")
            subDescriptions[ParseInt(m_list.GetText(i, Fld::GroupRef))].push_back(i);

    static const Fld kCopied[] = {Fld::OtherShare, Fld::WageShare, Fld::UnitPrice, Fld::SurchargePct};
    int m = -1;
    for (int j = 0; j < bid.Count(); ++j) {
        int k = -1;
        if (m != -1 && bid.GetText(j, Fld::SubKind) == "L") {
            auto it = subDescriptions.find(ParseInt(bid.GetText(j, Fld::GroupRef)));
            if (it != subDescriptions.end()) {
                auto next = std::upper_bound(it->second.begin(), it->second.end(), m);
                if (next != it->second.end()) k = *next;
            }
        }
        m = k;
        if (k == -1) {
            const std::string oz = bid.GetText(j, Fld::OZ);
            if (!oz.empty()) {
                k = m_list.FindRecord(Fld::OZ, FieldValue(oz));
                if (k != -1 && m == -1 && m_list.GetText(k, Fld::SubKind) == "L") m = k;
            }
        }
        if (k == -1) continue;

        for (Fld field : kCopied) {
            FieldValue value;
            if (bid.GetField(j, field, value)) m_list.SetField(k, field, value);
        }
        // A lump sum of a normal, base or contingency position carries only its total in the
        // bid; alternative and eventual ones carry their unit price and no total.
        const char posType = m_list.GetChar(k, Fld::PosType);
        const bool totalOnly = posType == '\0' || posType == PosType::Normal || posType == PosType::Base ||
                               posType == PosType::Contingency;
        if (totalOnly && ToUpperAscii(m_list.GetText(k, Fld::Unit)).find("PSCH") != std::string::npos)
            m_list.SetDouble(k, Fld::UnitPrice, bid.GetDouble(j, Fld::TotalPrice));
        const std::string flags = m_list.GetText(k, Fld::Flags);
        if (FlagAt(flags, FlagPos::BidderQuantity) == 'X' || FlagAt(flags, FlagPos::Surcharge) == 'Z')
            m_list.SetDouble(k, Fld::Quantity, bid.GetDouble(j, Fld::Quantity));
        RecalcPosition(m_list, k);
        m_list.SetText(k, Fld::BidderTexts, bid.GetText(j, Fld::LongText));
    }
}

void CGaebConverter::FormatOZ(const std::string& raw, std::string& out, const std::string& key) {
    if (!key.empty()) ozKey = key;
    std::string w = raw;
    if (w.size() < 10) w.resize(10, ' ');
    // From the last level down, so that a point does not move the places still to come.
    // Levels are the digits 1 to 8; "0" marks unused places of the key (1122PPPP0) and
    // gets no point: it lies behind the levels and would be looked up after their points
    // have shifted the text.
    for (int d = 8; d >= 1; --d) {
        size_t p;
        if (d == 8) {
            // The index place: the point would follow the ninth character.
            if (ozKey.size() <= 8 || ozKey[8] != 'I') continue;
            p = 8;
        } else {
            p = ozKey.rfind(static_cast<char>('0' + d));
            if (p == std::string::npos) continue;
        }
        if (p + 1 < w.size() && w[p + 1] != ' ') w.insert(p + 1, 1, '.');
    }
    out = w;
}

std::string CGaebConverter::FormatOZ(const std::string& raw) {
    std::string out;
    FormatOZ(raw, out);
    return out;
}
