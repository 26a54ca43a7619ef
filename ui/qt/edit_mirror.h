#pragma once

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

// Shared by the line edits whose typing rules live in a logic object (CFloatEditLogic,
// CDateEditLogic): which key events are typing, and copying caret and selection between the
// widget and the logic.

// Printable text typed without Ctrl (Ctrl+Alt is AltGr on some systems).
inline bool IsTypedText(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)) return false;
    const QString text = event->text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

// Keys that would change the text behind the typing rules' back.
inline bool IsForeignEdit(const QKeyEvent* event) {
    return event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo) ||
           event->matches(QKeySequence::Redo);
}

// Caret, selection and read-only state as the user left them in the widget.
template <class Logic> void CopyCaretToLogic(const QLineEdit& edit, Logic& logic) {
    logic.SetReadOnly(edit.isReadOnly());
    if (edit.hasSelectedText())
        logic.SetSelection(edit.selectionStart(), edit.selectionEnd(), edit.cursorPosition());
    else
        logic.SetCaret(edit.cursorPosition());
}

// Caret and selection of the logic shown in the widget, the caret at the same end.
template <class Logic> void CopyCaretToWidget(const Logic& logic, QLineEdit& edit) {
    if (!logic.HasSelection())
        edit.setCursorPosition(logic.Caret());
    else if (logic.Caret() == logic.SelectionStart())
        edit.setSelection(logic.SelectionEnd(), logic.SelectionStart() - logic.SelectionEnd());
    else
        edit.setSelection(logic.SelectionStart(), logic.SelectionEnd() - logic.SelectionStart());
}
