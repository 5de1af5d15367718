// Fuzzes the PDF reader: the input is a PDF file, read through poppler and
// laid out as paragraphs; a damaged one must be refused, never crash, and
// the text of any other must keep the layout's promises.
#include <cstddef>
#include <cstdint>

#include "fuzz/document_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzdocs::readAndCheck(std::string_view(reinterpret_cast<const char*>(data), size),
                           formats::Format::kPdf);
    return 0;
}
