// Fuzzes the zip containers as files: the input is a zip archive (Word,
// OpenDocument or EPUB, told by its members), opened through libzip with the
// unpack limits; a damaged, encrypted or oversized one must be refused.
#include <cstddef>
#include <cstdint>

#include "fuzz/document_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzdocs::readAndCheck(std::string_view(reinterpret_cast<const char*>(data), size),
                           formats::Format::kZip);
    return 0;
}
