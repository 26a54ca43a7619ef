#pragma once

#include "model/angebot_list.h"

#include <string>
#include <string_view>

// Text rules that the GAEB readers share.

// The raw ordinal number (fixed width, blanks inside) with a point after the digits of each
// level of the OZ key ("1122PPPPI": levels 1 and 2, position, index). The result keeps its
// trailing blanks and is at least 10 characters long.
std::string FormatOZ(std::string_view raw, std::string_view ozKey);

// Completes the long text of record `index` after reading: the standard-text key line, the
// numbers of the text supplements, the STLB-Bau header made from `note` (the note lines of
// a GAEB 90 position, else empty), the texts of sub-descriptions and blocks, the short text
// of an execution description and the "&OZNR&" of a repeated description.
void PostProcessLongText(CAngebotList& list, int index, std::string_view note = {});
