#pragma once

#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/oz_mask.h"
#include "gaebxml/xml_numbers.h"
#include "model/angebot_list.h"

#include <pugixml.hpp>

#include <string>
#include <vector>

// Turns a GAEB DA XML document (X83, or an X84 read on its own) into bid records with the
// conventions of the GAEB 2000 mapping:
// - each BoQ an LV record "L" at level 0 with the information blocks (LV name and date,
//   submission date and time, award deadline, project, client, currency, bidder);
// - the texts of the award (AddText) remarks "B" at the head of the first LV;
// - BoQCtgy an LV area "T" with its LblTx as short text; Remark, AddText and PerfDescr
//   remarks "B";
// - Item a position "P" (sub-kind "N") with quantity, unit, short text (OutlineText) and
//   long text (DetailTxt); ALNGroupNo/ALNSerNo give base ("G") and alternative ("A")
//   positions, Provis WithoutTotal an eventual position ("E"), WithTotal a contingency
//   position ("F"); QtyTBD, NotAppl, HourIt and KeyIt set the flags 3, 5, 10 and 12;
//   with two unit-price components (NoUPComps 2) the price is split (flag 0);
// - text complements: the client's ("Owner") text in quotes in the long text, the bidder's
//   as "'...'" with the text in BidderTexts, both listed in SupplementIndex (flags 7, 8);
// - MarkupItem a surcharge position (flag 1 "Z", unit "%") over the items before it in its
//   category, which become its basis (flag 1 "E");
// - SubDescr a sub-description "B" (sub-kind "L") after its item;
// - any other element of an item list or BoQBody a position as well, so that nothing of
//   the file is lost from sight.
// Every element that becomes a record is linked to it in the document. Texts become
// Windows-1252 with nearest equivalents. Categories nested deeper than kMaxLevels are
// placed at that depth (nothing below them is dropped).
class CGaebXmlMapper {
public:
    static constexpr int kMaxLevels = 30;
    static constexpr size_t kFlagsLength = 20;

    CGaebXmlMapper(CAngebotList& list, CGaebXmlDocument& document);

    // Maps the whole document onto the (empty) list.
    void Map();

    // The numbers read; the first refused one fails the open.
    CXmlNumbers numbers;
    // Titles of the two unit-price components ("Sonstiges", "Lohn") when the first LV has two.
    std::string shareTitle1;
    std::string shareTitle2;

    // The values of a bid (DA84) element: UP or the components UPComp1/UPComp2 of a split
    // price, the quantity of a bidder-quantity item, the percentage (Markup) of a markup
    // item. Missing elements leave the fields unchanged.
    static void ApplyBidValues(CAngebotList& list, const pugi::xml_node& element, int r,
                               CXmlNumbers& numbers);
    // "dd.mm.yy" of an XML date ("2026-03-31"); "" when it is not one.
    static std::string ShortDate(const std::string& isoDate);
    // The two-character supplement number of a MarkLbl; `ordinal` (1, 2, ...) when the label
    // is not a number.
    static std::string MarkCode(const std::string& markLbl, int ordinal);
    // The bidder's text of a complement body: a text of dots, blanks and underscores only
    // (the form's placeholder) gives "", line breaks and tabs are dropped.
    static std::string BidderBody(const std::string& flowText);

    // The helpers of Map, public so that they can be run on their own.
    int MapLv(const pugi::xml_node& boq, bool first);
    // Long text of a DetailTxt (or DetailAddText) with its text complements; fills the
    // supplement directory, the bidder texts and the flags 7 and 8 of record r.
    std::string MapDetail(const pugi::xml_node& detail, int r, std::string& flags);
    // Short and long text of a Description; flags as in MapDetail.
    void MapDescription(const pugi::xml_node& description, int r, std::string& flags);
    // Short and long text of an AddText (OutlineAddText, DetailAddText).
    void MapAddText(const pugi::xml_node& text, int r, std::string& flags);

private:
    class CWalk;

    struct Place {
        double parentId = 0.0;
        int level = 0;
    };
    int NewRecord(const char* kind, const Place& place);
    std::string InfoText(const pugi::xml_node& boq) const;

    CAngebotList& m_list;
    CGaebXmlDocument& m_document;
};
