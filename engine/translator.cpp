#include "engine/translator.h"

#include <array>
#include <cmath>
#include <limits>

#include "dictionary/store.h"
#include "engine/codepage.h"
#include "engine/output_join.h"
#include "engine/text.h"
#include "engine/utf8.h"

namespace engine {
namespace {

using dict::DictRecord;
using dict::FieldValue;

// Filled against a space: present and not the single space (empty text counts).
// Only the length and, for one character, that character are read.
bool filledAgainstSpace(const FieldValue& v) {
    return v && !(v->size() == 1 && (*v)[0] == ' ');
}
// Filled against empty: present and not the empty text.
bool filledAgainstEmpty(const FieldValue& v) {
    return v && !v->empty();
}

// The class of a found following word: the tag of its first filled field.
// Chain A tests the conjunction against empty, chain B against a space.
void chooseClass(const DictRecord& r, bool chainA, WordClass* nextWordClass) {
    if (filledAgainstSpace(r[dict::kWordNoun])) {
        *nextWordClass = WordClass::kNoun;
    } else if (filledAgainstSpace(r[dict::kWordVerb])) {
        *nextWordClass = WordClass::kVerb;
    } else if (filledAgainstSpace(r[dict::kWordAdv])) {
        *nextWordClass = WordClass::kAdv;
    } else if (filledAgainstSpace(r[dict::kWordAdj])) {
        *nextWordClass = WordClass::kAdj;
    } else if (chainA ? filledAgainstEmpty(r[dict::kWordConj])
                      : filledAgainstSpace(r[dict::kWordConj])) {
        *nextWordClass = WordClass::kConj;
    }
}

// What the scanner does with a character, by its code.
enum class CharKind : unsigned char {
    kWord,        // part of a word
    kSpace,       // one space between words
    kStandalone,  // "-" and "'": a word of its own
    kDropped,     // tab and vertical tab: nothing
    kClosing,     // closes the phrase
};

constexpr std::array<CharKind, 256> kCharKinds = [] {
    std::array<CharKind, 256> kinds{};
    for (int code = 0; code < 256; ++code) {
        CharKind k = CharKind::kWord;
        if (code == 32) {
            k = CharKind::kSpace;
        } else if (code == 45 || code == 39) {
            k = CharKind::kStandalone;
        } else if (code == 9 || code == 11) {
            k = CharKind::kDropped;
        } else if (code == 10 || code == 13 || (code >= 33 && code <= 47) ||
                   (code >= 58 && code <= 64) || (code >= 91 && code <= 94) || code == 96 ||
                   (code >= 123 && code <= 126)) {
            k = CharKind::kClosing;
        }
        kinds[static_cast<std::size_t>(code)] = k;
    }
    return kinds;
}();

// The bytes a UTF-8 sequence starting with lead byte b can take; the decoder
// reads no further than this.
std::size_t sequenceLength(unsigned char b) {
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 1;
}

// The first byte of every typographic quote; a phrase without it needs no key
// written straight.
constexpr unsigned char kQuoteLead = 0xE2;

constexpr std::size_t kNoIndex = std::numeric_limits<std::size_t>::max();

// Position of the first space, or npos: keys are short, and a plain loop costs
// less than a library search there.
std::size_t firstSpace(std::string_view s) {
    for (std::size_t k = 0; k < s.size(); ++k) {
        if (s[k] == ' ') return k;
    }
    return std::string_view::npos;
}

}  // namespace

int Translator::progressPercent(std::size_t i, std::size_t n) {
    if (n == 0) return 0;
    const double p = std::fabs(static_cast<double>(i) * 100.0 / static_cast<double>(n) - 1.0);
    // Halves away from zero, as std::round; for the values this quotient takes
    // the sum is exact, and it spares a library call per character.
    return static_cast<int>(p + 0.5);
}

void Translator::captureSelection(std::string selection) {
    m_translateSelection = true;
    m_selectionText = std::move(selection);
}

const DictRecord* Translator::lookup(std::string_view key) {
    if (!m_view) return nullptr;
    return m_view->find(m_phraseHasQuotes ? straightQuotes(key, &m_plainKey) : key);
}

const DictRecord* Translator::lookupWord(std::size_t index) {
    if (index < m_phraseHashes.size())
        return m_view->find(m_phraseWords[index], m_phraseHashes[index]);
    return lookup(phraseWord(index));
}

const DictRecord* Translator::lookupPhrase(std::string_view key) {
    if (!m_view) return nullptr;
    if (m_phraseHasQuotes) key = straightQuotes(key, &m_plainKey);
    // A headword of several words is only there when its first word starts one.
    const std::size_t space = firstSpace(key);
    if (space != std::string_view::npos && !m_view->startsPhrase(key.substr(0, space)))
        return nullptr;
    return m_view->find(key);
}

const DictRecord* Translator::stemOrE(std::string& word, std::size_t suffixLength, bool* known) {
    word.resize(word.size() - suffixLength);
    const DictRecord* r = lookup(word);
    if (!r) {
        word += 'e';
        *known = false;
    }
    return r;
}

void Translator::begin() {
    m_running = true;
    m_outputTokens.clear();
    m_arrangementWords.clear();
    m_host.arrangementList().clear();
    m_host.missingWordList().clear();
    m_missingRaw.clear();
    m_phraseBuffer.clear();
    m_host.clearCancelRequest();
    m_state = ReorderingState{};
    m_charIndex = 0;
    m_charTotal = 0;
    m_pending.clear();
    m_cancelled = false;
    m_bufferHasQuoteLead = false;
}

bool Translator::run(std::string_view documentText) {
    return runWith(utf8Length(documentText), [&] { feed(documentText); });
}

bool Translator::run(std::size_t characters, const PieceSource& nextPiece) {
    return runWith(characters, [&] {
        std::string piece;
        while (!m_cancelled && nextPiece(&piece)) feed(piece);
    });
}

bool Translator::runWith(std::size_t characters, const std::function<void()>& scanDocument) {
    if (m_running) return false;
    begin();
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_running};

