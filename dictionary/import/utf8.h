// Small UTF-8 helpers the importers share: decoding to code points, the Thai
// block's character classes and conversion from TIS-620.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dictimport {

// Code points of a UTF-8 text; an invalid byte becomes U+FFFD.
std::vector<char32_t> decodeUtf8(std::string_view text);

// UTF-8 of one code point appended to out.
void appendUtf8(char32_t cp, std::string* out);

// True when every byte sequence of the text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

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

// Lower-cases ASCII letters.
std::string asciiLower(std::string_view text);

// Trims ASCII white space at both ends and collapses inner runs to one space.
std::string collapseSpaces(std::string_view text);

}  // namespace dictimport
