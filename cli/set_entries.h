#pragma once

#include "model/angebot_list.h"

#include <string>
#include <vector>

// The entries of `orvak-cli convert --set OZ,COLUMN=VALUE` (Windows-1252).

// OZ is what comes before the last comma ahead of the first '=', COLUMN what lies between that
// comma and the '=', VALUE the rest; false when the option has no such form.
bool SplitSetOption(const std::string& option, std::string& oz, std::string& column, std::string& value);

// Shows the list in a grid without a window as the position list does and types each entry, in
// order, into its cell through the grid's rules, answering "Ja" to the questions 61220/61221.
// On the first option that is refused its reason goes to standard error and the result is false.
bool ApplySetOptions(CAngebotList& list, const std::vector<std::string>& options);