    if (m_translateSelection) {
        // A copy: a click during the run may capture a new selection.
        const std::string selection = m_selectionText;
        m_translateSelection = false;
        m_charTotal = utf8Length(selection) + 1;  // with the closing line end
        feed(selection);
    } else {
        m_charTotal = characters + 1;
        scanDocument();
    }
    if (!m_cancelled) scanClosingLineEnd();
    assemble();
    return true;
}

void Translator::start() {
    if (!m_running) begin();
}

void Translator::feed(std::string_view text) {
    if (m_cancelled) return;
    usePieceAfterPending(m_pending, m_carry, text, [&](std::string_view t) { scan(t, false); });
}

void Translator::finish(ClosingLineEnd closing) {
    if (!m_cancelled) {
        const std::size_t missingBefore = m_missingRaw.count();
        scanClosingLineEnd();
        if (closing == ClosingLineEnd::kDropped) dropClosingLineEnd(missingBefore);
    }
    assemble();
    m_running = false;
}

void Translator::dropClosingLineEnd(std::size_t missingBefore) {
    // The closing line end is the last word of the last phrase, or follows an
    // idiom's meaning: either way its token comes last. Only as a word of its
    // own is it also a raw missing word, the last one the phrase added.
    constexpr std::string_view kClosing = "\r";
    if (m_outputTokens.count() > 0 && m_outputTokens.view(m_outputTokens.count() - 1) == kClosing)
        m_outputTokens.removeLast();
    if (m_missingRaw.count() > missingBefore &&
        m_missingRaw.view(m_missingRaw.count() - 1) == kClosing)
        m_missingRaw.removeLast();
}

void Translator::scanClosingLineEnd() {
    // A line end closes the last phrase; it also ends a character left open.
    m_carry.assign(m_pending).append(1, '\r');
    m_pending.clear();
    scan(m_carry, true);
}

void Translator::clearLists() {
    m_outputTokens.clear();
    m_arrangementWords.clear();
    m_missingRaw.clear();
}

