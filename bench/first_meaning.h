// The naive baseline of the quality bench: every word of a line replaced by
// its first meaning, with none of the translator's rules.
#pragma once

#include <string>
#include <string_view>

namespace dict {
class DictionaryStore;
}

namespace quality {

// The first-meaning rendering of one line. Words are the runs of word
// characters the translator's scanner cuts (an apostrophe between two of them
// stays inside the word, "don't"); each is looked up as written (letter case
// ignored) and gives its first meaning that is not blank in the order Noun,
// Verb, Adv, Adj, PP, Conj, Question, Idium, nothing when every meaning is
// blank, or itself when it is no headword. Punctuation is kept and spaces go;
// the tokens are joined with nothing between them, except that one space
// separates two that would join Latin letters or digits into one word.
std::string firstMeaningLine(const dict::DictionaryStore& store, std::string_view line);

}  // namespace quality
