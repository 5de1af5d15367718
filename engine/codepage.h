// Character codes of the Thai single-byte code page (Windows-874), which the
// scanner classifies characters by, and conversion of document bytes to UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace engine {

// The Windows-874 code (0 to 255) of a Unicode code point; 63 ("?") for a
// character the code page cannot represent.
int ansiCode(char32_t codePoint);

// Windows-874 bytes as UTF-8 text; bytes the code page leaves undefined
// become U+FFFD.
std::string windows874ToUtf8(std::string_view bytes);

// Document bytes as UTF-8: valid UTF-8 (a leading byte-order mark removed) is
// taken as it is, anything else is read as Windows-874.
std::string documentBytesToUtf8(std::string_view bytes);

}  // namespace engine