bool Translator::scan(std::string_view text, bool last) {
    const std::size_t size = text.size();
    for (std::size_t pos = 0; pos < size;) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        std::size_t len = 1;
        int code = lead;
        if (lead >= 0x80) {
            if (!last && pos + sequenceLength(lead) > size) {
                m_pending.assign(text.substr(pos));
                return true;
            }
            char32_t cp;
            len = decodeUtf8(text, pos, &cp);
            // Typographic quotes, dashes and the like are classified as their
            // plain counterparts but kept as written: a dash or an apostrophe
            // stands as a word of its own, a quote closes the phrase as itself.
            code = scannerCode(ansiCode(cp));
        }
        m_state.verbPrefix.clear();
        m_host.yield();
        const std::string_view ch = text.substr(pos, len);
        pos += len;
        switch (kCharKinds[static_cast<std::size_t>(code)]) {
            case CharKind::kWord:
                if (lead < 0x80) {
                    m_phraseBuffer.push_back(static_cast<char>(lead));
                } else {
                    m_phraseBuffer.append(ch);
                    m_bufferHasQuoteLead |= lead == kQuoteLead;
                }
                break;
            case CharKind::kSpace:
                if (!m_phraseBuffer.empty() && m_phraseBuffer.back() != ' ') m_phraseBuffer += ' ';
                break;
            case CharKind::kStandalone:
                m_phraseBuffer += ' ';
                m_phraseBuffer.append(ch);
                m_phraseBuffer += ' ';
                m_bufferHasQuoteLead |= lead == kQuoteLead;
                break;
            case CharKind::kDropped:
                break;
            case CharKind::kClosing:
                closePhrase(ch, code);
                break;
        }
        if (m_host.cancelRequested()) {
            m_cancelled = true;
            return false;
        }
        if (m_charTotal != 0) m_host.setProgressPercent(progressPercent(m_charIndex, m_charTotal));
        ++m_charIndex;
    }
    return true;
}

void Translator::closePhrase(std::string_view closing, int code) {
    // No events run while a phrase is translated, so the keyed view and the
    // records found stay valid until it is done.
    m_view = m_host.lookupView();
    m_phraseHasQuotes =
        m_bufferHasQuoteLead || static_cast<unsigned char>(closing.front()) == kQuoteLead;
    m_bufferHasQuoteLead = false;  // the buffer is empty again when this returns
    // The question and the idiom rule look up the same key.
    const DictRecord* whole = nullptr;
    bool wholeKnown = false;
    if (code == 63) {
        whole = lookupPhrase(m_phraseBuffer);
        wholeKnown = true;
        if (whole && filledAgainstEmpty((*whole)[dict::kWordQuestion])) {
            m_outputTokens.append(*(*whole)[dict::kWordQuestion]);
            m_outputTokens.append("?");
            m_phraseBuffer.clear();
            return;
        }
    }
    m_phraseWords.clear();
    if (!wholeKnown) whole = lookupPhrase(m_phraseBuffer);
    if (whole && filledAgainstSpace((*whole)[dict::kWordIdiom])) {
        m_outputTokens.append(*(*whole)[dict::kWordIdiom]);
        m_outputTokens.append(closing);
        m_phraseBuffer.clear();
        return;
    }
    m_phraseBuffer += ' ';
    m_phraseBuffer.append(closing);
    // The words are views into the phrase buffer, which stays as it is until
    // the last word step is done.
    const std::string_view phrase = m_phraseBuffer;
    std::size_t begin = 0;
    for (std::size_t at = 0; at < phrase.size(); ++at) {
        if (phrase[at] == ' ') {
            m_phraseWords.push_back(phrase.substr(begin, at - begin));
            begin = at + 1;
        }
    }
    m_phraseWords.push_back(phrase.substr(begin));
    // Every word is looked up soon as written: its place in the dictionary's
    // index starts loading now, and the hash is kept for that look-up.
    m_phraseHashes.clear();
    if (m_view && !m_phraseHasQuotes) {
        for (const std::string_view w : m_phraseWords)
            m_phraseHashes.push_back(m_view->prefetch(w));
    }
    m_aheadIndex = kNoIndex;
    const std::size_t count = m_phraseWords.size();
    for (std::size_t j = 0; j < count;) j = wordStep(j);
    m_phraseBuffer.clear();
}

