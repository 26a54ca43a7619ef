// The GAEB 90 reader on a D83 alone, with the labels and the calculation that follow an open.

#include "gaeb90/gaeb_converter.h"
#include "model/calculation.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CAngebotList list;
    CGaebConverter converter(list);
    if (converter.ReadD83Data(std::string_view(reinterpret_cast<const char*>(data), size))) {
        list.LinkDisplayChain();
        CalcAll(list);
    }
    return 0;
}
