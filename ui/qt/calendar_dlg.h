#pragma once

#include "ui/calendar_date.h"

#include <QDialog>

#include <optional>
#include <string>

class CDateEdit;
class QCalendarWidget;

// The calendar that picks a date for a date field: a month calendar with ISO week numbers over
// "&Datum übernehmen" (default) and "&Abbrechen". It opens below its anchor, the screen
// rectangle of the button that opened it, right edges in line, and stays on the screen.
class CCalendarDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCalendarDlg(QWidget* parent = nullptr);

    void SetAnchor(const QRect& screenRect) { m_anchor = screenRect; }
    // The date of a date field's text; today when the text names no valid day.
    void SetDate(const std::string& text);
    // "dd.mm.yyyy" of the selected day, an empty text when none is selected.
    std::string GetDate() const { return FormatCalendarDate(m_date); }
    QCalendarWidget* Calendar() const { return m_calendar; }

    // Top left corner for a dialog of the given size: right edge on the anchor's right edge,
    // top on its bottom; above the anchor when there is no room below; inside the screen.
    static QPoint Placement(const QRect& anchor, const QSize& size, const QRect& screen);

    // Opens the calendar below anchor with the field's date; on confirmation the field gets the
    // chosen date and counts as modified. True when a date was taken over.
    static bool PickDate(CDateEdit& field, QWidget& anchor);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnSelectionChanged();

    QCalendarWidget* m_calendar = nullptr;
    QRect m_anchor;
    std::optional<CalendarDate> m_date;
};
