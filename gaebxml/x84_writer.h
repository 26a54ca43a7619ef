#pragma once

#include "common/io_result.h"
#include "gaebxml/gaeb_xml_document.h"
#include "model/angebot_list.h"

#include <string>

// Writes the bid as a GAEB DA XML file of data phase 84 (X84), built from the invitation the
// bid was opened from: the namespace and version of the invitation (a 3.1 file stays 3.1),
// GAEBInfo with this program, PrjInfo, and the Award with DP 84, the currency, the bidder
// (CTR) and each BoQ with its ID, name, breakdown and totals (net, VAT rate, VAT amount,
// gross), every category with its ID, number and total, every item with its ID, number,
// index, unit price (UP, 3 decimals) and total (IT, 2 decimals), the quantity where the
// bidder gives it, the two shares of a split price, the bidder's text complements and
// sub-descriptions; markup items with their basis (ITMarkup), percentage (Markup) and
// total. Alternatives and eventual positions carry their unit price and the total 0.00.
// Elements follow the order of the DA84 schema. The file is written through a temporary
// file that replaces `path` only when complete.
//
// The records must have been made from `document` (CGaebXmlMapper); markup items are
// brought up to date and the totals calculated before writing.
class CX84Writer {
public:
    CX84Writer(CAngebotList& list, CGaebXmlDocument& document);

    CIoResult Write(const std::string& path);
    // The X84 text (UTF-8) without writing it.
    CIoResult Build(std::string& out);

    // Fixed date ("2026-04-01") and time ("10:15:00") instead of the clock.
    void SetStampTime(std::string date, std::string time);

    // The VAT rate of the bid (BoQInfo/Totals/VAT); VATAmount and TotalGross come from the
    // LV's totals, which the positions' own rates made.
    double vatRate = 0.0;
    // Set when a failure is the writer's own refusal (no invitation, records that do not
    // belong to it), cleared for a failure of the file system.
    bool refused = false;

    // The namespace of the X84 for that of the invitation: ".../DA83/3.3" becomes
    // ".../DA84/3.3"; the namespaces of versions 3.0 and 3.1 are the same for every phase.
    static std::string BidNamespace(const std::string& invitationNamespace);

private:
    class CBodyWriter;
    bool RecordsMatch() const;

    CAngebotList& m_list;
    CGaebXmlDocument& m_document;
    std::string m_stampDate;
    std::string m_stampTime;
};
