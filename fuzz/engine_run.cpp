// Fuzzes a translation run: the first bytes of the input make a small
// dictionary, the rest is the English document. After each run it checks what
// the engine promises:
// - fed in pieces, the run gives exactly the lists of the whole run;
// - each arrangement entry is its English word, the separator of its rule and
//   the first meaning of that word's record, and the two lists match;
// - each missing word is a word of the document that the dictionary lacks;
// - no meaning placed for a word is lost. Every meaning is a unique tag, and
//   the document ends with a noun of its own that closes any noun run, so each
//   tag of the arrangement appears in the output as often, except a held
//   adjective that a later held adjective replaces.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/store.h"
#include "engine/memory_host.h"
#include "engine/output_join.h"
#include "engine/text.h"
#include "engine/translator.h"
#include "fuzz/check.h"

namespace {

// Words the headwords are made of: function words of the rules, suffix forms,
// quotes and punctuation that stand as words.
constexpr std::string_view kVocabulary[] = {
    "a",     "A",       "I",      "for",  "For", "cat", "cats",  "walk",  "walked",  "walking",
    "nat",   "nation",  "nate",   "s",    "'",   "-",   ".",     "?",     ",",       "big",
    "red",   "house",   "well",   "known", "don", "t",  "ice",   "cream", "\"",      "is",
    "what",  "\xC2\xA0x"};
constexpr std::size_t kVocabularySize = sizeof kVocabulary / sizeof kVocabulary[0];

// The noun the harness adds to every document, on a line of its own.
constexpr std::string_view kCloser = "zzcloser";
constexpr std::string_view kCloserMeaning = "[zz]";

// The rule fields in the order the rules try them, with their separators.
struct RuleField {
    int field;
    std::string_view separator;
};
constexpr RuleField kRuleFields[] = {
    {dict::kWordNoun, "= "},     {dict::kWordVerb, "= "}, {dict::kWordAdv, "="},
    {dict::kWordAdj, " = "},     {dict::kWordPP, " = "},  {dict::kWordConj, "="},
    {dict::kWordQuestion, "= "}, {dict::kWordIdiom, " = "}};

class Reader final {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // The bytes read so far.
    std::string_view consumed() const {
        return std::string_view(reinterpret_cast<const char*>(m_data), m_pos);
    }
    std::string_view rest() const {
        return std::string_view(reinterpret_cast<const char*>(m_data) + m_pos, m_size - m_pos);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// A meaning field: absent, empty, a single space, or a tag naming record and field.
dict::FieldValue meaning(unsigned state, std::size_t record, int field) {
    switch (state & 3) {
        case 0: return std::nullopt;
        case 1: return std::string();
        case 2: return std::string(" ");
        default:
            return "[" + std::to_string(record) + static_cast<char>('a' + field) + "]";
    }
}

std::vector<dict::DictRecord> makeRecords(Reader& in) {
    std::vector<dict::DictRecord> records;
    std::set<std::string> keys{std::string(kCloser)};
    const unsigned count = in.byte() % 9;
    for (unsigned r = 0; r < count; ++r) {
        const unsigned shape = in.byte();
        const unsigned words = 1 + (shape & 7) % 5;
        std::string headword;
        for (unsigned w = 0; w < words; ++w) {
            if (w) headword += ' ';
            headword += kVocabulary[in.byte() % kVocabularySize];
        }
        const unsigned fields = in.byte() | (in.byte() << 8);
        if (!keys.insert(dict::foldCase(headword)).second) continue;
        dict::DictRecord rec;
        rec[dict::kWordEn] = headword;
        for (int k = 0; k < 8; ++k)
            rec[kRuleFields[k].field] = meaning(fields >> (2 * k), records.size(), k);
        records.push_back(std::move(rec));
    }
    dict::DictRecord closer;
    closer[dict::kWordEn] = std::string(kCloser);
    closer[dict::kWordNoun] = std::string(kCloserMeaning);
    records.push_back(std::move(closer));
    return records;
}

// The rule that fires for a record: the first non-empty rule field.
const RuleField* firingRule(const dict::DictRecord& rec) {
    for (const RuleField& f : kRuleFields)
        if (rec[f.field] && !rec[f.field]->empty()) return &f;
    return nullptr;
}

bool isTag(std::string_view s) {
    return s.size() >= 3 && s.front() == '[' && s.back() == ']';
}

// The tag an output token carries: the token itself, or a verb meaning after
// the verb prefix (a space, or the prefix of an -ing form).
std::string_view tagOf(std::string_view token) {
    if (isTag(token)) return token;
    for (const std::string_view prefix : {std::string_view(" "), std::string_view("การ")})
        if (token.substr(0, prefix.size()) == prefix && isTag(token.substr(prefix.size())))
            return token.substr(prefix.size());
    return {};
}

std::vector<std::string> items(const engine::TextList& list) {
    return list.items();
}

struct Run {
    std::vector<std::string> tokens, arrangement, words, missing;
    std::string thai;
};

Run collect(const engine::Translator& t, const engine::MemoryHost& host) {
    return Run{items(t.outputTokens()), host.arrangement().items(), items(t.arrangementWords()),
               items(t.missingRaw()), host.thai()};
}

// The dictionaries made so far, by the input bytes that made them: most
// inputs differ from an earlier one in the document only, and the engine
// never writes to the dictionary.
std::map<std::string, std::unique_ptr<dict::DictionaryStore>, std::less<>> g_stores;

dict::DictionaryStore& storeOf(const std::vector<dict::DictRecord>& records,
                              std::string_view madeOf) {
    if (const auto it = g_stores.find(madeOf); it != g_stores.end()) return *it->second;
    if (g_stores.size() >= 4096) g_stores.clear();
    std::unique_ptr<dict::DictionaryStore> store;
    CHECK(dict::DictionaryStore::createInMemory(records, &store).isOk());
    return *g_stores.emplace(std::string(madeOf), std::move(store)).first->second;
}

std::unique_ptr<engine::MemoryHost> g_wholeHost, g_pieceHost;
std::unique_ptr<engine::Translator> g_whole, g_pieces;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsetup::lightSqlite();
    g_wholeHost = std::make_unique<engine::MemoryHost>();
    g_pieceHost = std::make_unique<engine::MemoryHost>();
    g_whole = std::make_unique<engine::Translator>(*g_wholeHost);
    g_pieces = std::make_unique<engine::Translator>(*g_pieceHost);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    const std::uint8_t cutSeed = in.byte();
    const std::vector<dict::DictRecord> records = makeRecords(in);
    const std::string_view madeOf = in.consumed();
    const std::string_view recordBytes = madeOf.substr(madeOf.empty() ? 0 : 1);  // no cut seed
    const dict::LookupView& view = storeOf(records, recordBytes).lookup();
    const std::string document = std::string(in.rest()) + "\n" + std::string(kCloser) + "\n";

    g_wholeHost->setLookupView(&view);
    g_whole->run(document);
    const Run whole = collect(*g_whole, *g_wholeHost);

    // The same document in pieces of 1 to 16 bytes, cut inside characters too.
    g_pieceHost->setLookupView(&view);
    g_pieces->start();
    unsigned cut = cutSeed;
    for (std::size_t pos = 0; pos < document.size();) {
        cut = cut * 1103515245u + 12345u;
        const std::size_t n = 1 + (cut >> 16) % 16;
        g_pieces->feed(std::string_view(document).substr(pos, n));
        pos += n;
    }
    g_pieces->finish();
    const Run pieces = collect(*g_pieces, *g_pieceHost);
    CHECK(pieces.tokens == whole.tokens && pieces.arrangement == whole.arrangement &&
          pieces.words == whole.words && pieces.missing == whole.missing &&
          pieces.thai == whole.thai);

    // The document is the tokens joined, a space put in only where the
    // joiner keeps two Latin letters or digits apart.
    std::string joined;
    engine::OutputJoiner joiner;
    for (const std::string& t : whole.tokens) {
        if (joiner.spaceBefore(t)) joined += ' ';
        joined += t;
    }
    CHECK(joined == whole.thai);

    // Arrangement entries: word, separator and meaning of the word's record.
    CHECK(whole.arrangement.size() == whole.words.size());
    std::string scratch;
    std::vector<const RuleField*> rules;
    std::vector<std::string_view> tags;
    for (std::size_t k = 0; k < whole.words.size(); ++k) {
        const std::string& word = whole.words[k];
        const dict::DictRecord* rec = view.find(engine::straightQuotes(word, &scratch));
        CHECK(rec != nullptr);
        const RuleField* rule = firingRule(*rec);
        CHECK(rule != nullptr);
        const std::string& m = *(*rec)[rule->field];
        CHECK(whole.arrangement[k] == word + std::string(rule->separator) + m);
        rules.push_back(rule);
        tags.push_back(m);
    }

    // Missing words: words of the document and the line end that closes the
    // run (tabs are dropped from words) that the dictionary lacks.
    std::string untabbed;
    for (const char c : document)
        if (c != '\t' && c != '\v') untabbed += c;
    untabbed += '\r';
    // They come in the order of the document, each after the one before.
    std::size_t after = 0;
    for (const std::string& t : whole.missing) {
        after = untabbed.find(t, after);
        CHECK(after != std::string::npos);
        after += t.size();
        CHECK(view.find(engine::straightQuotes(t, &scratch)) == nullptr);
    }

    // Every tag placed appears in the output as often as in the arrangement.
    std::map<std::string_view, long> balance;
    for (const std::string& t : whole.tokens) {
        const std::string_view tag = tagOf(t);
        if (!tag.empty()) ++balance[tag];
    }
    // Counted from the end, so that a shortfall falls on the earliest entries.
    for (std::size_t k = tags.size(); k-- > 0;) {
        if (!isTag(tags[k])) continue;  // a meaning of spaces only
        if (--balance[tags[k]] >= 0) continue;
        // Short: only an adjective held while a later one is held may go.
        bool laterAdjective = false;
        for (std::size_t j = k + 1; j < tags.size(); ++j)
            laterAdjective |= rules[j]->field == dict::kWordAdj;
        CHECK(rules[k]->field == dict::kWordAdj && laterAdjective);
    }
    return 0;
}
