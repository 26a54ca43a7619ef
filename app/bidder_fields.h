#pragma once

#include "app/settings_store.h"
#include "model/info_blocks.h"

#include <string>

// The bidder and currency fields that the save dialog (and the print dialog) show:
// taken from the LV's information blocks, else from the settings; every change is
// written into the blocks of the LV, of every top-level record and into the settings.
class CBidderFields {
public:
    CBidderFields(CAngebotList& list, CAppSettings& settings);

    // Loads the blocks of the LV of the selected record and writes both values back at once.
    void Open(int selectedRecord);
    void SetBidder(const std::string& bidder);
    void SetCurrency(const std::string& currency);
    // Stores the dialog's lines into the LV record when the user confirms.
    void Store();

    const std::string& Bidder() const { return m_bidder; }
    const std::string& Currency() const { return m_currency; }
    CInfoBlocks& Blocks() { return m_blocks; }

    // The bidder as the dialogs show it: the block with line breaks as blanks, else the setting.
    static std::string InitialBidder(const CInfoBlocks& blocks, const CAppSettings& settings);
    // The currency: the block (at most its first 6 characters when longer than 5, trimmed),
    // else the setting, else "EUR".
    static std::string InitialCurrency(const CInfoBlocks& blocks, const CAppSettings& settings);

private:
    CInfoBlocks m_blocks;
    CAppSettings& m_settings;
    std::string m_bidder;
    std::string m_currency;
};
