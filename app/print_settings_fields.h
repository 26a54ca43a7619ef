#pragma once

#include "app/bidder_fields.h"
#include "app/settings_store.h"
#include "model/angebot_list.h"

#include <functional>
#include <string>

class CBidPrintLayout;

// The settings pane of the print, preview and PDF export dialogs without the window: bidder,
// date, currency, "Langtext drucken" and "Preise drucken". Bidder and currency are those of
// the save dialog (CBidderFields): taken from the LV's information blocks, else from the
// settings, and every change goes at once into the blocks of the LV and of every top-level
// record and into the settings, so they stay even when the dialog is cancelled. The date and
// the two options reach the print layout only through StoreSettings (OK).
class CPrintSettingsFields {
public:
    CPrintSettingsFields(CAngebotList& list, CAppSettings& settings);

    // Every opening: the date `today`, long texts and prices on, bidder and currency of the
    // LV of the selected record (written back at once, as each change is).
    void Open(int selectedRecord, const std::string& today);

    void SetBidder(const std::string& bidder);
    void SetCurrency(const std::string& currency);
    void SetDateText(const std::string& date) { m_date = date; }
    void SetPrintLongTexts(bool on) { m_longTexts = on; }
    void SetPrintPrices(bool on) { m_prices = on; }

    const std::string& Bidder() const { return m_fields.Bidder(); }
    const std::string& Currency() const { return m_fields.Currency(); }
    const std::string& DateText() const { return m_date; }
    bool PrintLongTexts() const { return m_longTexts; }
    bool PrintPrices() const { return m_prices; }

    // The date check when the date field is left and at OK: a valid date is rewritten as
    // "dd.mm.yyyy" (a two-digit year expanded), the all-blank date becomes the empty text
    // "  .  .    ". False, and the text unchanged, for a date that does not exist.
    bool CheckDate();
    // OK: false, and nothing stored, while the date is invalid. Otherwise the five settings go
    // into the layout (an empty date as an empty footer date) and the information blocks into
    // the LV record.
    bool StoreSettings(CBidPrintLayout& layout);

    // True when the bidder or the currency differs from what the pane showed at opening: the
    // records were changed by typing, so the bid counts as modified.
    bool RecordsChanged() const;

    // Every change the pane makes to the records (bidder and currency as they are typed, the
    // blocks on OK) runs inside this wrapper when one is set, so that an undo recorder can take
    // the records' state before and after and keep the pane's changes as one step.
    std::function<void(const std::function<void()>& change)> recordChanges;

    // The message of an invalid date at OK (Windows-1252).
    static std::string InvalidDateMessage(const std::string& date);

private:
    // The one road of the pane's changes into the records.
    void ChangeRecords(const std::function<void()>& change);

    CBidderFields m_fields;
    std::string m_date;
    bool m_longTexts = true;
    bool m_prices = true;
    std::string m_openedBidder;
    std::string m_openedCurrency;
};
