#include "app/undo_stack.h"

void CUndoStack::Push(std::string name, CChangeSet changes) {
    if (changes.Empty()) return;
    // The undone steps are gone; so is the saved state when it was among them.
    if (m_clean > static_cast<long>(m_index)) m_clean = -1;
    m_steps.resize(m_index);
    changes.Shrink();
    m_steps.push_back({std::move(name), std::move(changes)});
    ++m_index;
}

bool CUndoStack::Undo(CAngebotList& list, std::vector<int>* touched) {
    if (!CanUndo()) return false;
    const Step& step = m_steps[--m_index];
    step.changes.Undo(list);
    if (touched) *touched = step.changes.Records();
    return true;
}

bool CUndoStack::Redo(CAngebotList& list, std::vector<int>* touched) {
    if (!CanRedo()) return false;
    const Step& step = m_steps[m_index++];
    step.changes.Redo(list);
    if (touched) *touched = step.changes.Records();
    return true;
}

std::string CUndoStack::UndoName() const {
    return CanUndo() ? m_steps[m_index - 1].name : std::string();
}

std::string CUndoStack::RedoName() const {
    return CanRedo() ? m_steps[m_index].name : std::string();
}

void CUndoStack::Clear() {
    m_steps.clear();
    m_index = 0;
    m_clean = 0;
}

size_t CUndoStack::MemoryBytes() const {
    size_t bytes = m_steps.capacity() * sizeof(Step);
    for (const Step& step : m_steps)
        bytes += step.name.capacity() + step.changes.MemoryBytes();
    return bytes;
}
