#include "app/lv_info_fields.h"

#include "app/bidder_fields.h"
#include "common/number_format.h"
#include "common/text_util.h"
#include "model/calculation.h"
#include "model/display_tree.h"

#include <cmath>

CLvInfoFields::CLvInfoFields(CAngebotList& list, CAppSettings& settings, double defaultVat)
    : m_list(list), m_settings(settings), m_blocks(list), m_defaultVat(defaultVat) {}

void CLvInfoFields::Open(int selectedRecord) {
    m_selected = selectedRecord;
    m_blocks.LoadFromSelection(selectedRecord);

    std::string lv;
    m_blocks.GetBlock(InfoKey::Lv, lv);
    name = SafeSubstr(lv, 0, 40);
    lvDate = lv.size() >= 48 ? lv.substr(40, 8) : "";
    submissionDate = lv.size() >= 56 ? lv.substr(48, 8) : "";
    submissionTime = lv.size() >= 61 ? lv.substr(56, 5) : "";
    awardDeadline = lv.size() >= 69 ? lv.substr(61, 8) : "";

    m_blocks.GetBlock(InfoKey::Project, project);
    m_blocks.GetBlock(InfoKey::Client, client);
    for (char& c : client)
        if (c == '\r' || c == '\n') c = ' ';

    m_bidder = CBidderFields::InitialBidder(m_blocks, m_settings);
    m_currency = CBidderFields::InitialCurrency(m_blocks, m_settings);

    const CDisplayTree tree(m_list);
    int vat = tree.Contains(selectedRecord) ? FindVatRate(m_list, tree, selectedRecord) : 0;
    int32_t stored = 0;
    // A stored rate outside 0..100 is not taken (the settings may have been edited by hand).
    if (vat == 0)
        vat = m_settings.Vat(stored) && stored != 0 && IsValidVatRate(stored) ? stored
              : IsValidVatRate(m_defaultVat) ? static_cast<int>(std::trunc(m_defaultVat))
                                             : 0;
    m_vat = std::to_string(vat);
}

void CLvInfoFields::SetBidder(const std::string& bidder) {
    m_bidder = bidder;
    m_settings.SetBidder(bidder);
}

void CLvInfoFields::SetCurrency(const std::string& currency) {
    m_currency = currency;
    m_settings.SetCurrency(currency);
}

bool CLvInfoFields::IsVatInput(const std::string& text) {
    if (text.size() > 3) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return text.empty() || std::stoi(text) <= 100;
}

bool CLvInfoFields::HasLv() const {
    return CInfoBlocks::LvRecordOf(m_list, m_selected) != -1;
}

bool CLvInfoFields::SetVatText(const std::string& vat) {
    m_vat = vat;
    if (vat.empty() || !IsVatInput(vat)) return false;
    const double rate = CNumberFormat::StringToDouble(vat);
    if (!IsValidVatRate(rate)) return false;
    m_settings.SetVat(static_cast<int32_t>(rate));
    return true;
}

bool CLvInfoFields::ApplyVatToAll() {
    const int lv = CInfoBlocks::LvRecordOf(m_list, m_selected);
    const double rate = CNumberFormat::StringToDouble(m_vat);
    if (lv == -1 || m_vat.empty() || !IsVatInput(m_vat) || !IsValidVatRate(rate)) return false;
    SetVatForAll(m_list, lv, rate);
    return true;
}

void CLvInfoFields::Store() {
    m_blocks.SetBlock(InfoKey::Bidder, m_bidder);
    m_blocks.SetBlockInAllTopLevel(InfoKey::Bidder, m_bidder);
    m_blocks.SetBlock(InfoKey::Currency, m_currency);
    m_blocks.SetBlockInAllTopLevel(InfoKey::Currency, m_currency);
    m_blocks.StoreToRecord(-1);
}
