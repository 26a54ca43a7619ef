#include "ui/qt/calendar_button.h"

#include "ui/qt/calendar_dlg.h"
#include "ui/qt/date_edit.h"

#include <QPainter>
#include <QPixmap>
#include <QPointer>

CCalendarButton::CCalendarButton(QWidget* parent) : QToolButton(parent) {
    setIcon(CalendarIcon());
    setIconSize(QSize(16, 16));
    setToolTip(QStringLiteral("Kalender"));
    setAccessibleName(QStringLiteral("Kalender"));
    setFocusPolicy(Qt::TabFocus);
}

void CCalendarButton::Attach(CDateEdit* field) {
    const QPointer<CDateEdit> guarded(field);
    connect(this, &QToolButton::clicked, this, [this, guarded] {
        if (guarded) CCalendarDlg::PickDate(*guarded, *this);
    });
}

QRect CCalendarButton::ScreenRect() const {
    return QRect(mapToGlobal(QPoint(0, 0)), size());
}

QIcon CCalendarButton::CalendarIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 2, 13, 12);
    painter.fillRect(2, 3, 12, 3, QColor(200, 40, 40));
    painter.fillRect(4, 1, 1, 3, QColor(64, 64, 64)); // rings
    painter.fillRect(11, 1, 1, 3, QColor(64, 64, 64));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            painter.fillRect(3 + column * 3, 7 + row * 2, 2, 1, QColor(64, 64, 64));
    painter.end();
    return QIcon(pixmap);
}
