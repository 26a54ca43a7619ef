#pragma once

#include "app/settings_store.h"
#include "model/info_blocks.h"

#include <string>

// The fields of the LV information dialog without the window: the LV's name and dates,
// project and client (read-only), and bidder, currency and VAT rate, which the user may
// change. Every change of those three is written to the settings at once.
class CLvInfoFields {
public:
    CLvInfoFields(CAngebotList& list, CAppSettings& settings, double defaultVat = 19.0);

    void Open(int selectedRecord);

    void SetBidder(const std::string& bidder);
    void SetCurrency(const std::string& currency);
    // The VAT field's text; the setting takes it only when it is a rate from 0 to 100 in
    // digits (false otherwise).
    bool SetVatText(const std::string& vat);
    // The button " In alle Positionen einsetzen": the VAT rate to every record of the LV,
    // then the full calculation. True when there was an LV and the field holds a rate from 0
    // to 100 (an empty field is none).
    bool ApplyVatToAll();
    // What the VAT field takes while it is typed: digits only, at most 100 (empty too).
    static bool IsVatInput(const std::string& text);
    // OK: bidder and currency into the LV's blocks and those of every top-level record.
    void Store();
    // Whether an LV belongs to the selected record (the button and OK have blocks to change).
    bool HasLv() const;

    std::string name, lvDate, submissionDate, submissionTime, awardDeadline;
    std::string project, client;
    const std::string& Bidder() const { return m_bidder; }
    const std::string& Currency() const { return m_currency; }
    const std::string& VatText() const { return m_vat; }

private:
    CAngebotList& m_list;
    CAppSettings& m_settings;
    CInfoBlocks m_blocks;
    double m_defaultVat;
    int m_selected = -1;
    std::string m_bidder, m_currency, m_vat;
};
