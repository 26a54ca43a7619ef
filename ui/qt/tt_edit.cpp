#include "ui/qt/tt_edit.h"

#include <QHelpEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

CTTEdit::CTTEdit(QWidget* parent) : QLineEdit(parent) {}

void CTTEdit::SetTip(const QString& tip) {
    m_tip = tip;
}

QString CTTEdit::CurrentTip() const {
    if (!m_tip.isEmpty()) return m_tip;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect textArea = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return fontMetrics().horizontalAdvance(text()) > textArea.width() ? text() : QString();
}

bool CTTEdit::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const QString tip = CurrentTip();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
        return true;
    }
    return QLineEdit::event(event);
}

void CTTEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Q_EMIT FocusLeft();
}
