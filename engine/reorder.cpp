#include "engine/reorder.h"

#include "dictionary/store.h"

namespace engine {
namespace {

// The fields tried for a meaning, in rule order.
constexpr int kRuleFields[] = {dict::kWordNoun,     dict::kWordVerb, dict::kWordAdv,
                               dict::kWordAdj,      dict::kWordPP,   dict::kWordConj,
                               dict::kWordQuestion, dict::kWordIdiom};

void entry(RuleLists& lists, std::string_view word, std::string_view separator,
           std::string_view meaning) {
    lists.line.assign(word).append(separator).append(meaning);
    lists.arrangement.append(lists.line);
    lists.arrangementWords.append(word);
}

void emit(RuleLists& lists, std::string_view text) {
    lists.output.append(text);
}

// Emits what is held, the nouns last first and the adjective after them, and
// holds nothing more: where a run of nouns ends, and before any other kind of
// word, for nouns held for a noun that did not come (the word after them was
// looked up as a noun but began a longer headword of another kind), which
// would otherwise wait for some later noun or be lost.
void releaseHeld(ReorderingState& s, RuleLists& lists) {
    if (s.secondNounHeld) emit(lists, s.secondNounMeaning);
    if (s.firstNounHeld) emit(lists, s.firstNounMeaning);
    if (s.adjectiveHeld) emit(lists, s.heldAdjective);
    s.secondNounMeaning.clear();
    s.firstNounMeaning.clear();
    s.heldAdjective.clear();
    s.firstNounHeld = s.secondNounHeld = s.adjectiveHeld = false;
}

void nounRule(std::string_view word, const std::string& m, bool nextIsNoun, ReorderingState& s,
              RuleLists& lists) {
    if (nextIsNoun) {
        if (!s.firstNounHeld) {
            s.firstNounMeaning = m;
            s.firstNounHeld = true;
        } else if (!s.secondNounHeld) {
            s.secondNounMeaning = m;
            s.secondNounHeld = true;
        } else {
            // A third noun with the run going on: the three nouns so far are
            // emitted, last first. A held adjective stays held for the noun
            // that ends the run, so it still follows the whole run.
            emit(lists, m);
            emit(lists, s.secondNounMeaning);
            emit(lists, s.firstNounMeaning);
            s.secondNounMeaning.clear();
            s.firstNounMeaning.clear();
            s.firstNounHeld = s.secondNounHeld = false;
        }
    } else {
        // The run ends here: this noun first, then the held ones in reverse
        // order of arrival, the adjective last.
        emit(lists, m);
        releaseHeld(s, lists);
    }
    entry(lists, word, "= ", m);
}

}  // namespace

void applyRules(std::string_view token, std::string_view currentWord, WordClass nextWordClass,
                const dict::DictRecord* record, ReorderingState& state, RuleLists& lists) {
    if (record == nullptr) {
        lists.output.append(token);
        lists.missing.append(token);
        return;
    }
    int field = -1;
    for (int f : kRuleFields) {
        const dict::FieldValue& v = (*record)[f];
        if (v && !v->empty()) {
            field = f;
            break;
        }
    }
    if (field < 0) return;  // a word Thai leaves out
    const std::string& m = *(*record)[field];

    switch (field) {
        case dict::kWordNoun:
            nounRule(currentWord, m, nextWordClass == WordClass::kNoun, state, lists);
            break;
        case dict::kWordVerb:
            releaseHeld(state, lists);
            lists.output.append(state.verbPrefix, m);
            state.verbPrefix.assign(1, ' ');
            entry(lists, currentWord, "= ", m);
            break;
        case dict::kWordAdj:
            if (nextWordClass == WordClass::kNoun) {
                state.heldAdjective = m;
                state.adjectiveHeld = true;
            } else {
                // Whatever is still held (its noun never came) is emitted
                // before this adjective rather than dropped.
                releaseHeld(state, lists);
                emit(lists, m);
            }
            entry(lists, currentWord, " = ", m);
            break;
        case dict::kWordAdv:
        case dict::kWordConj:
            releaseHeld(state, lists);
            emit(lists, m);
            entry(lists, currentWord, "=", m);
            break;
        case dict::kWordQuestion:
            releaseHeld(state, lists);
            emit(lists, m);
            entry(lists, currentWord, "= ", m);
            break;
        default:  // preposition, idiom
            releaseHeld(state, lists);
            emit(lists, m);
            entry(lists, currentWord, " = ", m);
            break;
    }
}

}  // namespace engine
