#include "cli/stream.h"

#include <unordered_set>

#include "dictionary/record.h"
#include "engine/host.h"
#include "engine/output_join.h"
#include "engine/translator.h"

namespace cli {
namespace {

// A work list whose items repeat, each distinct one stored once.
class RepeatingWorkList final : public engine::WorkList {
public:
    void clear() override { m_list.clear(); }
    void append(std::string_view item) override { m_list.append(item); }
    std::size_t count() const override { return m_list.count(); }
    std::string_view item(std::size_t index) const override { return m_list.view(index); }
    const engine::InternedTextList& list() const { return m_list; }

private:
    engine::InternedTextList m_list;
};

// The translator's host in a filter: no panels, no events, no cancel; the
// Thai document is taken from the output tokens, not from setThaiText().
class FilterHost final : public engine::TranslationHost {
public:
    explicit FilterHost(const dict::LookupView* view) : m_view(view) {}

    const dict::LookupView* lookupView() override { return m_view; }
    engine::WorkList& arrangementList() override { return m_arrangement; }
    engine::WorkList& missingWordList() override { return m_missing; }
    void yield() override {}
    bool cancelRequested() const override { return false; }
    void clearCancelRequest() override {}
    void setProgressPercent(int) override {}
    void setPanelVisible(engine::Panel, bool) override {}
    void setThaiText(std::string_view) override {}
    bool wantsThaiText() const override { return false; }

    const engine::InternedTextList& arrangement() const { return m_arrangement.list(); }
    const engine::TextList& missing() const { return m_missing.list(); }
    void clearLists() {
        m_arrangement.clear();
        m_missing.clear();
    }

private:
    const dict::LookupView* m_view;
    RepeatingWorkList m_arrangement;
    engine::MemoryWorkList m_missing;
};

// Plain output: the tokens of each piece are written and forgotten. A token
// is final once emitted (the run only ever appends to them and joins them in
// order), so each piece's output can go at once; what does carry past the end
// of a piece stays inside the translator (the phrase not closed yet, the
// meanings held for a noun to come, a character cut in two) or the writer (a
// carriage return whose line feed may follow).
class PlainOutput final {
public:
    PlainOutput(engine::Translator& translator, FilterHost& host, ByteSink& out)
        : m_translator(translator), m_host(host), m_out(out), m_thai(out) {}

    bool piece(std::string_view text) {
        m_translator.feed(text);
        return takeOutput() && m_out.flush();
    }
    bool finish() {
        m_translator.finish();
        return takeOutput() && m_out.flush();
    }

private:
    bool takeOutput() {
        const bool ok = m_thai.write(m_joiner.join(m_translator.outputTokens(), &m_spaced));
        m_translator.clearLists();
        m_host.clearLists();
        return ok;
    }

    engine::Translator& m_translator;
    FilterHost& m_host;
    ByteSink& m_out;
    ThaiWriter m_thai;
    engine::OutputJoiner m_joiner;  // how the text written so far ends
    std::string m_spaced;
};

// One JSON object per line of input: a line ends at a line feed, or at a
// carriage return that no line feed follows; the last object holds the end
// of the input. Its "missing" holds the words first missed in that line.
class LineObjects final {
public:
    LineObjects(engine::Translator& translator, FilterHost& host, ByteSink& out)
        : m_translator(translator), m_host(host), m_out(out) {}

    bool piece(std::string_view text) {
        std::size_t begin = 0;  // the first character not fed yet
        const auto feedTo = [&](std::size_t end) {
            m_translator.feed(text.substr(begin, end - begin));
            begin = end;
        };
        for (std::size_t k = 0; k < text.size(); ++k) {
            const char c = text[k];
            if (m_afterCarriageReturn) {
                m_afterCarriageReturn = false;
                if (c == '\n') {  // the line feed of a CR LF pair ends the line
                    feedTo(k + 1);
                    if (!writeObject()) return false;
                    continue;
                }
                if (!writeObject()) return false;  // a carriage return alone ended it
            }
            if (c == '\n') {
                feedTo(k + 1);
                if (!writeObject()) return false;
            } else if (c == '\r') {
                feedTo(k + 1);
                m_afterCarriageReturn = true;  // a line feed may follow, even in the next piece
            }
        }
        feedTo(text.size());
        return true;
    }

    bool finish() {
        if (m_afterCarriageReturn && !writeObject()) return false;
        m_translator.finish();
        return writeObject();
    }

private:
    bool writeObject() {
        // The visible words of this line that no line before has shown.
        m_missing.clear();
        for (const std::string& w :
             engine::Translator::visibleMissingWords(m_translator.missingRaw())) {
            if (m_seen.insert(dict::foldCase(w)).second) m_missing.append(w);
        }
        const RunLists lists{m_translator.outputTokens(),
                             m_host.arrangement(),
                             m_translator.arrangementWords(),
                             m_translator.missingRaw(),
                             m_missing,
                             m_joiner};
        const bool ok = writeJsonObject(lists, 0, m_out) && m_out.write("\n") && m_out.flush();
        m_translator.clearLists();
        m_host.clearLists();
        return ok;
    }

    engine::Translator& m_translator;
    FilterHost& m_host;
    ByteSink& m_out;
    bool m_afterCarriageReturn = false;
    engine::TextList m_missing;
    std::unordered_set<std::string> m_seen;  // missing words shown so far, case folded
    engine::OutputJoiner m_joiner;           // how the lines' "thai" so far ends
};

}  // namespace

std::string translateStream(ByteSource& source, ByteSink& out, const dict::LookupView* view,
                            const StreamOptions& options) {
    // A file is found to be text before anything is written; a pipe, piece by
    // piece, so a NUL stops it before that piece's translation goes out.
    if (std::string refused = checkWholeSourceIsText(source); !refused.empty()) return refused;
    TextOnlySource in(source);
    FilterHost host(view);
    engine::Translator translator(host);
    translator.start();
    std::string error;
    bool written = true;
    switch (options.format) {
        case OutputFormat::kPlain: {
            PlainOutput plain(translator, host, out);
            error = readDocument(in, options.unmarked, [&](std::string_view text) {
                return written = plain.piece(text);
            });
            if (error.empty() && written) written = plain.finish();
            break;
        }
        case OutputFormat::kJsonl: {
            LineObjects lines(translator, host, out);
            error = readDocument(in, options.unmarked, [&](std::string_view text) {
                return written = lines.piece(text);
            });
            if (error.empty() && written) written = lines.finish();
            break;
        }
        case OutputFormat::kJson: {
            error = readDocument(in, options.unmarked, [&](std::string_view text) {
                translator.feed(text);
                return true;
            });
            if (!error.empty()) break;
            translator.finish();
            engine::OutputJoiner joiner;
            const RunLists lists{
                translator.outputTokens(), host.arrangement(), translator.arrangementWords(),
                translator.missingRaw(),   host.missing(),     joiner};
            written = writeJsonObject(lists, 2, out) && out.write("\n") && out.flush();
            break;
        }
    }
    if (!error.empty()) return error;
    if (!written) return "cannot write the output: " + out.error();
    return std::string();
}

}  // namespace cli