std::size_t Translator::wordStep(std::size_t i) {
    // 1. Read the word and its lookahead.
    std::size_t wordIndex = i;
    const std::string_view asRead = phraseWord(i);
    m_current.assign(asRead);
    const std::string_view next = phraseWord(i + 1), second = phraseWord(i + 2),
                           third = phraseWord(i + 3), fourth = phraseWord(i + 4);
    m_next.assign(next);
    const bool hyphenFollows = next == "-";
    WordClass nextWordClass = WordClass::kNone;

    // 2-3. A missing word is reduced to its stem. The step before looked this
    // word up already, as its following word. `record` is the look-up of
    // m_current whenever `known` is set.
    const DictRecord* record = m_aheadIndex == i ? m_aheadRecord : lookupWord(i);
    bool known = true;
    if (!record) {
        switch (stemEnding(asRead)) {
            case StemEnding::kPlural:
                m_current.pop_back();
                record = lookup(m_current);
                if (!record) nextWordClass = WordClass::kNoun;
                break;
            case StemEnding::kEd:
                record = stemOrE(m_current, 2, &known);
                break;
            case StemEnding::kIon:
                record = stemOrE(m_current, 3, &known);
                break;
            case StemEnding::kIng:
                m_state.verbPrefix = "การ";
                record = stemOrE(m_current, 3, &known);
                break;
            case StemEnding::kNone:
                break;
        }
    }

    for (;;) {
        // 4. Multi-word headwords, longest first; a hyphen after the word is
        // left out of the keys.
        const auto tryKey = [&](std::initializer_list<std::string_view> words,
                                std::size_t advance) {
            m_key = m_current;
            for (const std::string_view w : words) {
                m_key += ' ';
                m_key += w;
            }
            const DictRecord* r = lookup(m_key);
            if (!r) return false;
            m_current.swap(m_key);
            record = r;
            known = true;
            wordIndex += advance;
            m_next.assign(phraseWord(wordIndex + 1));
            return true;
        };
        // Every key starts with the word's first word, so a word that starts no
        // multi-word headword needs none of the four look-ups; a longer key is
        // only tried when some headword goes on past the words before its last.
        if (m_view) {
            std::string_view head = std::string_view(m_current).substr(0, firstSpace(m_current));
            if (m_phraseHasQuotes) head = straightQuotes(head, &m_plainKey);
            if (m_view->startsPhrase(head)) {
                const auto goesOn = [&](std::initializer_list<std::string_view> words) {
                    m_key = m_current;
                    for (const std::string_view w : words) {
                        m_key += ' ';
                        m_key += w;
                    }
                    return m_view->startsPhrase(
                        m_phraseHasQuotes ? straightQuotes(m_key, &m_plainKey) : m_key);
                };
                const bool pastNext = goesOn({next});
                const bool pastSecond = pastNext && goesOn({next, second});
                if (hyphenFollows) {
                    const bool pastThirdWithoutHyphen = goesOn({second}) && goesOn({second, third});
                    (void)((pastThirdWithoutHyphen && tryKey({second, third, fourth}, 4)) ||
                           (pastSecond && tryKey({next, second, third}, 3)) ||
                           tryKey({second}, 2) || tryKey({next}, 1));
                } else {
                    const bool pastThird = pastSecond && goesOn({next, second, third});
                    (void)((pastThird && tryKey({next, second, third, fourth}, 4)) ||
                           (pastSecond && tryKey({next, second, third}, 3)) ||
                           (pastNext && tryKey({next, second}, 2)) || tryKey({next}, 1));
                }
            }
        }

        // 5. The class of the following word, through its stem when needed.
        // m_next is the word as written here, which the next step starts with.
        const DictRecord* following = lookupWord(wordIndex + 1);
        m_aheadIndex = wordIndex + 1;
        m_aheadRecord = following;
        if (following) {
            chooseClass(*following, true, &nextWordClass);
        } else {
            const DictRecord* stem = nullptr;  // a word no rule shortens stays missing
            bool stemKnown = true;
            if (endsWithEither(m_next, "s", "S")) {
                m_next.pop_back();
                stem = lookup(m_next);
            } else if (endsWithEither(m_next, "ed", "ED")) {
                stem = stemOrE(m_next, 2, &stemKnown);
            } else if (endsWithEither(m_next, "ion", "ION")) {
                stem = stemOrE(m_next, 3, &stemKnown);
            }
            if (!stemKnown) stem = lookup(m_next);
            if (stem) {
                chooseClass(*stem, false, &nextWordClass);
            } else {
                nextWordClass = WordClass::kNone;
            }
        }

        // 6. Special words (compared as views: lengths first).
        const std::string_view word = m_current;
        if (word == "A" || word == "a") {
            if (nextWordClass == WordClass::kNoun || nextWordClass == WordClass::kAdv ||
                nextWordClass == WordClass::kAdj) {
                return wordIndex + 1;  // the article is left out
            }
            m_outputTokens.append(word);
            break;
        }
        if ((m_phraseHasQuotes ? straightQuotes(word, &m_plainKey) : word) == "'")
            return wordIndex + 1;
        if (word == "I") {
            m_outputTokens.append(word);
            return wordIndex + 1;
        }
        if (word == "For" || word == "FOr" || word == "FOR" || word == "for") {
            m_key.assign(word).append(1, ' ').append(m_next);
            if (const DictRecord* r = lookup(m_key)) {
                m_current.swap(m_key);
                record = r;
                known = true;
                ++wordIndex;
                m_next.assign(phraseWord(wordIndex + 1));
                nextWordClass = WordClass::kNoun;
                continue;  // matched anew from the multi-word step
            }
        }
        break;
    }

    // 7. Final look-up and the reordering rules.
    if (!known) record = lookup(m_current);
    RuleLists lists{m_outputTokens, m_host.arrangementList(), m_arrangementWords, m_missingRaw,
                    m_line};
    applyRules(phraseWord(wordIndex), m_current, nextWordClass, record, m_state, lists);
    return wordIndex + 1;
}

