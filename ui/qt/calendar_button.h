#pragma once

#include <QToolButton>

class CDateEdit;

// The small button with a calendar picture beside a date field (tool tip "Kalender").
// Attached to a date field, a click opens the calendar below the button for that field.
class CCalendarButton : public QToolButton {
    Q_OBJECT
public:
    explicit CCalendarButton(QWidget* parent = nullptr);

    // Clicks open the calendar for field (which must outlive the button's connection).
    void Attach(CDateEdit* field);
    // The button's rectangle in screen coordinates, the calendar's anchor.
    QRect ScreenRect() const;

    // The calendar picture: a sheet with a red header and a grid of days.
    static QIcon CalendarIcon();
};
