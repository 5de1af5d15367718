#include "engine/translator.h"

#include <cmath>

#include "dictionary/store.h"
#include "engine/codepage.h"
#include "engine/text.h"
#include "engine/utf8.h"

namespace engine {
namespace {

using dict::DictRecord;
using dict::FieldValue;

// Filled against a space: present and not the single space (empty text counts).
bool filledAgainstSpace(const FieldValue& v) { return v && *v != " "; }
// Filled against empty: present and not the empty text.
bool filledAgainstEmpty(const FieldValue& v) { return v && !v->empty(); }

bool endsWith(std::string_view s, std::string_view a, std::string_view b) {
    return s.size() >= a.size() &&
           (s.substr(s.size() - a.size()) == a || s.substr(s.size() - b.size()) == b);
}

// The class of a found following word: the tag of its first filled field.
// Chain A tests the conjunction against empty, chain B against a space.
void chooseClass(const DictRecord& r, bool chainA, std::string_view* nextWordClass) {
    if (filledAgainstSpace(r[dict::kWordNoun])) {
        *nextWordClass = "Noun";
    } else if (filledAgainstSpace(r[dict::kWordVerb])) {
        *nextWordClass = "Verb";
    } else if (filledAgainstSpace(r[dict::kWordAdv])) {
        *nextWordClass = "Adv";
    } else if (filledAgainstSpace(r[dict::kWordAdj])) {
        *nextWordClass = "Adj";
    } else if (chainA ? filledAgainstEmpty(r[dict::kWordConj])
                      : filledAgainstSpace(r[dict::kWordConj])) {
        *nextWordClass = "Conj";
    }
}

}  // namespace

int Translator::progressPercent(std::size_t i, std::size_t n) {
    if (n == 0) return 0;
    const double p = std::fabs(static_cast<double>(i) * 100.0 / static_cast<double>(n) - 1.0);
    return static_cast<int>(std::round(p));
}

void Translator::captureSelection(std::string selection) {
    m_translateSelection = true;
    m_selectionText = std::move(selection);
}

const DictRecord* Translator::lookup(std::string_view key) {
    const dict::LookupView* view = m_host.lookupView();
    return view ? view->find(straightQuotes(key, &m_plainKey)) : nullptr;
}

void Translator::stemOrE(std::string& word, std::size_t suffixLength) {
    word.resize(word.size() - suffixLength);
    if (!lookup(word)) word += 'e';
}

bool Translator::run(std::string_view documentText) {
    if (m_running) return false;
    m_running = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_running};

    m_phraseWords.clear();
    m_outputTokens.clear();
    m_arrangementWords.clear();
    m_host.arrangementList().clear();
    m_host.missingWordList().clear();
    m_missingRaw.clear();
    m_phraseBuffer.clear();
    m_host.clearCancelRequest();
    m_state = ReorderingState{};

    std::string text(m_translateSelection ? std::string_view(m_selectionText) : documentText);
    text += '\r';  // closes the last phrase
    m_translateSelection = false;

    const std::size_t n = utf8Length(text);
    std::size_t i = 0;
    for (std::size_t pos = 0; pos < text.size(); ++i) {
        m_state.verbPrefix.clear();
        m_host.yield();
        char32_t cp;
        const std::size_t len = decodeUtf8(text, pos, &cp);
        const std::string_view ch(text.data() + pos, len);
        pos += len;
        // Typographic quotes, dashes and the like are classified as their
        // plain counterparts but kept as written: a dash or an apostrophe
        // stands as a word of its own, a quote closes the phrase as itself.
        const int code = scannerCode(ansiCode(cp));
        if (!isWordSeparator(code)) {
            m_phraseBuffer.append(ch);
        } else if (code == 32) {
            if (!m_phraseBuffer.empty() && m_phraseBuffer.back() != ' ') m_phraseBuffer += ' ';
        } else if (code == 45 || code == 39) {
            m_phraseBuffer += ' ';
            m_phraseBuffer.append(ch);
            m_phraseBuffer += ' ';
        } else if (code != 9 && code != 11) {
            closePhrase(ch, code);
        }
        if (m_host.cancelRequested()) break;
        m_host.setProgressPercent(progressPercent(i, n));
    }
    finish();
    return true;
}

void Translator::closePhrase(std::string_view closing, int code) {
    if (code == 63) {
        const DictRecord* r = lookup(m_phraseBuffer);
        if (r && filledAgainstEmpty((*r)[dict::kWordQuestion])) {
            m_outputTokens.append(*(*r)[dict::kWordQuestion]);
            m_outputTokens.append("?");
            m_phraseBuffer.clear();
            return;
        }
    }
    m_phraseWords.clear();
    if (const DictRecord* r = lookup(m_phraseBuffer);
        r && filledAgainstSpace((*r)[dict::kWordIdiom])) {
        m_outputTokens.append(*(*r)[dict::kWordIdiom]);
        m_outputTokens.append(std::string(closing));
        m_phraseBuffer.clear();
        return;
    }
    m_phraseBuffer += ' ';
    m_phraseBuffer.append(closing);
    for (std::string& piece : splitText(m_phraseBuffer, " "))
        m_phraseWords.append(std::move(piece));
    const std::size_t count = m_phraseWords.count();
    for (std::size_t j = 0; j < count;) j = wordStep(j);
    m_phraseBuffer.clear();
}

