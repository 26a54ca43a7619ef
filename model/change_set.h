#pragma once

#include "model/field_value.h"
#include "model/fields.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CAngebotList;

// What one entry of the user changed in the record list: for every field it set to another
// value, the value before and after. Undo puts the old values back and Redo the new ones,
// byte for byte. A change of a number takes 24 bytes, so that even a hand-down over a whole
// LV costs a fraction of a copy of the list.
class CChangeSet {
public:
    // Called by the list for every field set while the change set records; a set that
    // leaves the value as it was is not kept.
    void Record(int index, Fld field, const FieldValue& before, const FieldValue& after);

    void Undo(CAngebotList& list) const;
    void Redo(CAngebotList& list) const;

    // True when no field ends with another value than it had (an entry that changed nothing).
    bool Empty() const;
    // Number of recorded sets.
    size_t Size() const { return m_numbers.size() + m_texts.size(); }
    // The records whose fields the entry changed, each once, in ascending order.
    std::vector<int> Records() const;
    // The memory the change set takes (approximately).
    size_t MemoryBytes() const;
    // Gives back what the recording reserved beyond the changes (a finished step is kept long).
    void Shrink();

private:
    // Numbers (doubles and the integer level, which a double holds exactly) and texts apart.
    // A field set several times is kept several times: undone in reverse order and redone in
    // order, the first old and the last new value win.
    struct NumberChange {
        int32_t index;
        Fld field;
        double before;
        double after;
    };
    struct TextChange {
        int32_t index;
        Fld field;
        std::string before;
        std::string after;
    };
    std::vector<NumberChange> m_numbers;
    std::vector<TextChange> m_texts;
};

// Records the changes of the list into a change set while it lives; a recording inside
// another one adds to the outer set, so that one entry stays one step.
class CRecordChanges {
public:
    CRecordChanges(CAngebotList& list, CChangeSet& changes);
    ~CRecordChanges();
    CRecordChanges(const CRecordChanges&) = delete;
    CRecordChanges& operator=(const CRecordChanges&) = delete;

private:
    CAngebotList& m_list;
    CChangeSet* m_previous;
};
