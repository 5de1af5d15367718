#include "engine/codepage.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "engine/document_stream.h"
#include "engine/utf8.h"

namespace engine {
namespace {

// The code page's upper half as the system's converter defines it: the code
// point of every byte from 0x80 up, 0 where the byte is undefined.
const std::array<char32_t, 128>& upperHalf() {
    static const std::array<char32_t, 128> table = [] {
        std::array<char32_t, 128> t{};
        iconv_t cd = iconv_open("UTF-32LE", "WINDOWS-874");
        if (cd == reinterpret_cast<iconv_t>(-1)) cd = iconv_open("UTF-32LE", "CP874");
        if (cd == reinterpret_cast<iconv_t>(-1)) return t;
        for (int b = 0x80; b <= 0xFF; ++b) {
            char in = static_cast<char>(b);
            unsigned char out[8] = {};
            char* inp = &in;
            char* outp = reinterpret_cast<char*>(out);
            std::size_t inLeft = 1, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inp, &inLeft, &outp, &outLeft) != static_cast<std::size_t>(-1) &&
                outLeft == 4) {
                t[static_cast<std::size_t>(b - 0x80)] =
                    static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
            }
        }
        iconv_close(cd);
        return t;
    }();
    return table;
}

// Code of every code point of the Basic Multilingual Plane; 63 where unmapped.
const std::uint8_t* bmpCodes() {
    static const std::unique_ptr<std::uint8_t[]> codes = [] {
        auto c = std::make_unique<std::uint8_t[]>(0x10000);
        std::memset(c.get(), 63, 0x10000);
        for (int b = 0; b < 0x80; ++b) c[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(b);
        const auto& upper = upperHalf();
        for (int b = 0x80; b <= 0xFF; ++b) {
            char32_t cp = upper[static_cast<std::size_t>(b - 0x80)];
            if (cp != 0 && cp < 0x10000) c[cp] = static_cast<std::uint8_t>(b);
        }
        return c;
    }();
    return codes.get();
}

}  // namespace

int ansiCode(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<int>(codePoint);
    if (codePoint == 0x201E) return '"';
    if (codePoint >= 0x10000) return 63;
    return bmpCodes()[codePoint];
}

int scannerCode(int code) {
    switch (code) {
        case 0x91:
        case 0x92:
            return '\'';
        case 0x93:
        case 0x94:
            return '"';
        case 0x96:
        case 0x97:
            return '-';
        case 0x85:
            return '.';
        case 0xA0:
            return ' ';
        default:
            return code;
    }
}

std::string windows874ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    const auto& upper = upperHalf();
    for (unsigned char b : bytes) {
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            const char32_t cp = upper[b - 0x80];
            appendUtf8(cp != 0 ? cp : kReplacementCharacter, &out);
        }
    }
    return out;
}

std::string documentBytesToUtf8(std::string_view bytes) {
    DocumentEncoding encoding = DocumentEncoding::kWindows874;
    if (const std::optional<ByteOrderMark> mark = findByteOrderMark(bytes)) {
        encoding = mark->encoding;
        bytes.remove_prefix(mark->length);
    } else if (isValidUtf8(bytes)) {
        return std::string(bytes);
    }
    // The whole document as one piece of the stream, which decodes it by the
    // same rules.
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    DocumentDecoder decoder(encoding);
    decoder.decode(bytes, &out);
    decoder.finish(&out);
    return out;
}

}  // namespace engine
