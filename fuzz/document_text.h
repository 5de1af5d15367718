// What every document reader promises of the text it lays out, checked by
// the reader harnesses: valid UTF-8, lines ended by "\n" without white space
// at either end or control characters, never two blank lines in a row.
#pragma once

#include <string>
#include <string_view>

#include "documents/formats/document_reader.h"
#include "engine/utf8.h"
#include "fuzz/check.h"

namespace fuzzdocs {

inline void checkLaidOut(const std::string& text) {
    CHECK(engine::isValidUtf8(text));
    if (text.empty()) return;
    CHECK(text.back() == '\n');
    CHECK(text.front() != '\n');
    CHECK(text.find("\n\n\n") == std::string::npos);
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        CHECK(c >= 0x20 || c == '\n');
        CHECK(c != 0x7F);
        if (c == '\n' && k > 0) CHECK(text[k - 1] != ' ');
        if (c == ' ') CHECK(k > 0 && text[k - 1] != '\n' && text[k - 1] != ' ');
    }
}

// Reads `bytes` as a document of kind `format` and checks the text; small
// limits keep every input cheap.
inline formats::Status readAndCheck(std::string_view bytes, formats::Format format) {
    formats::Limits limits;
    limits.maxUnpackedBytes = 4u << 20;
    limits.maxEntityBytes = 1u << 16;
    std::string text;
    const formats::Status status = formats::readFormatted(
        bytes, format,
        [&](std::string_view piece) {
            text.append(piece);
            return true;
        },
        limits);
    if (status.isOk()) checkLaidOut(text);
    CHECK(status.isOk() || !status.message().empty());
    return status;
}

}  // namespace fuzzdocs
