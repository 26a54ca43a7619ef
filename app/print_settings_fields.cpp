#include "app/print_settings_fields.h"

#include "print/bid_print_layout.h"
#include "ui/date_edit_logic.h"

CPrintSettingsFields::CPrintSettingsFields(CAngebotList& list, CAppSettings& settings)
    : m_fields(list, settings) {}

void CPrintSettingsFields::Open(int selectedRecord, const std::string& today) {
    m_date = today;
    m_longTexts = true;
    m_prices = true;
    ChangeRecords([&] { m_fields.Open(selectedRecord); });
    m_openedBidder = m_fields.Bidder();
    m_openedCurrency = m_fields.Currency();
}

void CPrintSettingsFields::SetBidder(const std::string& bidder) {
    if (bidder == m_fields.Bidder()) return;
    ChangeRecords([&] { m_fields.SetBidder(bidder); });
}

void CPrintSettingsFields::SetCurrency(const std::string& currency) {
    if (currency == m_fields.Currency()) return;
    ChangeRecords([&] { m_fields.SetCurrency(currency); });
}

void CPrintSettingsFields::ChangeRecords(const std::function<void()>& change) {
    if (recordChanges)
        recordChanges(change);
    else
        change();
}

bool CPrintSettingsFields::CheckDate() {
    CDateEditLogic date;
    date.SetText(m_date);
    if (!date.ValidateDate()) return false;
    m_date = date.Text();
    return true;
}

bool CPrintSettingsFields::StoreSettings(CBidPrintLayout& layout) {
    if (!CheckDate()) return false;
    layout.SetPrintLongTexts(m_longTexts);
    layout.SetPrintPrices(m_prices);
    layout.SetDateText(m_date == CDateEditLogic::kEmptyText ? std::string() : m_date);
    layout.SetBidderText(m_fields.Bidder());
    layout.SetCurrency(m_fields.Currency());
    ChangeRecords([&] { m_fields.Store(); });
    return true;
}

bool CPrintSettingsFields::RecordsChanged() const {
    return m_fields.Bidder() != m_openedBidder || m_fields.Currency() != m_openedCurrency;
}

std::string CPrintSettingsFields::InvalidDateMessage(const std::string& date) {
    return "Das Datum \x84" + date +
           "\x93 gibt es nicht.\r\n\r\nBitte geben Sie das Datum als TT.MM.JJJJ ein (zum Beispiel "
           "24.06.2025) oder lassen Sie das Feld leer.";
}
