// The translation run: scans English text character by character into
// phrases, translates whole questions and idioms, resolves every other word to
// a dictionary key and emits Thai through the reordering rules, then joins the
// output tokens into the Thai document and rebuilds the missing-word list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/host.h"
#include "engine/reorder.h"
#include "engine/worklist.h"

namespace dict {
struct DictRecord;
}

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

    // A click in the English pane: the next run translates `selection`.
    void captureSelection(std::string selection);
    bool translateSelection() const { return m_translateSelection; }
    const std::string& selectionText() const { return m_selectionText; }
    void setTranslateSelection(bool on) { m_translateSelection = on; }

    bool running() const { return m_running; }

    // The hidden work lists of the last run: the words of the phrase being
    // translated, the output tokens, the English word of each arrangement
    // entry and the raw missing words.
    const VectorWorkList& phraseWords() const { return m_phraseWords; }
    const VectorWorkList& outputTokens() const { return m_outputTokens; }
    const VectorWorkList& arrangementWords() const { return m_arrangementWords; }
    const VectorWorkList& missingRaw() const { return m_missingRaw; }

    // The visible missing-word list made of the raw one: no single punctuation,
    // space or control character, no empty item, each word once (ASCII case
    // ignored) in the order of first occurrence.
    static std::vector<std::string> visibleMissingWords(const std::vector<std::string>& raw);

    // The progress value for character index i (0-based) of n scanned ones.
    static int progressPercent(std::size_t i, std::size_t n);

private:
    void closePhrase(std::string_view closing, int code);
    std::size_t wordStep(std::size_t i);
    const dict::DictRecord* lookup(std::string_view key);
    // Cuts the suffix off word; when the stem is missing, tries it with "e".
    void stemOrE(std::string& word, std::size_t suffixLength);
    // Joins the output tokens into the Thai pane, switching the busy panels.
    void finish();
    // Rebuilds the visible missing-words list from the raw missing words.
    void listMissingWords();

    TranslationHost& m_host;
    bool m_running = false;
    bool m_translateSelection = false;
    std::string m_selectionText;

    VectorWorkList m_phraseWords;
    VectorWorkList m_outputTokens;
    VectorWorkList m_arrangementWords;
    VectorWorkList m_missingRaw;
    std::string m_phraseBuffer;
    ReorderingState m_state;
    std::string m_key;       // scratch buffer for look-up keys
    std::string m_plainKey;  // a key with its typographic quotes written straight
};

}  // namespace engine
