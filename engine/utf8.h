// UTF-8, the text form of every document and dictionary text: decoding one
// character, encoding one, validity and length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace engine {

// The code point that stands for bytes that are no character.
constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the UTF-8 character starting at text[pos] and returns its byte
// length (at least 1); an invalid sequence decodes as one byte to U+FFFD.
std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t* codePoint);

// Appends the UTF-8 form of one code point to out.
void appendUtf8(char32_t codePoint, std::string* out);

// Number of characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

// True when every byte sequence of the text is well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// Text read a piece at a time: hands `piece` to use(), after the bytes that
// `pending` holds of a character the last piece cut off (joined in `carry`,
// and no longer pending). use() may leave new bytes in `pending`.
template <typename Use>
void usePieceAfterPending(std::string& pending, std::string& carry, std::string_view piece,
                          Use use) {
    if (pending.empty()) {
        use(piece);
        return;
    }
    carry.assign(pending).append(piece);
    pending.clear();
    use(std::string_view(carry));
}

}  // namespace engine
