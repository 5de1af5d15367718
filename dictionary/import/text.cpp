#include "dictionary/import/text.h"

#include "engine/utf8.h"

namespace dictimport {

std::vector<char32_t> codePoints(std::string_view text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp;
        i += engine::decodeUtf8(text, i, &cp);
        out.push_back(cp);
    }
    return out;
}

std::string tis620ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else if (b >= 0xA1 && b <= 0xFB) {
            engine::appendUtf8(0x0E01 + (b - 0xA1), &out);
        } else {
            engine::appendUtf8(engine::kReplacementCharacter, &out);
        }
    }
    return out;
}

}  // namespace dictimport
