#pragma once

#include <QWidget>

#include <functional>

class CBidPrintLayout;
class CCalendarButton;
class CDateEdit;
class CPrintSettingsFields;
class QCheckBox;
class QLineEdit;

// The settings pane of the print dialog, the "Seitenansicht" dialog and the PDF export: the
// group "Einstellungen" with "Bieter:", "Datum:" with the calendar button, "Währung:",
// "Langtext drucken" and "Preise drucken". It shows the fields it is given (opened by the
// host) and hands every typed bidder and currency to them at once. The date is checked when
// the field is left; Confirm (the host's OK) refuses an invalid date and otherwise stores the
// settings into the layout.
class CPrintSettingsPane : public QWidget {
    Q_OBJECT
public:
    CPrintSettingsPane(CPrintSettingsFields& fields, QWidget* parent = nullptr);

    // The host's OK: true when the settings were stored (StoreSettings). With an invalid date
    // the message is shown, the focus goes to the date field and nothing is stored.
    bool Confirm(CBidPrintLayout& layout);

    QLineEdit* BidderField() const { return m_bidder; }
    QLineEdit* CurrencyField() const { return m_currency; }
    CDateEdit* DateField() const { return m_date; }
    CCalendarButton* CalendarButton() const { return m_calendar; }
    QCheckBox* LongTextBox() const { return m_longTexts; }
    QCheckBox* PricesBox() const { return m_prices; }

    // How the message of an invalid date is shown; by default a warning box over the pane.
    std::function<void(const QString& text)> showMessage;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The date field's text into the fields, checked as when the field is left.
    bool TakeDate();

    CPrintSettingsFields& m_fields;
    QLineEdit* m_bidder;
    CDateEdit* m_date;
    CCalendarButton* m_calendar;
    QLineEdit* m_currency;
    QCheckBox* m_longTexts;
    QCheckBox* m_prices;
};
