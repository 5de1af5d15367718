#include "engine/document_stream.h"

#include <cstdint>
#include <cstring>

#include "engine/codepage.h"
#include "engine/utf8.h"

namespace engine {
namespace {

// The bytes a UTF-8 sequence starting with lead byte b can take; the decoder
// reads no further than this.
std::size_t sequenceLength(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 1;
}

// Length of the run of ASCII bytes at the start of bytes, eight at a time.
std::size_t asciiPrefix(std::string_view bytes) {
    std::size_t k = 0;
    for (; k + 8 <= bytes.size(); k += 8) {
        std::uint64_t w;
        std::memcpy(&w, bytes.data() + k, 8);
        if (w & 0x8080808080808080ull) break;
    }
    while (k < bytes.size() && static_cast<unsigned char>(bytes[k]) < 0x80) ++k;
    return k;
}

bool isHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}

// Walks the UTF-8 of bytes: each run of ASCII bytes goes to ascii(run), each
// other sequence to other(code point, sequence), which returns false to stop.
// A sequence cut off at the end waits in *pending unless `last` is set.
template <typename Ascii, typename Other>
void walkUtf8(std::string_view bytes, bool last, std::string* pending, Ascii ascii, Other other) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t run = asciiPrefix(bytes.substr(pos));
        ascii(bytes.substr(pos, run));
        pos += run;
        if (pos == bytes.size()) break;
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        if (!last && pos + sequenceLength(lead) > bytes.size()) {
            pending->assign(bytes.substr(pos));
            return;
        }
        char32_t cp;
        const std::size_t len = decodeUtf8(bytes, pos, &cp);
        if (!other(cp, bytes.substr(pos, len))) return;
        pos += len;
    }
}

}  // namespace

std::optional<ByteOrderMark> findByteOrderMark(std::string_view head) {
    if (head.substr(0, 2) == "\xFF\xFE") return ByteOrderMark{DocumentEncoding::kUtf16Le, 2};
    if (head.substr(0, 2) == "\xFE\xFF") return ByteOrderMark{DocumentEncoding::kUtf16Be, 2};
    if (head.substr(0, 3) == "\xEF\xBB\xBF") return ByteOrderMark{DocumentEncoding::kUtf8Marked, 3};
    return std::nullopt;
}

bool markMayFollow(std::string_view head) {
    for (const std::string_view mark : {"\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"}) {
        if (head.size() < mark.size() && mark.substr(0, head.size()) == head) return true;
    }
    return false;
}

void DocumentDecoder::decode(std::string_view bytes, std::string* out) {
    usePieceAfterPending(m_pending, m_carry, bytes,
                         [&](std::string_view text) { decodeAll(text, false, out); });
}

void DocumentDecoder::finish(std::string* out) {
    m_carry.swap(m_pending);
    m_pending.clear();
    decodeAll(m_carry, true, out);
    m_carry.clear();
}

void DocumentDecoder::decodeAll(std::string_view bytes, bool last, std::string* out) {
    switch (m_encoding) {
        case DocumentEncoding::kUtf8:
            out->append(bytes);
            return;
        case DocumentEncoding::kWindows874:
            out->append(windows874ToUtf8(bytes));
            return;
        case DocumentEncoding::kUtf8Marked:
            walkUtf8(
                bytes, last, &m_pending, [&](std::string_view run) { out->append(run); },
                [&](char32_t cp, std::string_view) {
                    appendUtf8(cp, out);
                    return true;
                });
            return;
        case DocumentEncoding::kUtf16Le:
        case DocumentEncoding::kUtf16Be: {
            const bool bigEndian = m_encoding == DocumentEncoding::kUtf16Be;
            const auto unit = [&](std::size_t k) {
                const auto hi = static_cast<unsigned char>(bytes[bigEndian ? k : k + 1]);
                const auto lo = static_cast<unsigned char>(bytes[bigEndian ? k + 1 : k]);
                return static_cast<char32_t>(hi << 8 | lo);
            };
            std::size_t k = 0;
            for (; k + 1 < bytes.size(); k += 2) {
                char32_t cp = unit(k);
                // A high surrogate needs the unit after it to be read whole.
                if (isHighSurrogate(cp) && !last && k + 3 >= bytes.size()) break;
                if (isHighSurrogate(cp) && k + 3 < bytes.size()) {
                    const char32_t low = unit(k + 2);
                    if (low >= 0xDC00 && low <= 0xDFFF) {
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        k += 2;
                    }
                }
                appendUtf8(cp >= 0xD800 && cp <= 0xDFFF ? kReplacementCharacter : cp, out);
            }
            if (k < bytes.size()) {
                if (last) {
                    appendUtf8(kReplacementCharacter, out);  // an odd final byte
                } else {
                    m_pending.assign(bytes.substr(k));
                }
            }
            return;
        }
    }
}

void Utf8Check::feed(std::string_view bytes) {
    if (!m_valid) return;
    usePieceAfterPending(m_pending, m_carry, bytes,
                         [&](std::string_view text) { check(text, false); });
}

bool Utf8Check::finish() {
    if (m_valid && !m_pending.empty()) {
        m_carry.swap(m_pending);
        m_pending.clear();
        check(m_carry, true);
    }
    return m_valid;
}

void Utf8Check::check(std::string_view bytes, bool last) {
    walkUtf8(
        bytes, last, &m_pending, [](std::string_view) {},
        [&](char32_t cp, std::string_view sequence) {
            // A replacement character written in the text is valid; one the
            // decoder put for bad bytes is not.
            if (cp == kReplacementCharacter && sequence != "\xEF\xBF\xBD") m_valid = false;
            return m_valid;
        });
}

}  // namespace engine
