// Character codes of the Thai single-byte code page (Windows-874), which the
// scanner classifies characters by, and conversion of document bytes to UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace engine {

// The Windows-874 code (0 to 255) of a Unicode code point; 63 ("?") for a
// character the code page cannot represent.
int ansiCode(char32_t codePoint);

// Decodes the UTF-8 character starting at text[pos] and returns its byte
// length (at least 1); an invalid sequence decodes as one byte to U+FFFD.
std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t* codePoint);

// Number of characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

bool isValidUtf8(std::string_view bytes);

// Windows-874 bytes as UTF-8 text; bytes the code page leaves undefined
// become U+FFFD.
std::string windows874ToUtf8(std::string_view bytes);

// Document bytes as UTF-8: valid UTF-8 (a leading byte-order mark removed) is
// taken as it is, anything else is read as Windows-874.
std::string documentBytesToUtf8(std::string_view bytes);

}  // namespace engine
