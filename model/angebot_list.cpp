#include "model/angebot_list.h"

#include "common/text_util.h"
#include "model/change_set.h"

#include <cmath>
#include <cstring>

CAngebotList::CAngebotList() = default;
CAngebotList::~CAngebotList() = default;

int CAngebotList::AddRecord() {
    const int index = Count();
    CAngebot& record = m_records.Add();
    record.m_index = index;
    for (auto& fieldIndex : m_indexes)
        if (fieldIndex) fieldIndex->Add(m_records, index);
    return index;
}

template <typename Set> int CAngebotList::ChangeField(int index, Fld field, Set set) {
    CFieldIndex* fieldIndex = m_indexes[FieldNumber(field)].get();
    if (fieldIndex) fieldIndex->Remove(m_records, index);
    const int changed = set(m_records[index]);
    if (fieldIndex) fieldIndex->Add(m_records, index);
    return changed;
}

int CAngebotList::SetField(int index, Fld field, const FieldValue& value) {
    if (index < 0 || index >= Count() || !IsValidField(field)) return 0;
    if (m_recorder && CAngebot::Accepts(field, value)) {
        FieldValue before;
        m_records[index].GetField(field, before);
        m_recorder->Record(index, field, before, value);
    }
    return ChangeField(index, field, [&](CAngebot& record) { return record.SetField(field, value); });
}

int CAngebotList::SetText(int index, Fld field, std::string_view value) {
    // A recorder keeps the value as a FieldValue anyway.
    if (m_recorder) return SetField(index, field, FieldValue(std::string(value)));
    if (index < 0 || index >= Count() || !IsValidField(field)) return 0;
    return ChangeField(index, field, [&](CAngebot& record) { return record.SetText(field, value); });
}

int CAngebotList::GetField(int index, Fld field, FieldValue& value) const {
    if (index < 0 || index >= Count()) return 0;
    return m_records[index].GetField(field, value);
}

void CAngebotList::RemoveAll() {
    m_records.Clear();
    for (auto& map : m_indexes)
        map.reset();
}

CFieldIndex& CAngebotList::EnsureIndex(Fld field) const {
    auto& slot = m_indexes[FieldNumber(field)];
    if (!slot) {
        auto fieldIndex = std::make_unique<CFieldIndex>(field);
        fieldIndex->Reserve(static_cast<size_t>(Count()));
        for (int i = 0; i < Count(); ++i)
            fieldIndex->Add(m_records, i);
        slot = std::move(fieldIndex);
    }
    return *slot;
}

int CAngebotList::FindRecord(Fld field, const FieldValue& value) const {
    if (!IsValidField(field) || Count() == 0) return -1;
    return EnsureIndex(field).Find(m_records, value);
}

void CAngebotList::CopyRecords(CAngebotList& target) const {
    for (int i = 0; i < Count(); ++i) {
        const int t = target.AddRecord();
        for (int n = 0; n < kFieldCount; ++n) {
            FieldValue value;
            if (GetField(i, FieldOf(n), value)) target.SetField(t, FieldOf(n), value);
        }
    }
}

void CAngebotList::MoveRecordsTo(CAngebotList& target) {
    m_records.MoveTo(target.m_records);
    target.m_indexes = std::move(m_indexes);
    RemoveAll();
}

void CAngebotList::LinkDisplayChain() {
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        m_records[i].m_prev = i - 1;
        m_records[i].m_next = i + 1 < n ? i + 1 : -1;
    }
}

int CAngebotList::FirstInChain() const {
    for (int i = 0; i < Count(); ++i)
        if (m_records[i].m_prev == -1) return i;
    return -1;
}

int CAngebotList::NextInChain(int index) const {
    if (index < 0 || index >= Count()) return -1;
    const int next = m_records[index].m_next;
    return next >= 0 && next < Count() ? next : -1;
}

CAngebot* CAngebotList::Record(int index) {
    return index >= 0 && index < Count() ? &m_records[index] : nullptr;
}

const CAngebot* CAngebotList::Record(int index) const {
    return index >= 0 && index < Count() ? &m_records[index] : nullptr;
}

