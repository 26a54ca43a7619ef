// Number parsing, rounding and formatting on any text.

#include "common/number_format.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CNumberFormat format;
    bool mixed = false;
    const double values[] = {format.ParseNumber(text), CNumberFormat::ParseLoose(text, &mixed),
                             CNumberFormat::StringToDouble(text)};
    std::string out;
    for (double value : values)
        for (int decimals : {0, 2, 3}) {
            format.FormatNumber(CNumberFormat::RoundTo(value, decimals), decimals, out);
            format.FormatPlain(value, decimals, out);
        }
    return 0;
}
