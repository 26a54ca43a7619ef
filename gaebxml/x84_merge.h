#pragma once

#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/xml_numbers.h"
#include "model/angebot_list.h"

#include <pugixml.hpp>

#include <string>

// Carries a saved bid (X84) over into the records made from its invitation (X83), so that
// work on a bid can be interrupted and resumed: unit prices (or the two shares of a split
// price), the quantities of bidder-quantity items and sub-descriptions, the percentages of
// markup items, the bidder's text complements (by their MarkLbl), the bidder's name and the
// currency. Elements are matched by their ID, else by the full ordinal number with index.
// Elements of the bid that match nothing are left aside.
class CX84Merge {
public:
    CX84Merge(CAngebotList& list, const CGaebXmlDocument& invitation);

    void Merge(const CGaebXmlDocument& bid);

    // VAT rate of the bid (BoQInfo/Totals/VAT of its first BoQ); 0 when it gives none.
    double vatRate = 0.0;
    // Number of invitation elements that found their bid element.
    int matched = 0;
    // The numbers of the bid read; the first refused one fails the open.
    CXmlNumbers numbers;

    // Replaces the bidder texts of record r by those of the bid element's complements with
    // the same supplement number.
    static void MergeBidderTexts(CAngebotList& list, const pugi::xml_node& bidElement, int r);

private:
    void MergeElement(const pugi::xml_node& bidElement, const pugi::xml_node& element, int r);
    void MergeInfo(const CGaebXmlDocument& bid);

    CAngebotList& m_list;
    const CGaebXmlDocument& m_invitation;
};
