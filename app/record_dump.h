#pragma once

#include "model/angebot_list.h"

#include <functional>
#include <string>
#include <string_view>

// The tab-separated listing of `orvak-cli dump`: a header line, then one line per record
// in position-list order. Text columns are trimmed, with tabs, CR and LF inside turned
// into blanks, and converted to UTF-8; numbers in plain form (3 decimals for the
// quantity, 2 for the rest).
std::string DumpRecords(const CAngebotList& list);
// The same handed to `write` piece by piece (each piece whole lines).
void DumpRecords(const CAngebotList& list, const std::function<void(std::string_view)>& write);

// A text column of the dump: trimmed of blanks, tabs, CR and LF; those inside become blanks.
std::string DumpText(std::string_view text);
