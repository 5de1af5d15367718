// Text helpers the importers share: the code points of a UTF-8 text, the Thai
// block's character classes, conversion from TIS-620 and white space.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/text.h"

namespace dictimport {

// Code points of a UTF-8 text, decoded as the engine decodes it: a byte that
// starts no valid sequence becomes U+FFFD.
std::vector<char32_t> codePoints(std::string_view text);

// TIS-620 (the Thai single-byte set the etlex files use) to UTF-8.
std::string tis620ToUtf8(std::string_view text);

// Thai consonant, vowel or digit (U+0E01..U+0E5B).
inline bool isThai(char32_t cp) { return cp >= 0x0E01 && cp <= 0x0E5B; }

// Thai vowel signs and tone marks written above or below a consonant: a
// meaning cannot start with one.
inline bool isThaiCombining(char32_t cp) {
    return cp == 0x0E31 || (cp >= 0x0E34 && cp <= 0x0E3A) || (cp >= 0x0E47 && cp <= 0x0E4E);
}

inline bool isPrivateUse(char32_t cp) {
    return (cp >= 0xE000 && cp <= 0xF8FF) || (cp >= 0xF0000 && cp <= 0x10FFFD);
}

// Trims ASCII white space at both ends and collapses inner runs to one space.
using engine::collapseSpaces;

}  // namespace dictimport
