// Any bytes convert or fail cleanly; a failure leaves the output alone.
#include "richtext/RtfTextExtractor.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rtf(reinterpret_cast<const char*>(data), size);
    std::string text = "sentinel";
    if (!ExtractPlainText(rtf, text) && text != "sentinel") std::abort();
    return 0;
}
