#pragma once

#include "model/change_set.h"

#include <functional>
#include <string>
#include <vector>

// The history of the user's entries, each one step with a name ("EP 1.1.10") and what it
// changed. Undo and Redo walk it as Qt's undo stack does: a new step drops the steps that
// were undone; the clean index marks the state of the last save.
class CUndoStack {
public:
    // Adds a step that is already done; an empty change set adds nothing.
    void Push(std::string name, CChangeSet changes);
    // Puts back the values before the last done step / after the next undone one; false when
    // there is none. The records the step touched are handed to `touched`.
    bool Undo(CAngebotList& list, std::vector<int>* touched = nullptr);
    bool Redo(CAngebotList& list, std::vector<int>* touched = nullptr);

    bool CanUndo() const { return m_index > 0; }
    bool CanRedo() const { return m_index < m_steps.size(); }
    // The names of the step Undo and Redo would take ("" when none).
    std::string UndoName() const;
    std::string RedoName() const;

    // The state of the last save; IsClean when the steps stand there again.
    void SetClean() { m_clean = static_cast<long>(m_index); }
    bool IsClean() const { return m_clean == static_cast<long>(m_index); }
    // Drops every step (a new file was opened).
    void Clear();

    size_t Count() const { return m_steps.size(); }
    size_t Index() const { return m_index; }
    size_t MemoryBytes() const;

private:
    struct Step {
        std::string name;
        CChangeSet changes;
    };
    std::vector<Step> m_steps;
    size_t m_index = 0; // steps before it are done
    long m_clean = 0;   // -1: the saved state cannot be reached any more
};
