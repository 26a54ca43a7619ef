#include "cli/set_entries.h"

#include "common/code_page.h"
#include "ui/cell_rules.h"
#include "ui/memory_grid.h"
#include "ui/position_list.h"
#include "ui/typed_entry.h"

#include <cstdio>

bool SplitSetOption(const std::string& option, std::string& oz, std::string& column, std::string& value) {
    const size_t equals = option.find('=');
    if (equals == std::string::npos) return false;
    const size_t comma = option.rfind(',', equals);
    if (comma == std::string::npos) return false;
    oz = option.substr(0, comma);
    column = option.substr(comma + 1, equals - comma - 1);
    value = option.substr(equals + 1);
    return true;
}

bool ApplySetOptions(CAngebotList& list, const std::vector<std::string>& options) {
    if (options.empty()) return true;
    CMemoryGrid grid;
    SetupPositionColumns(grid);
    FillList(grid, list, "", "");
    CCellRules rules(grid, list, [](CellQuestion) { return true; });
    for (const std::string& option : options) {
        std::string oz, column, value, reason;
        if (!SplitSetOption(option, oz, column, value))
            reason = "Erwartet wird OZ,SPALTE=WERT, zum Beispiel \x84"
                     "01.02.0010,EP=12,50\x93.";
        else
            EnterTypedValue(rules, oz, column, value, reason);
        if (!reason.empty()) {
            std::fprintf(stderr, "--set %s: %s\n", Cp1252ToUtf8(option).c_str(),
                         Cp1252ToUtf8(reason).c_str());
            return false;
        }
    }
    return true;
}
