#include "gaeb90/gaeb_converter.h"

#include "common/code_page.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaeb90/gaeb_columns.h"
#include "model/calculation.h"
#include "model/gaeb_text.h"
#include "model/info_values.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <unordered_map>

using gaeb90::ColsTrim;

namespace {

// Handlers read at most column 80; the rest of a longer line is kept only up to this
// length, so that a file without line ends cannot make one line grow without bound.
constexpr size_t kMaxLineLength = 4096;
// Numbers beyond this are refused: the grid shows at most 12 integer digits.
constexpr double kMaxNumber = 1e12;

// An empty line or one that holds only the DOS end-of-file character: older tools
// end their files with such lines.
bool IsEndFiller(std::string_view line) {
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

bool CGaebConverter::Fail(std::string reason) {
    m_error = std::move(reason);
    return false;
}

bool CGaebConverter::CheckNumber(double value, const char* what) {
    if (std::isfinite(value) && std::fabs(value) < kMaxNumber) return true;
    return Fail(std::string(what) + " ist keine g\xfcltige Zahl oder zu gro\xdf");
}

std::string CGaebConverter::FormatOZ(std::string_view raw) const {
    return ::FormatOZ(raw, m_ozKey);
}

CGaebConverter::FileResult CGaebConverter::ReadLines(std::string_view data) {
    std::string raw;
    size_t pos = 0;
    while (pos < data.size()) {
        size_t end = data.find('\n', pos);
        if (end == std::string_view::npos) end = data.size();
        const std::string_view piece = data.substr(pos, end - pos);
        pos = end + 1;
        ++m_lineNo;
        // The line without CR, cut at kMaxLineLength, appended in runs between the CRs.
        raw.clear();
        for (size_t from = 0; from < piece.size() && raw.size() < kMaxLineLength;) {
            const size_t cr = std::min(piece.find('\r', from), piece.size());
            raw.append(piece.substr(from, std::min(cr - from, kMaxLineLength - raw.size())));
            from = cr + 1;
        }
        if (IsEndFiller(raw)) {
            m_fillerSeen = true;
            continue;
        }
        // An empty line is accepted only behind the last record.
        if (m_fillerSeen) {
            Fail("Leere Zeile vor weiteren S\xe4tzen");
            return FileResult::Stopped;
        }
        Cp850ToCp1252InPlace(raw);
        if (!ParseRecord(raw)) return FileResult::Stopped;
    }
    return FileResult::Done;
}

void CGaebConverter::ResetLineState() {
    m_lineNo = 0;
    m_fillerSeen = false;
    m_recordType.clear();
    m_prevRecordType.clear();
    m_pendingText.clear();
    m_pendingNote.clear();
    m_ozKey.clear();
    m_textKey.clear();
    m_textJoin = TextJoin::Closed;
    m_current = -1;
    m_level = 1;
    m_exchangePhase = 3;
    m_componentCount = 0;
    m_blockCounter = 0;
    m_levelIds.fill(0.0);
    m_levelTitles.fill(std::string());
    m_levelOZ.fill(std::string());
    m_error.clear();
}

CIoResult CGaebConverter::ReadD83(const std::string& path) {
    // A D83 that cannot be read fails before its bid file is read.
    std::size_t size = 0;
    if (CIoResult checked = CheckInputFile(path, size); !checked) return checked;
    try {
        SSavedBid bid;
        BeginRead();
        const std::string bidPath = FindBidFile(path);
        bool withBid = false;
        if (!bidPath.empty()) {
            std::string d84;
            // A bid file that cannot be read is left out, as if there were none.
            withBid = ReadWholeFile(bidPath, d84).Ok();
            if (withBid) ReadBid(d84, bid);
        }
        // The D83 is read in blocks, so that its image is never held beside its records.
        BeginInvitation();
        FileResult parsed = FileResult::Done;
        const CIoResult read = ReadFileLines(path, [&](std::string_view lines) {
            parsed = ReadLines(lines);
            return parsed == FileResult::Done;
        });
        if (!read) {
            m_list.RemoveAll();
            return read;
        }
        return FinishInvitation(parsed, withBid ? &bid : nullptr);
    } catch (const std::bad_alloc&) {
        m_list.RemoveAll();
        return CIoResult::Failure("Nicht gen\xfcgend Arbeitsspeicher");
    }
}

CIoResult CGaebConverter::ReadD83Data(std::string_view d83, std::optional<std::string_view> d84) {
    try {
        SSavedBid bid;
        BeginRead();
        if (d84) ReadBid(*d84, bid);
        BeginInvitation();
        return FinishInvitation(ReadLines(d83), d84 ? &bid : nullptr);
    } catch (const std::bad_alloc&) {
        m_list.RemoveAll();
        return CIoResult::Failure("Nicht gen\xfcgend Arbeitsspeicher");
    }
}

void CGaebConverter::BeginRead() {
    m_list.RemoveAll();
    ResetLineState();
    m_idCounter = 0;
}

void CGaebConverter::ReadBid(std::string_view d84, SSavedBid& bid) {
    // A bid file that stops early still gives the records read so far. Its records go once
    // the merge's part is taken; the D83 then reuses their memory.
    ReadLines(d84);
    bid = SavedBidOf(m_list);
    m_list.RemoveAll();
}

void CGaebConverter::BeginInvitation() {
    m_list.RemoveAll();
    m_component2Name.clear();
    m_component1Name.clear();
    // The D83 is read as if there were no bid file, except that the record ids go on
    // counting after those of the bid file. A bid file that stopped in the middle
    // would otherwise leave its open levels and collected text to the D83.
    ResetLineState();
}

CIoResult CGaebConverter::FinishInvitation(FileResult parsed, const SSavedBid* bid) {
    if (parsed != FileResult::Done) {
        m_list.RemoveAll();
        return CIoResult::Failure(m_error, m_lineNo);
    }
    m_list.BuildAllLabels();
    if (bid) MergeSaved(*bid);
    return CIoResult::Success();
}

bool CGaebConverter::ParseRecord(const std::string& record) {
    if (record.size() < 80) return Fail("Satz k\xfcrzer als 80 Zeichen");

    m_recordType.assign(record, 0, 2);
    if (IsClosingType(m_recordType)) FlushPendingText();

    if (m_recordType[0] == 'T') {
        if (!OnTRecord(record)) return false;
    } else {
        bool ok = true;
        switch (ParseInt(m_recordType)) {
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
            ok = OnRecord21(record);
            break;
        case 22:
            ok = OnRecord22(record);
            break;
        case 23:
            ok = OnRecord23(record);
            break;
        case 24:
            ok = OnRecord24(record);
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
            ok = OnRecord30(record);
            break;
        case 31:
            ok = OnRecord31(record);
            break;
        case 32:
            ok = OnRecord32(record);
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
    m_prevRecordType = m_recordType;
    return true;
}

void CGaebConverter::FlushPendingText() {
    if (m_pendingText.empty() || m_current == -1) return;
    if (m_list.GetTextView(m_current, Fld::Kind) == "L" &&
        m_list.GetTextView(m_current, Fld::PosType).empty()) {
        // The header records 00-08 become the information blocks of the LV; its long
        // text is the project information.
        m_list.SetText(m_current, Fld::InfoText, m_pendingText);
        m_pendingText = GetInfoValue(m_list, m_current, "02");
    }
    m_list.SetText(m_current, Fld::LongText, m_list.GetText(m_current, Fld::LongText) + m_pendingText);
    if (m_exchangePhase != 4) PostProcessLongText(m_list, m_current, m_pendingNote);
    m_pendingText.clear();
    m_pendingNote.clear();
}

int CGaebConverter::SafeLevel(int value) const {
    return std::clamp(value, 0, kLevelCount - 1);
}

int CGaebConverter::NewRecord(char kind) {
    ++m_idCounter;
    const int index = m_list.AddRecord();
    m_list.SetDouble(index, Fld::ParentId, m_levelIds[static_cast<size_t>(SafeLevel(m_level))]);
    m_list.SetDouble(index, Fld::RecordId, static_cast<double>(m_idCounter));
    m_list.SetDouble(index, Fld::SortNo, static_cast<double>(m_idCounter));
    m_list.SetInt(index, Fld::Level, m_level);
    m_list.SetText(index, Fld::Kind, std::string(1, kind));
    m_current = index;
    return index;
}

void CGaebConverter::OpenGroup() {
    if (!CanOpenGroup()) return;
    ++m_level;
    m_levelIds[static_cast<size_t>(m_level)] = static_cast<double>(m_idCounter);
}

void CGaebConverter::CloseGroup() {
    if (m_level > 1) --m_level;
}

bool CGaebConverter::OnTRecord(const std::string& line) {
    const std::string& prev = m_prevRecordType;
    if (prev.empty() || prev[0] != 'T' || prev == "T9") {
        // First line of a block of contract regulations: a group of its own; the line's
        // data is not used.
        if (!CanOpenGroup()) return Fail("Zu viele Gliederungsebenen");
        m_levelTitles[static_cast<size_t>(SafeLevel(m_level))] = kContractTitle;
        const int index = NewRecord(Kind::Lv);
        m_list.SetText(index, Fld::PosType, "C");
        m_list.SetText(index, Fld::ShortText, kContractTitle);
        OpenGroup();
        return true;
    }
    if (m_recordType == "T0") {
        const int index = NewRecord(Kind::Remark);
        m_list.SetText(index, Fld::PosType, "C");
    } else if (m_recordType == "T1") {
        if (!m_pendingText.empty()) m_pendingText += "\r\n";
        m_pendingText += ColsTrim(line, 3, 74);
    } else if (m_recordType == "T9") {
        if (m_level < 2) return Fail("Satzart T9 ohne offene Vertragsbedingungen");
        const std::string title = "Ende " + m_levelTitles[static_cast<size_t>(SafeLevel(m_level - 1))];
        const int index = NewRecord(Kind::Sum);
        m_list.SetText(index, Fld::PosType, "C");
        m_list.SetText(index, Fld::ShortText, title);
        CloseGroup();
    }
    return true;
}

CGaebConverter::SSavedBid CGaebConverter::SavedBidOf(const CAngebotList& bid) {
    SSavedBid saved;
    saved.records.reserve(static_cast<size_t>(bid.Count()));
    auto keep = [&](std::string_view text, uint32_t& begin, uint32_t& end) {
        begin = static_cast<uint32_t>(saved.texts.size());
        saved.texts += text;
        end = static_cast<uint32_t>(saved.texts.size());
    };
    for (int j = 0; j < bid.Count(); ++j) {
        SSavedRecord& r = saved.records.emplace_back();
        keep(bid.GetTextView(j, Fld::OZ), r.ozBegin, r.ozEnd);
        keep(bid.GetTextView(j, Fld::LongText), r.textBegin, r.textEnd);
        r.subDescription = bid.GetTextView(j, Fld::SubKind) == "L";
        if (r.subDescription) r.groupRef = ParseInt(bid.GetTextView(j, Fld::GroupRef));
        r.otherShare = bid.GetDouble(j, Fld::OtherShare);
        r.wageShare = bid.GetDouble(j, Fld::WageShare);
        r.unitPrice = bid.GetDouble(j, Fld::UnitPrice);
        r.surchargePct = bid.GetDouble(j, Fld::SurchargePct);
        r.quantity = bid.GetDouble(j, Fld::Quantity);
        r.totalPrice = bid.GetDouble(j, Fld::TotalPrice);
    }
    return saved;
}

void CGaebConverter::MergeBid(const CAngebotList& bid) {
    MergeSaved(SavedBidOf(bid));
}

void CGaebConverter::MergeSaved(const SSavedBid& bid) {
    // Sub-descriptions of the application's list by the number of their group reference,
    // in list order, so that "the next one after m" is found without a scan.
    std::unordered_map<int, std::vector<int>> subDescriptions;
    for (int i = 0; i < m_list.Count(); ++i)
        if (m_list.GetTextView(i, Fld::SubKind) == "L")
            subDescriptions[ParseInt(m_list.GetTextView(i, Fld::GroupRef))].push_back(i);

    int m = -1;
    for (const SSavedRecord& saved : bid.records) {
        int k = -1;
        if (m != -1 && saved.subDescription) {
            auto it = subDescriptions.find(saved.groupRef);
            if (it != subDescriptions.end()) {
                auto next = std::upper_bound(it->second.begin(), it->second.end(), m);
                if (next != it->second.end()) k = *next;
            }
        }
        m = k;
        if (k == -1) {
            const std::string_view oz = bid.Text(saved.ozBegin, saved.ozEnd);
            if (!oz.empty()) {
                k = m_list.FindRecord(Fld::OZ, FieldValue(std::string(oz)));
                if (k != -1 && m == -1 && m_list.GetTextView(k, Fld::SubKind) == "L") m = k;
            }
        }
        if (k == -1) continue;

        m_list.SetDouble(k, Fld::OtherShare, saved.otherShare);
        m_list.SetDouble(k, Fld::WageShare, saved.wageShare);
        m_list.SetDouble(k, Fld::UnitPrice, saved.unitPrice);
        m_list.SetDouble(k, Fld::SurchargePct, saved.surchargePct);
        const std::string_view flags = m_list.GetTextView(k, Fld::Flags);
        if (FlagAt(flags, FlagPos::BidderQuantity) == 'X' || FlagAt(flags, FlagPos::Surcharge) == 'Z')
            m_list.SetDouble(k, Fld::Quantity, saved.quantity);
        // A lump sum of a normal, base or contingency position with quantity 1 carries only its
        // total in the bid; with another quantity (and for other types) the unit price as well.
        const char posType = m_list.GetChar(k, Fld::PosType);
        const bool totalOnly = posType == '\0' || posType == PosType::Normal || posType == PosType::Base ||
                               posType == PosType::Contingency;
        if (totalOnly && saved.unitPrice == 0.0 &&
            ToUpperAscii(m_list.GetTextView(k, Fld::Unit)).find("PSCH") != std::string::npos) {
            const double quantity = m_list.GetDouble(k, Fld::Quantity);
            const double total = saved.totalPrice;
            m_list.SetDouble(k, Fld::UnitPrice,
                             quantity == 0.0 || quantity == 1.0 ? total : total / quantity);
        }
        RecalcPosition(m_list, k);
        m_list.SetText(k, Fld::BidderTexts, bid.Text(saved.textBegin, saved.textEnd));
    }
}
