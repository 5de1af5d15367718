// Character codes of the Thai single-byte code page (Windows-874), which the
// scanner classifies characters by, and conversion of document bytes to UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace engine {

// The Windows-874 code (0 to 255) of a Unicode code point; 63 ("?") for a
// character the code page cannot represent. The low double quote (U+201E),
// which the code page lacks, takes the code of the straight double quote.
int ansiCode(char32_t codePoint);

// The code the scanner classifies a character of Windows-874 code `code` by:
// the typographic single quotes (0x91, 0x92) count as the apostrophe, the
// typographic double quotes (0x93, 0x94) as the straight double quote, the en
// and em dashes (0x96, 0x97) as the hyphen-minus, the ellipsis (0x85) as the
// full stop and the no-break space (0xA0) as the space; other codes are kept.
int scannerCode(int code);

// Windows-874 bytes as UTF-8 text; bytes the code page leaves undefined
// become U+FFFD.
std::string windows874ToUtf8(std::string_view bytes);

// Document bytes as UTF-8: UTF-16 with a byte-order mark (little- or
// big-endian, as Notepad writes it) is converted, UTF-8 with a byte-order mark
// is read as UTF-8 (invalid sequences as U+FFFD), valid UTF-8 is taken as it
// is and anything else is read as Windows-874. The mark itself is dropped.
std::string documentBytesToUtf8(std::string_view bytes);

}  // namespace engine