std::size_t Translator::wordStep(std::size_t i) {
    // 1. Read the word and its lookahead.
    std::size_t wordIndex = i;
    std::string currentWord = m_phraseWords.at(i);
    std::string nextWord = m_phraseWords.at(i + 1);
    const std::string& next = m_phraseWords.at(i + 1);
    const std::string& second = m_phraseWords.at(i + 2);
    const std::string& third = m_phraseWords.at(i + 3);
    const std::string& fourth = m_phraseWords.at(i + 4);
    const bool hyphenFollows = next == "-";
    std::string_view nextWordClass;

    // 2-3. A missing word is reduced to its stem.
    if (!lookup(currentWord)) {
        const std::string& w = currentWord;
        if (endsWith(w, "s", "S") && utf8Length(w) > 2 && w[w.size() - 2] != '\'') {
            currentWord.pop_back();
            if (!lookup(currentWord)) nextWordClass = "Noun";
        } else if (endsWith(w, "ed", "ED")) {
            stemOrE(currentWord, 2);
        } else if (endsWith(w, "ion", "ION")) {
            stemOrE(currentWord, 3);
        } else if (endsWith(w, "ing", "ING")) {
            m_state.verbPrefix = "การ";
            stemOrE(currentWord, 3);
        }
    }

    for (;;) {
        // 4. Multi-word headwords, longest first; a hyphen after the word is
        // left out of the keys.
        const auto tryKey = [&](std::initializer_list<const std::string*> words,
                                std::size_t advance) {
            m_key = currentWord;
            for (const std::string* w : words) {
                m_key += ' ';
                m_key += *w;
            }
            if (!lookup(m_key)) return false;
            currentWord = m_key;
            wordIndex += advance;
            nextWord = m_phraseWords.at(wordIndex + 1);
            return true;
        };
        // Every key starts with the word's first word, so a word that starts no
        // multi-word headword needs none of the four look-ups.
        const dict::LookupView* view = m_host.lookupView();
        const std::string_view head = std::string_view(currentWord).substr(0, currentWord.find(' '));
        if (view && view->startsPhrase(straightQuotes(head, &m_plainKey))) {
            (void)((hyphenFollows ? tryKey({&second, &third, &fourth}, 4)
                                  : tryKey({&next, &second, &third, &fourth}, 4)) ||
                   tryKey({&next, &second, &third}, 3) ||
                   (hyphenFollows ? tryKey({&second}, 2) : tryKey({&next, &second}, 2)) ||
                   tryKey({&next}, 1));
        }

        // 5. The class of the following word, through its stem when needed.
        if (const DictRecord* r = lookup(nextWord)) {
            chooseClass(*r, true, &nextWordClass);
        } else {
            if (endsWith(nextWord, "s", "S")) {
                nextWord.pop_back();
            } else if (endsWith(nextWord, "ed", "ED")) {
                stemOrE(nextWord, 2);
            } else if (endsWith(nextWord, "ion", "ION")) {
                stemOrE(nextWord, 3);
            }
            if (const DictRecord* r2 = lookup(nextWord)) {
                chooseClass(*r2, false, &nextWordClass);
            } else {
                nextWordClass = "";
            }
        }

        // 6. Special words.
        if (currentWord == "A" || currentWord == "a") {
            if (nextWordClass == "Noun" || nextWordClass == "Adv" || nextWordClass == "Adj") {
                return wordIndex + 1;  // the article is left out
            }
            m_outputTokens.append(currentWord);
            break;
        }
        if (straightQuotes(currentWord, &m_plainKey) == "'") return wordIndex + 1;
        if (currentWord == "I") {
            m_outputTokens.append(currentWord);
            return wordIndex + 1;
        }
        if (currentWord == "For" || currentWord == "FOr" || currentWord == "FOR" ||
            currentWord == "for") {
            std::string key = currentWord + " " + nextWord;
            if (lookup(key)) {
                currentWord = std::move(key);
                ++wordIndex;
                nextWord = m_phraseWords.at(wordIndex + 1);
                nextWordClass = "Noun";
                continue;  // matched anew from the multi-word step
            }
        }
        break;
    }

    // 7. Final look-up and the reordering rules.
    RuleLists lists{m_outputTokens, m_host.arrangementList(), m_arrangementWords, m_missingRaw};
    applyRules(m_phraseWords.at(wordIndex), currentWord, nextWordClass, lookup(currentWord),
               m_state, lists);
    return wordIndex + 1;
}

void Translator::finish() {
    m_host.setPanelVisible(Panel::kProgress, false);
    m_host.setPanelVisible(Panel::kWriting, true);
    std::string joined;
    std::size_t size = 0;
    for (const std::string& t : m_outputTokens.items()) size += t.size();
    joined.reserve(size);
    for (const std::string& t : m_outputTokens.items()) {
        m_host.yield();
        joined += t;
    }
    m_host.setPanelVisible(Panel::kWriting, false);
    m_host.setPanelVisible(Panel::kPlain, false);
    m_host.setThaiText(std::string());
    m_host.setThaiText(joined);
    listMissingWords();
}

std::vector<std::string> Translator::visibleMissingWords(const std::vector<std::string>& raw) {
    // Single punctuation, space and control characters are not words.
    const auto excluded = [](const std::string& t) {
        char32_t cp;
        if (decodeUtf8(t, 0, &cp) != t.size()) return false;
        const int code = scannerCode(ansiCode(cp));
        return (code >= 0 && code <= 11) || code == 13 || (code >= 32 && code <= 47) ||
               (code >= 58 && code <= 64) || (code >= 91 && code <= 94) || code == 96 ||
               (code >= 123 && code <= 126);
    };
    std::vector<std::string> candidates;
    candidates.reserve(raw.size());
    for (const std::string& t : raw) {
        if (!t.empty() && !excluded(t)) candidates.push_back(t);
    }
    return removeDuplicates(candidates);
}

void Translator::listMissingWords() {
    WorkList& visible = m_host.missingWordList();
    visible.clear();
    for (std::string& w : visibleMissingWords(m_missingRaw.items())) visible.append(std::move(w));
}

}  // namespace engine
