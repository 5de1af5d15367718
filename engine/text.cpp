#include "engine/text.h"

#include <unordered_set>

#include "dictionary/record.h"
#include "engine/utf8.h"

namespace engine {

bool isWordSeparator(int code) {
    return code == 9 || code == 10 || code == 11 || code == 13 || (code >= 32 && code <= 47) ||
           (code >= 58 && code <= 64) || (code >= 91 && code <= 94) || code == 96 ||
           (code >= 123 && code <= 126);
}

bool cutFirstPiece(std::string& text, std::string_view delimiter, std::string* piece) {
    const std::size_t at = text.find(delimiter);
    if (at == std::string::npos) return false;
    piece->assign(text, 0, at);
    text.erase(0, at + delimiter.size());
    return true;
}

std::vector<std::string> splitText(std::string_view text, std::string_view delimiter) {
    if (delimiter.empty()) delimiter = " ";
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(delimiter, start)) != std::string_view::npos;) {
        pieces.emplace_back(text.substr(start, at - start));
        start = at + delimiter.size();
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

std::string collapseSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool space = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
            space = !out.empty();
            continue;
        }
        if (space) out.push_back(' ');
        space = false;
        out.push_back(c);
    }
    return out;
}

bool endsWithEither(std::string_view s, std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (s.size() < n) return false;
    const char* tail = s.data() + s.size() - n;
    bool isA = true, isB = true;
    for (std::size_t k = 0; k < n; ++k) {
        isA = isA && tail[k] == a[k];
        isB = isB && tail[k] == b[k];
    }
    return isA || isB;
}

StemEnding stemEnding(std::string_view word) {
    if (endsWithEither(word, "s", "S") && utf8Length(word) > 2 && word[word.size() - 2] != '\'')
        return StemEnding::kPlural;
    if (endsWithEither(word, "ed", "ED")) return StemEnding::kEd;
    if (endsWithEither(word, "ion", "ION")) return StemEnding::kIon;
    if (endsWithEither(word, "ing", "ING")) return StemEnding::kIng;
    return StemEnding::kNone;
}

std::string_view straightQuotes(std::string_view key, std::string* scratch) {
    // The quotes are U+2018 to U+201E, all of them 0xE2 0x80 and a third byte.
    if (key.find("\xE2\x80") == std::string_view::npos) return key;
    scratch->clear();
    for (std::size_t k = 0; k < key.size(); ++k) {
        if (k + 2 < key.size() && key[k] == '\xE2' && key[k + 1] == '\x80') {
            const auto third = static_cast<unsigned char>(key[k + 2]);
            if (third == 0x98 || third == 0x99) {
                *scratch += '\'';
                k += 2;
                continue;
            }
            if (third == 0x9C || third == 0x9D || third == 0x9E) {
                *scratch += '"';
                k += 2;
                continue;
            }
        }
        *scratch += key[k];
    }
    return *scratch;
}

std::vector<std::string> removeDuplicates(const std::vector<std::string>& values) {
    std::vector<std::string> result;
    std::unordered_set<std::string> seen;
    for (const std::string& v : values) {
        if (seen.insert(dict::foldCase(v)).second) result.push_back(v);
    }
    return result;
}

}  // namespace engine
