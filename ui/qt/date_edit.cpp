#include "ui/qt/date_edit.h"

#include "common/code_page.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace {

QString ToQString(const std::string& cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string FromQString(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

// Printable text typed without Ctrl (Ctrl+Alt is AltGr on some systems).
bool IsTyping(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)) return false;
    const QString text = event->text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

} // namespace

CDateEdit::CDateEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false);
    setDragEnabled(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textChanged, this, &CDateEdit::OnTextChanged);
    MirrorToWidget();
}

void CDateEdit::SetText(const std::string& text) {
    m_logic.SetText(text);
    MirrorToWidget();
}

bool CDateEdit::ValidateDate() {
    SyncFromWidget();
    const bool valid = m_logic.ValidateDate();
    if (valid)
        MirrorToWidget();
    else
        QApplication::beep();
    return valid;
}

void CDateEdit::SetModified(bool modified) {
    m_logic.SetModified(modified);
    setModified(modified);
}

void CDateEdit::SetReadOnly(bool readOnly) {
    setReadOnly(readOnly);
    m_logic.SetReadOnly(readOnly);
}

void CDateEdit::SyncFromWidget() {
    m_logic.SetReadOnly(isReadOnly());
    if (hasSelectedText())
        m_logic.SetSelection(selectionStart(), selectionEnd(), cursorPosition());
    else
        m_logic.SetCaret(cursorPosition());
}

void CDateEdit::MirrorToWidget() {
    m_mirroring = true;
    const QString text = ToQString(m_logic.Text());
    if (QLineEdit::text() != text) setText(text);
    if (!m_logic.HasSelection())
        setCursorPosition(m_logic.Caret());
    else if (m_logic.Caret() == m_logic.SelectionStart())
        setSelection(m_logic.SelectionEnd(), m_logic.SelectionStart() - m_logic.SelectionEnd());
    else
        setSelection(m_logic.SelectionStart(), m_logic.SelectionEnd() - m_logic.SelectionStart());
    setModified(m_logic.IsModified());
    m_mirroring = false;
}

void CDateEdit::OnTextChanged(const QString& text) {
    // A text set from outside with setText becomes the field's text.
    if (m_mirroring) return;
    const int caret = cursorPosition();
    m_logic.SetText(FromQString(text));
    m_logic.SetCaret(caret);
}

bool CDateEdit::PasteDate() {
    SyncFromWidget();
    if (m_logic.IsReadOnly()) return false;
    const bool pasted = m_logic.Paste(FromQString(QApplication::clipboard()->text()));
    if (pasted)
        MirrorToWidget();
    else
        QApplication::beep();
    return pasted;
}

void CDateEdit::keyPressEvent(QKeyEvent* event) {
    SyncFromWidget();
    event->accept();
    if (event->matches(QKeySequence::Paste)) {
        PasteDate();
        return;
    }
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Undo) ||
        event->matches(QKeySequence::Redo))
        return;
    switch (event->key()) {
    case Qt::Key_Insert:
        return;
    case Qt::Key_Backspace:
        m_logic.Backspace();
        MirrorToWidget();
        return;
    case Qt::Key_Delete:
        m_logic.Delete();
        MirrorToWidget();
        return;
    default:
        break;
    }
    if (IsTyping(event)) {
        const QString typed = event->text();
        for (char c : FromQString(typed))
            if (m_logic.TypeChar(c) == DateInput::Beep) QApplication::beep();
        MirrorToWidget();
        return;
    }
    // Moving the caret, selecting, copying, Enter and the like; a change of the text is undone.
    m_mirroring = true;
    QLineEdit::keyPressEvent(event);
    m_mirroring = false;
    if (FromQString(text()) != m_logic.Text())
        MirrorToWidget();
    else
        SyncFromWidget();
}

void CDateEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept(); // no pasting of the mouse selection
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CDateEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CDateEdit::contextMenuEvent(QContextMenuEvent* event) {
    event->accept(); // its entries would edit the text around the mask
}
