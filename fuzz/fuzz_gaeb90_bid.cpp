// The GAEB 90 reader on a D83 with its saved bid: the input holds the D84, a line of its own
// "-- D83 --", then the D83 (without that line, all of it is the D84 of an empty D83).

#include "gaeb90/gaeb_converter.h"
#include "model/calculation.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view kSeparator = "\n-- D83 --\n";
    const size_t at = input.find(kSeparator);
    const std::string_view d84 = input.substr(0, at);
    const std::string_view d83 =
        at == std::string_view::npos ? std::string_view() : input.substr(at + kSeparator.size());
    CAngebotList list;
    CGaebConverter converter(list);
    if (converter.ReadD83Data(d83, d84)) {
        list.LinkDisplayChain();
        CalcAll(list);
    }
    return 0;
}
