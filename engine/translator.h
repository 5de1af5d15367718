// The translation run: scans English text character by character into
// phrases, translates whole questions and idioms, resolves every other word to
// a dictionary key and emits Thai through the reordering rules, then joins the
// output tokens into the Thai document and rebuilds the missing-word list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/host.h"
#include "engine/reorder.h"
#include "engine/worklist.h"

namespace dict {
struct DictRecord;
class LookupView;
}  // namespace dict

namespace engine {

class Translator final {
public:
    explicit Translator(TranslationHost& host) : m_host(host) {}
    Translator(const Translator&) = delete;
    Translator& operator=(const Translator&) = delete;

    // One run over documentText (the whole English pane), or over the captured
    // selection when captureSelection() was called since the last run. Runs on
    // the caller's thread, yielding through the host; a nested call while a
    // run is going is ignored and returns false.
    bool run(std::string_view documentText);

    // Hands over the next piece of a document as UTF-8 into *piece (a piece
    // may end inside a character); false when there is no more.
    using PieceSource = std::function<bool(std::string* piece)>;
    // The same run over a document of `characters` characters (code points)
    // that nextPiece hands over in pieces, so that no copy of it is needed.
    bool run(std::size_t characters, const PieceSource& nextPiece);

    // A run fed in pieces, for text that arrives as a stream: start() begins
    // it, feed() scans the next piece of UTF-8 text (a piece may end inside a
    // character), finish() scans the closing line end and assembles the output
    // as run() does. The output equals run() over all pieces joined, except
    // that no progress is stored (the length is not known).
    void start();
    void feed(std::string_view text);
    void finish();

    // Forgets the items of the output tokens, the arrangement words and the
    // raw missing words made so far, keeping everything a later phrase needs
    // (the open phrase, the held meanings): a streamed run calls it once it has
    // used them, so its memory stays flat.
    void clearLists();
    // Forgets the output tokens and gives their memory back. A host may call it
    // from setThaiText() once it has the document: the run does not read them
    // after handing them over.
    void releaseOutputTokens() { m_outputTokens.release(); }
    // The same for the document when the join had to copy the tokens (to put
    // spaces in): the text handed to setThaiText() is gone once this is called.
    void releaseThaiText() { std::string().swap(m_spacedText); }

    // A click in the English pane: the next run translates `selection`.
    void captureSelection(std::string selection);
    bool translateSelection() const { return m_translateSelection; }
    const std::string& selectionText() const { return m_selectionText; }
    void setTranslateSelection(bool on) { m_translateSelection = on; }

    bool running() const { return m_running; }

    // The hidden work lists of the last run: the output tokens (joined by
    // OutputJoiner, the Thai document), the English word of each arrangement
    // entry and the raw missing words.
    const TextList& outputTokens() const { return m_outputTokens; }
    const TextList& arrangementWords() const { return m_arrangementWords; }
    const TextList& missingRaw() const { return m_missingRaw; }

    // The visible missing-word list made of the raw one: no single punctuation,
    // space or control character, no empty item, each word once (ASCII case
    // ignored) in the order of first occurrence.
    static std::vector<std::string> visibleMissingWords(const std::vector<std::string>& raw);
    static std::vector<std::string> visibleMissingWords(const TextList& raw);

    // The progress value for character index i (0-based) of n scanned ones.
    static int progressPercent(std::size_t i, std::size_t n);

private:
    // Clears the lists and the state for a new run.
    void begin();
    // A whole run: scanDocument feeds the document, of `characters` characters,
    // unless the captured selection is translated instead.
    bool runWith(std::size_t characters, const std::function<void()>& scanDocument);
    // Scans the line end that closes the last phrase.
    void scanClosingLineEnd();
    // Scans text; a character that may go on past its end waits in m_pending
    // unless `last` is set. False once a cancel has stopped the scan.
    bool scan(std::string_view text, bool last);
    void closePhrase(std::string_view closing, int code);
    std::size_t wordStep(std::size_t i);
    const dict::DictRecord* lookup(std::string_view key);
    // The look-up of phrase word `index` as written.
    const dict::DictRecord* lookupWord(std::size_t index);
    // A whole phrase looked up: a key of several words only when its first
    // word starts some headword of several words.
    const dict::DictRecord* lookupPhrase(std::string_view key);
    // Cuts the suffix off word and looks the stem up; when it is missing,
    // "e" is added and *known cleared (the new form is not looked up).
    const dict::DictRecord* stemOrE(std::string& word, std::size_t suffixLength, bool* known);
    std::string_view phraseWord(std::size_t index) const {
        return index < m_phraseWords.size() ? m_phraseWords[index] : std::string_view();
    }
    // Joins the output tokens into the Thai pane (OutputJoiner), switching the
    // busy panels.
    void assemble();
    // Rebuilds the visible missing-words list from the raw missing words.
    void listMissingWords();

    TranslationHost& m_host;
    bool m_running = false;
    bool m_translateSelection = false;
    std::string m_selectionText;

    TextList m_outputTokens;
    std::string m_spacedText;  // the document while it is handed over, when not the tokens' own
    TextList m_arrangementWords;
    TextList m_missingRaw;
    std::string m_phraseBuffer;
    bool m_bufferHasQuoteLead = false;  // the buffer may hold a typographic quote
    ReorderingState m_state;

    // Scan position of the run: characters scanned, the total when known (for
    // progress), the bytes of a character not complete yet, and a cancel seen.
    std::size_t m_charIndex = 0;
    std::size_t m_charTotal = 0;
    std::string m_pending;
    std::string m_carry;  // m_pending and the next piece, scanned together
    bool m_cancelled = false;

    // State of the phrase being translated: its words (views into
    // m_phraseBuffer), the keyed view, whether any word may hold a typographic
    // quote, and the look-up of the word after the last step, which the next
    // step starts with.
    std::vector<std::string_view> m_phraseWords;
    std::vector<std::uint64_t> m_phraseHashes;  // their keys' hashes, when prefetched
    const dict::LookupView* m_view = nullptr;
    bool m_phraseHasQuotes = false;
    std::size_t m_aheadIndex = 0;
    const dict::DictRecord* m_aheadRecord = nullptr;

    // Scratch buffers, kept so that a run allocates nothing per word.
    std::string m_current;   // the look-up key of the word step
    std::string m_next;      // the following word
    std::string m_key;       // multi-word keys
    std::string m_plainKey;  // a key with its typographic quotes written straight
    std::string m_line;      // one arrangement entry
};

}  // namespace engine
