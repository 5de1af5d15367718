// The output tokens joined into the Thai document. Thai is written without
// spaces between words, so the tokens go end to end, with one exception: where
// a token ending in a Latin letter or a digit meets one starting with a Latin
// letter or a digit (two names, a word left in English beside another or a
// number), one space goes between them, or they would read as one word
// ("Sara Danius", not "SaraDanius"). Thai beside Latin, Thai beside Thai,
// punctuation and the spaces tokens carry themselves are left as they are.
#pragma once

#include <string>
#include <string_view>

#include "engine/text_list.h"

namespace engine {

// The characters that a space keeps apart. Latin letters: the ASCII letters;
// the letters of Latin-1 (U+00C0 to U+00FF but the signs × and ÷), Latin Extended-A and -B (U+0100
// to U+024F) and Latin Extended Additional (U+1E00 to U+1EFF), so "café" and "Łódź" count as words;
// and the combining accents (U+0300 to U+036F), which belong to the letter before them. Digits: 0
// to 9 only; Thai digits are Thai script and join as Thai does.
bool isLatinLetterOrDigit(char32_t c);

// Joins the tokens of one document in order, in one call or several (a
// stream, a line at a time): it remembers how the text joined so far ends, so
// the pieces joined in turn and put end to end are the document joined whole.
class OutputJoiner final {
public:
    // Whether a space goes before `token`, after everything joined so far;
    // counts the token as joined. An empty token changes nothing.
    bool spaceBefore(std::string_view token);

    // The tokens of `tokens` joined after what came before: the list's own
    // buffer when no space is needed, else the text made in *scratch.
    std::string_view join(const TextList& tokens, std::string* scratch);

private:
    bool m_afterLatinOrDigit = false;
};

}  // namespace engine