int CAngebotList::IndexOf(const CAngebot* record) const {
    if (!record || record->m_index < 0 || record->m_index >= Count()) return -1;
    return &m_records[record->m_index] == record ? record->m_index : -1;
}

CAngebot* CAngebotList::FirstChildRecord(CAngebot* record) {
    if (!record) return nullptr;
    CAngebot* next = Record(record->m_next);
    if (!next) return nullptr;
    FieldValue parentId, id;
    next->GetField(Fld::ParentId, parentId);
    record->GetField(Fld::RecordId, id);
    return parentId == id ? next : nullptr;
}

CAngebot* CAngebotList::NextSiblingRecord(CAngebot* record) {
    if (!record) return nullptr;
    FieldValue parentId, level;
    record->GetField(Fld::ParentId, parentId);
    record->GetField(Fld::Level, level);
    int j = record->m_next;
    // The walk never takes more steps than there are records, even on a broken chain.
    for (int steps = 0; steps <= Count(); ++steps) {
        CAngebot* c = Record(j);
        if (!c) return nullptr;
        FieldValue cParent, cLevel;
        c->GetField(Fld::ParentId, cParent);
        if (cParent == parentId) return c;
        c->GetField(Fld::Level, cLevel);
        j = c->m_next;
        if (j == -1 || cLevel.AsInt() < level.AsInt()) return nullptr;
    }
    return nullptr;
}

CAngebot* CAngebotList::InsertGroupSums(CAngebot* start) {
    if (!start) {
        start = Record(FirstInChain());
        if (!start) return nullptr;
    }
    CAngebot* r = start;
    CAngebot* lastVisited = nullptr;
    // Bounded by the records that exist before the call, so a broken chain cannot loop.
    const int limit = Count();
    for (int steps = 0; r && steps <= limit; ++steps) {
        if (CAngebot* c = FirstChildRecord(r)) {
            CAngebot* last = InsertGroupSums(c);
            if (last) {
                const int s = AddRecord();
                const int lastIndex = IndexOf(last);
                SetDouble(s, Fld::ParentId, GetDouble(lastIndex, Fld::ParentId));
                SetDouble(s, Fld::RecordId, static_cast<double>(s));
                SetInt(s, Fld::Level, GetInt(lastIndex, Fld::Level));
                SetText(s, Fld::Kind, "S");
                CAngebot* sum = &m_records[s];
                sum->m_next = last->m_next;
                sum->m_prev = lastIndex;
                last->m_next = s;
            }
        }
        lastVisited = r;
        r = NextSiblingRecord(r);
    }
    return lastVisited;
}

void CAngebotList::RenumberSortNo() {
    int i = FirstInChain();
    double no = 1.0;
    for (int steps = 0; i != -1 && steps < Count(); ++steps) {
        SetDouble(i, Fld::SortNo, no);
        no += 1.0;
        i = NextInChain(i);
    }
}

double CAngebotList::GetDouble(int index, Fld field) const {
    const CAngebot* record = Record(index);
    return record ? record->Number(field) : 0.0;
}

int32_t CAngebotList::GetInt(int index, Fld field) const {
    const CAngebot* record = Record(index);
    return record && TypeOfField(field) == FieldType::Int ? record->Integer() : 0;
}

std::string CAngebotList::GetText(int index, Fld field) const {
    return std::string(GetTextView(index, field));
}

std::string_view CAngebotList::GetTextView(int index, Fld field) const {
    const CAngebot* record = Record(index);
    return record ? std::string_view(record->Text(field)) : std::string_view();
}

char CAngebotList::GetChar(int index, Fld field) const {
    const std::string_view text = GetTextView(index, field);
    // The first character, unless the text is white space only.
    for (char c : text)
        if (!IsSpace(c)) return text[0];
    return '\0';
}