void Translator::assemble() {
    m_host.setPanelVisible(Panel::kProgress, false);
    m_host.setPanelVisible(Panel::kWriting, true);
    // The tokens lie end to end already; the join only yields once for each.
    for (std::size_t k = 0; k < m_outputTokens.count(); ++k) m_host.yield();
    const std::string_view thai = m_host.wantsThaiText()
                                      ? OutputJoiner().join(m_outputTokens, &m_spacedText)
                                      : std::string_view();
    m_host.setPanelVisible(Panel::kWriting, false);
    m_host.setPanelVisible(Panel::kPlain, false);
    m_host.setThaiText(std::string_view());
    m_host.setThaiText(thai);
    releaseThaiText();
    listMissingWords();
}

namespace {

// Single punctuation, space and control characters are not words.
bool excludedFromMissing(std::string_view t) {
    char32_t cp;
    if (decodeUtf8(t, 0, &cp) != t.size()) return false;
    const int code = scannerCode(ansiCode(cp));
    return (code >= 0 && code <= 11) || code == 13 || (code >= 32 && code <= 47) ||
           (code >= 58 && code <= 64) || (code >= 91 && code <= 94) || code == 96 ||
           (code >= 123 && code <= 126);
}

}  // namespace

std::vector<std::string> Translator::visibleMissingWords(const std::vector<std::string>& raw) {
    std::vector<std::string> candidates;
    candidates.reserve(raw.size());
    for (const std::string& t : raw) {
        if (!t.empty() && !excludedFromMissing(t)) candidates.push_back(t);
    }
    return removeDuplicates(candidates);
}

std::vector<std::string> Translator::visibleMissingWords(const TextList& raw) {
    std::vector<std::string> candidates;
    for (std::size_t k = 0; k < raw.count(); ++k) {
        const std::string_view t = raw.view(k);
        if (!t.empty() && !excludedFromMissing(t)) candidates.emplace_back(t);
    }
    return removeDuplicates(candidates);
}

void Translator::listMissingWords() {
    WorkList& visible = m_host.missingWordList();
    visible.clear();
    for (const std::string& w : visibleMissingWords(m_missingRaw)) visible.append(w);
}

}  // namespace engine
