// The RTF to plain text converter of GAEB 2000 long texts.

#include "gaeb2000/rtf_plain_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RtfToPlainText(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
