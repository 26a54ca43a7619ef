#include "app/bidder_fields.h"

#include "common/text_util.h"

namespace {

// Every line break (CR LF, CR or LF) becomes one blank, so that a block of several lines
// reads as one line.
std::string BreaksAsBlanks(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue; // the LF stands for both
        result += c == '\r' || c == '\n' ? ' ' : c;
    }
    return result;
}

} // namespace

CBidderFields::CBidderFields(CAngebotList& list, CAppSettings& settings)
    : m_blocks(list), m_settings(settings) {}

std::string CBidderFields::InitialBidder(const CInfoBlocks& blocks, const CAppSettings& settings) {
    std::string value;
    blocks.GetBlock(InfoKey::Bidder, value);
    if (value.empty() && blocks.SelectedLv() != -1) {
        // A bid read back from a GAEB file names its bidder in the bidder-side sections.
        CInfoBlocks bidderSide(blocks.List());
        bidderSide.ParseLines(blocks.List().GetText(blocks.SelectedLv(), Fld::BidderTexts));
        bidderSide.GetBlock(InfoKey::Bidder, value);
    }
    value = BreaksAsBlanks(value);
    if (value.empty() && !settings.Bidder(value)) value.clear();
    return value;
}

std::string CBidderFields::InitialCurrency(const CInfoBlocks& blocks, const CAppSettings& settings) {
    std::string value;
    blocks.GetBlock(InfoKey::Currency, value);
    value = BreaksAsBlanks(value);
    if (value.size() > 5) value = TrimRight(value.substr(0, 6));
    if (value.empty() && !settings.Currency(value)) value = "EUR";
    return value;
}

void CBidderFields::Open(int selectedRecord) {
    m_blocks.LoadFromSelection(selectedRecord);
    SetBidder(InitialBidder(m_blocks, m_settings));
    SetCurrency(InitialCurrency(m_blocks, m_settings));
}

void CBidderFields::SetBidder(const std::string& bidder) {
    m_bidder = bidder;
    m_blocks.SetBlock(InfoKey::Bidder, bidder);
    m_blocks.SetBlockInAllTopLevel(InfoKey::Bidder, bidder);
    m_settings.SetBidder(bidder);
}

void CBidderFields::SetCurrency(const std::string& currency) {
    m_currency = currency;
    m_blocks.SetBlock(InfoKey::Currency, currency);
    m_blocks.SetBlockInAllTopLevel(InfoKey::Currency, currency);
    m_settings.SetCurrency(currency);
}

void CBidderFields::Store() {
    m_blocks.StoreToRecord(-1);
}
