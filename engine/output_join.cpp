#include "engine/output_join.h"

#include "engine/utf8.h"

namespace engine {
namespace {

bool isAsciiLetterOrDigit(unsigned char b) {
    return (b >= '0' && b <= '9') || ((b | 0x20) >= 'a' && (b | 0x20) <= 'z');
}

// The same test on the first or the last character of a token; bytes that are
// no character are not letters.
bool startsWithLatinOrDigit(std::string_view token) {
    const auto b = static_cast<unsigned char>(token[0]);
    if (b < 0x80) return isAsciiLetterOrDigit(b);
    char32_t cp;
    decodeUtf8(token, 0, &cp);
    return isLatinLetterOrDigit(cp);
}

bool endsWithLatinOrDigit(std::string_view token) {
    std::size_t start = token.size() - 1;
    const auto b = static_cast<unsigned char>(token[start]);
    if (b < 0x80) return isAsciiLetterOrDigit(b);
    // Back over the continuation bytes to the lead byte of the last character.
    while (start > 0 && token.size() - start < 4 &&
           (static_cast<unsigned char>(token[start]) & 0xC0) == 0x80) {
        --start;
    }
    char32_t cp;
    if (decodeUtf8(token, start, &cp) != token.size() - start) return false;
    return isLatinLetterOrDigit(cp);
}

}  // namespace

bool isLatinLetterOrDigit(char32_t c) {
    if (c < 0x80) return isAsciiLetterOrDigit(static_cast<unsigned char>(c));
    if (c >= 0xC0 && c <= 0x24F) return c != 0xD7 && c != 0xF7;
    return (c >= 0x300 && c <= 0x36F) || (c >= 0x1E00 && c <= 0x1EFF);
}

bool OutputJoiner::spaceBefore(std::string_view token) {
    if (token.empty()) return false;
    const bool space = m_afterLatinOrDigit && startsWithLatinOrDigit(token);
    m_afterLatinOrDigit = endsWithLatinOrDigit(token);
    return space;
}

std::string_view OutputJoiner::join(const TextList& tokens, std::string* scratch) {
    const std::string_view joined = tokens.joined();
    const std::size_t count = tokens.count();
    std::size_t k = 0;
    while (k < count && !spaceBefore(tokens.view(k))) ++k;
    if (k == count) return joined;
    // Everything before token k as it lies, then the rest token by token.
    const std::string_view first = tokens.view(k);
    scratch->clear();
    scratch->reserve(joined.size() + (count - k));  // at most a space before each token left
    scratch->append(joined.substr(0, static_cast<std::size_t>(first.data() - joined.data())));
    scratch->push_back(' ');
    scratch->append(first);
    for (++k; k < count; ++k) {
        const std::string_view token = tokens.view(k);
        if (spaceBefore(token)) scratch->push_back(' ');
        scratch->append(token);
    }
    return *scratch;
}

}  // namespace engine
