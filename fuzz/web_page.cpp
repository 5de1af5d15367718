// Fuzzes the web page reader: the input is an HTML page in any encoding, read
// through libxml2's HTML parser; the visible text must keep the layout's
// promises.
#include <cstddef>
#include <cstdint>

#include "fuzz/document_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzdocs::readAndCheck(std::string_view(reinterpret_cast<const char*>(data), size),
                           formats::Format::kHtml);
    return 0;
}
