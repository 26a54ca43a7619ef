#pragma once

#include "model/angebot.h"
#include "model/field_index.h"
#include "model/record_store.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The ordered list of owned bid records. A record's index is its position in the
// list and never changes while the record exists. The tree is encoded in the fields
// ParentId/RecordId/Level, the display order in the chain of next/previous indices.
class CChangeSet;

class CAngebotList {
public:
    CAngebotList();
    ~CAngebotList();
    CAngebotList(const CAngebotList&) = delete;
    CAngebotList& operator=(const CAngebotList&) = delete;

    int Count() const { return m_records.Size(); }

    int AddRecord();
    int SetField(int index, Fld field, const FieldValue& value);
    int GetField(int index, Fld field, FieldValue& value) const;
    void RemoveAll();

    // First record in list order whose field equals the value; -1 if none.
    // Answered from an index per field that is kept current by SetField.
    int FindRecord(Fld field, const FieldValue& value) const;

    void CopyRecords(CAngebotList& target) const;
    // Hands the records over to `target` (whose own records go) and leaves this list empty.
    void MoveRecordsTo(CAngebotList& target);

    void LinkDisplayChain();
    CAngebot* InsertGroupSums(CAngebot* start = nullptr);
    void RenumberSortNo();
    CAngebot* FirstChildRecord(CAngebot* record);
    CAngebot* NextSiblingRecord(CAngebot* record);
    int IndexOf(const CAngebot* record) const;
    CAngebot* Record(int index);
    const CAngebot* Record(int index) const;

    std::string BuildLabel(int index) const;
    // Sets the Label of every record.
    void BuildAllLabels();

    // The first record of the display chain (first in list order with previous -1), or -1.
    int FirstInChain() const;
    int NextInChain(int index) const;

    // Typed shortcuts over GetField/SetField; a failed get gives 0 or "".
    double GetDouble(int index, Fld field) const;
    int32_t GetInt(int index, Fld field) const;
    std::string GetText(int index, Fld field) const;
    // The text without a copy; valid until the field changes or the list is emptied.
    std::string_view GetTextView(int index, Fld field) const;
    int SetDouble(int index, Fld field, double value) { return SetField(index, field, FieldValue(value)); }
    int SetInt(int index, Fld field, int32_t value) { return SetField(index, field, FieldValue(value)); }
    // Takes a view: without a recorder the text is copied once, straight into the record.
    int SetText(int index, Fld field, std::string_view value);
    // The field's text without trailing white space; its first character or '\0'.
    char GetChar(int index, Fld field) const;

    // While a change set is attached, every field that SetField changes is recorded in it
    // (see CRecordChanges). No recorder: nothing is recorded.
    void SetRecorder(CChangeSet* recorder) { m_recorder = recorder; }
    CChangeSet* Recorder() const { return m_recorder; }

private:
    // Changes a field of record `index` through `set`, keeping the field's index current.
    template <typename Set> int ChangeField(int index, Fld field, Set set);
    CFieldIndex& EnsureIndex(Fld field) const;

    CRecordStore m_records;
    mutable std::array<std::unique_ptr<CFieldIndex>, kFieldCount> m_indexes;
    CChangeSet* m_recorder = nullptr;
};
