// Fuzzes document decoding: the input is a document's bytes (UTF-8 with or
// without a byte-order mark, UTF-16 with one, or Windows-874), turned into
// UTF-8 whole and a piece at a time, as the command-line tool reads a pipe.
// Both must agree and give valid UTF-8; the piecewise UTF-8 check must agree
// with the whole one.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/codepage.h"
#include "engine/document_stream.h"
#include "engine/utf8.h"
#include "fuzz/check.h"

namespace {

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    unsigned cut = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string whole = engine::documentBytesToUtf8(bytes);
    CHECK(engine::isValidUtf8(whole));
    const bool valid = engine::isValidUtf8(bytes);

    // Pieces of 1 to 8 bytes. The mark is looked for in the first bytes, as
    // many as markMayFollow() asks for.
    std::string head;
    std::size_t pos = 0;
    while (pos < bytes.size() && (head.empty() || engine::markMayFollow(head))) head += bytes[pos++];
    engine::DocumentEncoding encoding = engine::DocumentEncoding::kUtf8;
    std::size_t start = 0;
    if (const auto mark = engine::findByteOrderMark(head)) {
        encoding = mark->encoding;
        start = mark->length;
    } else {
        engine::Utf8Check utf8;
        for (std::size_t k = 0; k < bytes.size();) {
            cut = cut * 1103515245u + 12345u;
            const std::size_t n = 1 + (cut >> 16) % 8;
            utf8.feed(bytes.substr(k, n));
            if (!utf8.valid()) CHECK(!valid);
            k += n;
        }
        CHECK(utf8.finish() == valid);
        if (!valid) encoding = engine::DocumentEncoding::kWindows874;
    }
    engine::DocumentDecoder decoder(encoding);
    std::string pieces;
    for (std::size_t k = start; k < bytes.size();) {
        cut = cut * 1103515245u + 12345u;
        const std::size_t n = 1 + (cut >> 16) % 8;
        decoder.decode(bytes.substr(k, n), &pieces);
        k += n;
    }
    decoder.finish(&pieces);
    CHECK(pieces == whole);
    if (valid && encoding == engine::DocumentEncoding::kUtf8) CHECK(whole == bytes);
    return 0;
}
