// The reordering rules: given the look-up result of one word, emit its Thai
// meaning (or hold it, so that a noun comes before its modifiers as Thai word
// order wants), the arrangement entry and the missing-word token.
#pragma once

#include <string>
#include <string_view>

#include "engine/worklist.h"

namespace dict {
struct DictRecord;
}

namespace engine {

// The part of speech of the following word, as the first filled meaning of
// its record gives it; kNone when it is missing or has none of these.
enum class WordClass : unsigned char { kNone, kNoun, kVerb, kAdv, kAdj, kConj };

// What the rules carry from word to word during one run.
struct ReorderingState {
    bool adjectiveHeld = false;
    std::string heldAdjective;
    bool firstNounHeld = false;
    std::string firstNounMeaning;
    bool secondNounHeld = false;
    std::string secondNounMeaning;
    std::string verbPrefix;  // put in front of the next verb meaning
};

// The lists the rules append to.
struct RuleLists {
    TextList& output;            // output tokens
    WorkList& arrangement;       // "word= meaning" entries
    TextList& arrangementWords;  // the English word of each entry
    TextList& missing;           // tokens the dictionary lacks
    std::string& line;           // scratch for one arrangement entry
};

// Applies the rules to one word: `token` as split from the phrase, the look-up
// key `currentWord`, the class of the following word and the record found
// for the key (nullptr when missing).
void applyRules(std::string_view token, std::string_view currentWord, WordClass nextWordClass,
                const dict::DictRecord* record, ReorderingState& state, RuleLists& lists);

}  // namespace engine
