#pragma once

#include "gaebxml/gaeb_xml_document.h"
#include "model/angebot_list.h"

// Brings the markup items of a GAEB DA XML bid up to date: the unit price of each is the sum
// of the totals (GP) of the items it adds up, its quantity the percentage, and its totals
// are recalculated. The totals of the other positions are taken as they stand.
void UpdateMarkupTotals(CAngebotList& list, const CGaebXmlDocument& document);
