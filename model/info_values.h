#pragma once

#include "model/angebot_list.h"

#include <string>
#include <string_view>

// Keyed values of the information blocks of an LV record, as the GAEB readers and
// writers exchange them: "00" (the opening line of record 00), "01" (the LV line), "02"
// (the project lines), "03", "04" (the bidder, from the bidder-side blocks first), "06",
// "07", "08" (the currency), fixed-column values of the opening and LV lines
// ("LVBezeichnung", "LVDatum", "BieterNummer", ...), and any other key as the line after
// the heading "#<key>:". Keys are compared case-sensitively; the setter spells the
// submission time "AbgabeZeit", the getter "Abgabezeit".
//
// Both work on the LV record of `index`: the record itself or the first one upwards of
// kind "L" or with RecordId 1.

// The LV record of `index`, -1 when the chain of parents breaks off.
int InfoLvRecord(const CAngebotList& list, int index);

// The value of `key`, "" when it is not found. "08" gives `currencySetting`, "EUR" when
// that is empty.
std::string GetInfoValue(const CAngebotList& list, int index, std::string_view key,
                         std::string_view currencySetting = {});

// Stores the value: replaces the value lines after the key's heading, or appends the
// heading and the value when the heading is missing (not for an empty value, except for
// "02" and "03").
void SetInfoValue(CAngebotList& list, int index, std::string_view key, const std::string& value);
