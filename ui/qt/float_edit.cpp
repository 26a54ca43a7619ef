#include "ui/qt/float_edit.h"

#include "app/qt/qt_text.h"
#include "ui/qt/edit_mirror.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

const QString CFloatEdit::kMimeType = QStringLiteral("application/x-orvak-number");

CFloatEdit::CFloatEdit(QWidget* parent) : CTTEdit(parent) {
    setAlignment(Qt::AlignRight);
    setAcceptDrops(false);
    setDragEnabled(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textChanged, this, &CFloatEdit::OnTextChanged);
    MirrorToWidget();
}

void CFloatEdit::SetValue(double value) {
    m_logic.SetValue(value);
    MirrorToWidget();
}

void CFloatEdit::SetDecimals(int decimals) {
    m_logic.SetDecimals(decimals);
    MirrorToWidget();
}

void CFloatEdit::SetGrouping(bool on) {
    m_logic.SetGrouping(on);
    MirrorToWidget();
}

void CFloatEdit::SetModified(bool modified) {
    m_logic.SetModified(modified);
    setModified(modified);
}

void CFloatEdit::SetReadOnly(bool readOnly) {
    setReadOnly(readOnly);
    m_logic.SetReadOnly(readOnly);
}

void CFloatEdit::SyncFromWidget() {
    CopyCaretToLogic(*this, m_logic);
}

void CFloatEdit::MirrorToWidget() {
    m_mirroring = true;
    const QString text = ToQt(m_logic.Text());
    if (QLineEdit::text() != text) setText(text);
    CopyCaretToWidget(m_logic, *this);
    setModified(m_logic.IsModified());
    m_mirroring = false;
}

void CFloatEdit::OnTextChanged(const QString& text) {
    if (m_mirroring) return;
    const std::string cp1252 = FromQt(text);
    if (cp1252 != m_logic.Text()) m_logic.SetTextFromOutside(cp1252);
}

void CFloatEdit::keyPressEvent(QKeyEvent* event) {
    m_keepSelectionOnPress = false;
    SyncFromWidget();
    event->accept();
    if (event->matches(QKeySequence::Copy)) {
        CopyNumber();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteNumber();
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
    // The decimal key of the number pad means the decimal separator whatever it prints.
    if ((event->modifiers() & Qt::KeypadModifier) &&
        (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma)) {
        m_logic.TypeChar(m_logic.DecimalSeparator());
        MirrorToWidget();
        return;
    }
    if (IsTypedText(event)) {
        for (char c : FromQt(event->text()))
            m_logic.TypeChar(c);
        MirrorToWidget();
        return;
    }
    // Moving the caret, selecting, Enter and the like; a change of the text is undone.
    m_mirroring = true;
    QLineEdit::keyPressEvent(event);
    m_mirroring = false;
    if (FromQt(text()) != m_logic.Text())
        MirrorToWidget();
    else
        SyncFromWidget();
}

void CFloatEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    SyncFromWidget();
    m_logic.FocusGained();
    MirrorToWidget();
    m_keepSelectionOnPress = event->reason() == Qt::MouseFocusReason && m_logic.HasSelection();
}

void CFloatEdit::focusOutEvent(QFocusEvent* event) {
    m_keepSelectionOnPress = false;
    SyncFromWidget();
    m_logic.FocusLost();
    MirrorToWidget();
    CTTEdit::focusOutEvent(event);
}

void CFloatEdit::mousePressEvent(QMouseEvent* event) {
    const bool keep = m_keepSelectionOnPress;
    m_keepSelectionOnPress = false;
    // No context menu, no pasting of the mouse selection; the press that focused a field
    // below 1 leaves its text selected.
    if (event->button() != Qt::LeftButton || keep) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CFloatEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CFloatEdit::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
}

void CFloatEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::LocaleChange) {
        m_logic.SettingsChanged();
        MirrorToWidget();
    }
}

void CFloatEdit::CopyNumber() const {
    auto* mime = new QMimeData;
    mime->setData(kMimeType, QByteArray::fromStdString(m_logic.PlainNumber()));
    mime->setText(ToQt(m_logic.ClipboardText()));
    QGuiApplication::clipboard()->setMimeData(mime);
}

bool CFloatEdit::PasteNumber() {
    SyncFromWidget();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || m_logic.IsReadOnly()) return false;
    bool pasted = false;
    if (mime->hasFormat(kMimeType))
        pasted = m_logic.PastePlain(mime->data(kMimeType).toStdString());
    else if (mime->hasText())
        pasted = m_logic.Paste(FromQt(mime->text()));
    if (pasted) MirrorToWidget();
    return pasted;
}
