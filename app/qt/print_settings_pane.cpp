#include "app/qt/print_settings_pane.h"

#include "app/print_settings_fields.h"
#include "app/qt/qt_text.h"
#include "ui/qt/calendar_button.h"
#include "ui/qt/date_edit.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace {

// Longest texts the fields take: what the information blocks keep of a value.
constexpr int kFieldLength = 80;

} // namespace

CPrintSettingsPane::CPrintSettingsPane(CPrintSettingsFields& fields, QWidget* parent)
    : QWidget(parent), m_fields(fields), m_bidder(new QLineEdit(this)), m_date(new CDateEdit(this)),
      m_calendar(new CCalendarButton(this)), m_currency(new QLineEdit(this)),
      m_longTexts(new QCheckBox(QStringLiteral("&Langtext drucken"), this)),
      m_prices(new QCheckBox(QStringLiteral("&Preise drucken"), this)) {
    setWindowTitle(QStringLiteral("Angebot")); // the tab of the print dialog

    m_bidder->setMaxLength(kFieldLength);
    m_bidder->setAccessibleName(QStringLiteral("Bieter"));
    m_bidder->setText(ToQt(fields.Bidder()));
    m_bidder->setCursorPosition(0);
    m_currency->setMaxLength(kFieldLength);
    m_currency->setAccessibleName(QString::fromUtf8("Währung"));
    m_currency->setText(ToQt(fields.Currency()));
    m_currency->setFixedWidth(m_currency->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMM")) + 12);
    m_date->setAccessibleName(QStringLiteral("Datum"));
    m_date->SetText(fields.DateText());
    m_date->setFixedWidth(m_date->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    m_date->installEventFilter(this);
    m_calendar->Attach(m_date);
    m_longTexts->setChecked(fields.PrintLongTexts());
    m_prices->setChecked(fields.PrintPrices());

    connect(m_bidder, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_fields.SetBidder(FromQt(text)); });
    connect(m_currency, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_fields.SetCurrency(FromQt(text)); });
    connect(m_date, &QLineEdit::textChanged, this, [this] { m_fields.SetDateText(m_date->Text()); });
    connect(m_longTexts, &QCheckBox::toggled, this, [this](bool on) { m_fields.SetPrintLongTexts(on); });
    connect(m_prices, &QCheckBox::toggled, this, [this](bool on) { m_fields.SetPrintPrices(on); });

    auto* bidderLabel = new QLabel(QStringLiteral("&Bieter:"), this);
    bidderLabel->setBuddy(m_bidder);
    auto* dateLabel = new QLabel(QStringLiteral("&Datum:"), this);
    dateLabel->setBuddy(m_date);
    auto* currencyLabel = new QLabel(QString::fromUtf8("&Währung:"), this);
    currencyLabel->setBuddy(m_currency);

    auto* group = new QGroupBox(QStringLiteral("Einstellungen"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(bidderLabel, 0, 0);
    grid->addWidget(m_bidder, 0, 1);
    grid->addWidget(m_longTexts, 0, 2);
    grid->addWidget(dateLabel, 1, 0);
    auto* dateRow = new QHBoxLayout;
    dateRow->setContentsMargins(0, 0, 0, 0);
    dateRow->setSpacing(2);
    dateRow->addWidget(m_date);
    dateRow->addWidget(m_calendar);
    dateRow->addSpacing(16);
    dateRow->addWidget(currencyLabel);
    dateRow->addWidget(m_currency);
    dateRow->addStretch(1);
    grid->addLayout(dateRow, 1, 1);
    grid->addWidget(m_prices, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 280);
    grid->setHorizontalSpacing(12);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);
    outer->addStretch(1);

    setTabOrder(m_bidder, m_date);
    setTabOrder(m_date, m_calendar);
    setTabOrder(m_calendar, m_currency);
    setTabOrder(m_currency, m_longTexts);
    setTabOrder(m_longTexts, m_prices);

    showMessage = [this](const QString& text) {
        QMessageBox::warning(window(), window()->windowTitle(), text);
    };

    // The calendar's choice is a valid date; the fields take it with the field's new text.
    connect(m_calendar, &QAbstractButton::clicked, this, [this] { m_fields.SetDateText(m_date->Text()); });
}

bool CPrintSettingsPane::TakeDate() {
    const bool valid = m_date->ValidateDate(); // beeps when invalid
    m_fields.SetDateText(m_date->Text());
    return valid;
}

bool CPrintSettingsPane::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_date && event->type() == QEvent::FocusOut) {
        // Checked when the user leaves the field, not when another window (the calendar, a
        // message) takes the focus; the focus is not held in the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) TakeDate();
    }
    return QWidget::eventFilter(watched, event);
}

bool CPrintSettingsPane::Confirm(CBidPrintLayout& layout) {
    if (!TakeDate() || !m_fields.StoreSettings(layout)) {
        if (showMessage) showMessage(ToQtLines(CPrintSettingsFields::InvalidDateMessage(m_date->Text())));
        m_date->setFocus(Qt::OtherFocusReason);
        m_date->selectAll();
        return false;
    }
    return true;
}
