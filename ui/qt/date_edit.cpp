#include "ui/qt/date_edit.h"

#include "app/qt/qt_text.h"
#include "ui/qt/edit_mirror.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>

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
    CopyCaretToLogic(*this, m_logic);
}

void CDateEdit::MirrorToWidget() {
    m_mirroring = true;
    const QString text = ToQt(m_logic.Text());
    if (QLineEdit::text() != text) setText(text);
    CopyCaretToWidget(m_logic, *this);
    setModified(m_logic.IsModified());
    m_mirroring = false;
}

void CDateEdit::OnTextChanged(const QString& text) {
    // A text set from outside with setText becomes the field's text.
    if (m_mirroring) return;
    const int caret = cursorPosition();
    m_logic.SetText(FromQt(text));
    m_logic.SetCaret(caret);
}

bool CDateEdit::PasteDate() {
    SyncFromWidget();
    if (m_logic.IsReadOnly()) return false;
    const bool pasted = m_logic.Paste(FromQt(QApplication::clipboard()->text()));
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
    if (IsForeignEdit(event)) return;
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
    if (IsTypedText(event)) {
        const QString typed = event->text();
        for (char c : FromQt(typed))
            if (m_logic.TypeChar(c) == DateInput::Beep) QApplication::beep();
        MirrorToWidget();
        return;
    }
    // Moving the caret, selecting, copying, Enter and the like; a change of the text is undone.
    m_mirroring = true;
    QLineEdit::keyPressEvent(event);
    m_mirroring = false;
    if (FromQt(text()) != m_logic.Text())
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
