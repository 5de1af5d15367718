#include "engine/utf8.h"

namespace engine {

std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t* codePoint) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[pos + k]); };
    const unsigned char b0 = byte(0);
    if (b0 < 0x80) {
        *codePoint = b0;
        return 1;
    }
    std::size_t len;
    char32_t cp;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        *codePoint = kReplacementCharacter;
        return 1;
    }
    if (pos + len > text.size()) {
        *codePoint = kReplacementCharacter;
        return 1;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const unsigned char b = byte(k);
        if ((b & 0xC0) != 0x80) {
            *codePoint = kReplacementCharacter;
            return 1;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF)) {
        *codePoint = kReplacementCharacter;
        return 1;
    }
    *codePoint = cp;
    return len;
}

void appendUtf8(char32_t cp, std::string* out) {
    if (cp < 0x80) {
        out->push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::size_t utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return n;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        char32_t cp;
        const std::size_t len = decodeUtf8(bytes, pos, &cp);
        // A replacement character written in the text is valid; one the
        // decoder put for bad bytes is not.
        if (cp == kReplacementCharacter && !(len == 3 && bytes.substr(pos, 3) == "\xEF\xBF\xBD"))
            return false;
        pos += len;
    }
    return true;
}

}  // namespace engine
