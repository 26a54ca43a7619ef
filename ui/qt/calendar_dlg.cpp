#include "ui/qt/calendar_dlg.h"

#include "ui/qt/date_edit.h"

#include <QCalendarWidget>
#include <QDate>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

CCalendarDlg::CCalendarDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    // Without a caption the dialog draws its own raised frame.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    m_calendar = new QCalendarWidget(frame);
    m_calendar->setLocale(QLocale(QLocale::German, QLocale::Germany));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    m_calendar->setGridVisible(false);

    auto* take = new QPushButton(QString::fromUtf8("&Datum übernehmen"), frame);
    auto* cancel = new QPushButton(QStringLiteral("&Abbrechen"), frame);
    take->setDefault(true);
    take->setAutoDefault(true);
    cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(take);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_calendar);
    layout->addLayout(buttons);

    connect(take, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &CCalendarDlg::OnSelectionChanged);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept); // double click, Enter
    OnSelectionChanged();
}

void CCalendarDlg::SetDate(const std::string& text) {
    const std::optional<CalendarDate> date = ParseCalendarDate(text);
    const QDate day = date ? QDate(date->year, date->month, date->day) : QDate::currentDate();
    m_calendar->setSelectedDate(day);
    OnSelectionChanged();
}

void CCalendarDlg::OnSelectionChanged() {
    const QDate day = m_calendar->selectedDate();
    if (day.isValid())
        m_date = CalendarDate{day.day(), day.month(), day.year()};
    else
        m_date.reset();
}

QPoint CCalendarDlg::Placement(const QRect& anchor, const QSize& size, const QRect& screen) {
    int x = anchor.x() + anchor.width() - size.width();
    int y = anchor.y() + anchor.height();
    if (y + size.height() > screen.y() + screen.height()) y = anchor.y() - size.height();
    x = std::max(screen.x(), std::min(x, screen.x() + screen.width() - size.width()));
    y = std::max(screen.y(), std::min(y, screen.y() + screen.height() - size.height()));
    return QPoint(x, y);
}

void CCalendarDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_anchor.isNull()) return;
    QScreen* screen = QGuiApplication::screenAt(m_anchor.center());
    if (!screen) screen = this->screen();
    if (!screen) return;
    move(Placement(m_anchor, frameGeometry().size(), screen->availableGeometry()));
}

bool CCalendarDlg::PickDate(CDateEdit& field, QWidget& anchor) {
    CCalendarDlg dialog(&anchor);
    dialog.SetAnchor(QRect(anchor.mapToGlobal(QPoint(0, 0)), anchor.size()));
    dialog.SetDate(field.Text());
    if (dialog.exec() != QDialog::Accepted) return false;
    const std::string date = dialog.GetDate();
    if (date.empty()) return false;
    field.SetText(date);
    field.SetModified(true);
    return true;
}