namespace {

// Position of a one-letter field in a letter set, or -1 (an empty field is in no set).
int LetterIn(std::string_view letter, const char* set) {
    if (letter.empty()) return -1;
    const char* p = std::strchr(set, letter[0]);
    return p && *p ? static_cast<int>(p - set) : -1;
}

const char* const kPosTypeWords[] = {"NT tech. ", "NT Bauh. ", "Zahlungs-", "Grund-", "Alt.-",
                                     "Evtl.-",    "Bedarfs-",  "Text-",     "entf. ", "Stdl.-"};
const char* const kStatusWords[] = {"[erkannt] ",
                                    "[angemeldet] ",
                                    "[angeboten] ",
                                    ("[zur\xfc"
                                     "ckgezogen] "),
                                    "[abgelehnt] ",
                                    "[Widerspruch] ",
                                    "[anerkannt] ",
                                    "[genehmigt] "};
const char* const kKindWords[] = {"Projekt", "Ordner", "Verzeichnis", "Element",    "Titel",
                                  "Pos.",    "Pos.",   "Bemerkung",   "Summe/Ende", "Kosten"};
const char* const kRemarkWords[] = {"Unterbeschreibung", "Ausf.-beschreibung", "Block", "Haupt-Pos.",
                                    "-Titel"};

} // namespace

std::string CAngebotList::BuildLabel(int index) const {
    const std::string_view kind = TrimRightView(GetTextView(index, Fld::Kind));
    const std::string_view posType = TrimRightView(GetTextView(index, Fld::PosType));
    const std::string_view flags = TrimRightView(GetTextView(index, Fld::Flags));
    const std::string_view subKind = TrimRightView(GetTextView(index, Fld::SubKind));
    const std::string_view groupRef = TrimRightView(GetTextView(index, Fld::GroupRef));
    int level = GetInt(index, Fld::Level);

    std::string label;
    if (kind == "S" || kind == "K") level -= 1;
    if (level > 0) label.append(static_cast<size_t>(level), ' ');

    const int type = LetterIn(posType, "TBZGAEFCDS");
    if (type >= 0) label += kPosTypeWords[type];
    if (posType == "T" || posType == "B") {
        const char status = FlagAt(flags, FlagPos::Status);
        if (status >= '1' && status <= '8') label += kStatusWords[status - '1'];
    }
    if (FlagAt(flags, FlagPos::Omitted) == 'R' && label.find("entf. ") == std::string::npos)
        label += "entf. ";
    if (FlagAt(flags, FlagPos::HourlyRate) == '1') label += "Stdl.-";

    if (kind == "P") {
        const int sub = LetterIn(subKind, "LH");
        if (sub == 0)
            label += "Leit-";
        else if (sub == 1)
            label += "Unter-";
        if (!subKind.empty()) label += "Pos.";
        if (FlagAt(flags, FlagPos::SplitPrice) == 'X') label += " MP/LP";
        const char surcharge = FlagAt(flags, FlagPos::Surcharge);
        if (surcharge == 'E')
            label += " (f. Zschl.)";
        else if (surcharge == 'Z')
            label += " Zuschlag";
        const char ref = FlagAt(flags, FlagPos::DescRef);
        if (ref == 'B')
            label += " Bzg. vollst. Beschr.";
        else if (ref == 'W')
            label += " Wdh. verk. Beschr.";
        else if (ref == 'A')
            label += " Bzg. Ausf.-Beschr.";
        if (FlagAt(flags, FlagPos::BidderQuantity) == 'X') label += " Bietermenge";
    } else if (kind == "B" && !subKind.empty()) {
        const int sub = LetterIn(subKind, "LABHT");
        if (sub >= 0) label += kRemarkWords[sub];
    } else {
        const int k = LetterIn(kind, "XOLETPPBSK");
        if (k >= 0) label += kKindWords[k];
    }

    if ((posType == "G" || posType == "A" || LetterIn(subKind, "LAB") >= 0) && !groupRef.empty())
        label += " [" + TrimLeft(groupRef) + "]";
    if (FlagAt(flags, FlagPos::Marked) == '1') label += " (*)";
    return label;
}

void CAngebotList::BuildAllLabels() {
    for (int i = 0; i < Count(); ++i)
        SetText(i, Fld::Label, BuildLabel(i));
}
