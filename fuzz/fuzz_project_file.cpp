// The project file reader, then what the application does with the records it opens.

#include "model/calculation.h"
#include "model/project_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CAngebotList list;
    if (!LoadRecordsFromData(list, std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    list.LinkDisplayChain();
    list.BuildAllLabels();
    CalcAll(list);
    std::string out;
    SaveRecords(list, out);
    return 0;
}
