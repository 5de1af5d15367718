#include "bench/first_meaning.h"

#include "dictionary/store.h"
#include "engine/codepage.h"
#include "engine/text.h"
#include "engine/utf8.h"

namespace quality {
namespace {

constexpr int kMeaningOrder[] = {dict::kWordNoun,     dict::kWordVerb, dict::kWordAdv,
                                 dict::kWordAdj,      dict::kWordPP,   dict::kWordConj,
                                 dict::kWordQuestion, dict::kWordIdiom};

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string::npos;
}

bool isLatinLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

void appendToken(std::string_view token, std::string* out) {
    if (token.empty()) return;
    if (!out->empty() && isLatinLetterOrDigit(out->back()) && isLatinLetterOrDigit(token.front()))
        out->push_back(' ');
    out->append(token);
}

// The scanner's class of the character at pos, and its byte length.
int codeAt(std::string_view line, std::size_t pos, std::size_t* length) {
    char32_t cp;
    *length = engine::decodeUtf8(line, pos, &cp);
    return engine::scannerCode(engine::ansiCode(cp));
}

}  // namespace

std::string firstMeaningLine(const dict::DictionaryStore& store, std::string_view line) {
    std::string out, scratch;
    const auto emitWord = [&](std::string_view word) {
        if (word.empty()) return;
        const dict::DictRecord* rec = store.find(engine::straightQuotes(word, &scratch));
        if (!rec) {
            appendToken(word, &out);
            return;
        }
        for (const int field : kMeaningOrder) {
            const dict::FieldValue& meaning = (*rec)[field];
            if (meaning && !isBlank(*meaning)) {
                appendToken(*meaning, &out);
                return;
            }
        }
    };

    std::size_t wordStart = 0, pos = 0;
    while (pos < line.size()) {
        std::size_t length;
        const int code = codeAt(line, pos, &length);
        if (!engine::isWordSeparator(code)) {
            pos += length;
            continue;
        }
        // An apostrophe between two word characters belongs to the word.
        if (code == '\'' && pos > wordStart && pos + length < line.size()) {
            std::size_t nextLength;
            if (!engine::isWordSeparator(codeAt(line, pos + length, &nextLength))) {
                pos += length;
                continue;
            }
        }
        emitWord(line.substr(wordStart, pos - wordStart));
        if (code != ' ' && code != '\t' && code != '\n' && code != '\v' && code != '\r')
            appendToken(line.substr(pos, length), &out);
        pos += length;
        wordStart = pos;
    }
    emitWord(line.substr(wordStart));
    return out;
}

}  // namespace quality
