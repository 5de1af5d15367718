// The streamed translation against the whole-document run: the same output
// for every text, however the input is cut into pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <nlohmann/json.hpp>

#include "bench/measure_data.h"
#include "cli/stream.h"
#include "dictionary/store.h"
#include "engine/codepage.h"
#include "engine/memory_host.h"
#include "engine/output_join.h"
#include "engine/translator.h"

namespace cli {
namespace {

// Bytes handed over in pieces of the given sizes, in turn; a file can be read
// again from the start, a pipe cannot.
class PieceSource final : public ByteSource {
public:
    PieceSource(std::string bytes, std::vector<std::size_t> sizes, bool file)
        : m_bytes(std::move(bytes)), m_sizes(std::move(sizes)), m_file(file) {}
    std::size_t read(char* buffer, std::size_t capacity) override {
        const std::size_t n =
            std::min({capacity, m_bytes.size() - m_at, m_sizes[m_turn++ % m_sizes.size()]});
        m_bytes.copy(buffer, n, m_at);
        m_at += n;
        return n;
    }
    bool rewind() override {
        if (m_file) m_at = m_turn = 0;  // the second pass is cut as the first
        return m_file;
    }
    std::string error() const override { return {}; }

private:
    std::string m_bytes;
    std::vector<std::size_t> m_sizes;
    bool m_file;
    std::size_t m_at = 0, m_turn = 0;
};

// The bundled dictionary is shared by tests that run at once: read-only, they
// never wait for one another's write lock.
dict::OpenOptions readOnly() {
    dict::OpenOptions options;
    options.readOnly = true;
    return options;
}

const dict::LookupView* dictionary() {
    static std::unique_ptr<dict::DictionaryStore> store = [] {
        std::unique_ptr<dict::DictionaryStore> s;
        EXPECT_TRUE(dict::DictionaryStore::open(VANTREL_DICTIONARY, readOnly(), &s).isOk());
        return s;
    }();
    return store ? &store->lookup() : nullptr;
}

// The whole-document run as the tool printed it before it streamed: the Thai
// document without the line end the run adds at the end, or the lists through
// nlohmann::json; `lines` are the lists without that line end, as the objects
// of --jsonl add up to.
struct WholeRun {
    std::string plain, json;
    nlohmann::json lists, lines;
};

nlohmann::json listsOf(const engine::Translator& translator, const engine::MemoryHost& host) {
    nlohmann::json lists;
    lists["tokens"] = translator.outputTokens().items();
    lists["arrangement"] = host.arrangement().items();
    lists["arrangementWords"] = translator.arrangementWords().items();
    lists["missingRaw"] = translator.missingRaw().items();
    lists["missing"] = host.missing().items();
    lists["thai"] = host.thai();
    return lists;
}

WholeRun wholeRun(const std::string& bytes) {
    const std::string text = engine::documentBytesToUtf8(bytes);
    engine::MemoryHost host(dictionary());
    engine::Translator translator(host);
    translator.run(text);
    WholeRun r;
    r.lists = listsOf(translator, host);
    r.json = r.lists.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    // The same text as a filter finishes it: all but the closing line end.
    engine::MemoryHost filterHost(dictionary());
    engine::Translator filter(filterHost);
    filter.start();
    filter.feed(text);
    filter.finish(engine::Translator::ClosingLineEnd::kDropped);
    r.lines = listsOf(filter, filterHost);
    r.plain = filterHost.thai();
    EXPECT_EQ(r.plain + "\r", host.thai());
    return r;
}

std::string streamed(const std::string& bytes, std::vector<std::size_t> sizes, bool file,
                     OutputFormat format) {
    PieceSource source(bytes, std::move(sizes), file);
    StringSink sink;
    StreamOptions options;
    options.format = format;
    EXPECT_EQ(translateStream(source, sink, dictionary(), options), "");
    return sink.text;
}

// English of many kinds: headwords of the dictionary (whole phrases, stems,
// questions), punctuation, line ends of every kind, typographic marks, Thai,
// and at times a byte that is no UTF-8 or another encoding altogether.
std::string randomDocument(std::mt19937& rng) {
    static std::vector<std::string> words = [] {
        std::vector<std::string> w;
        std::size_t k = 0;
        std::unique_ptr<dict::DictionaryStore> s;
        if (dict::DictionaryStore::open(VANTREL_DICTIONARY, readOnly(), &s).isOk()) {
            s->forEach([&](const dict::DictRecord& r) {
                if (k++ % 7 == 0) w.push_back(*r[dict::kWordEn]);  // every seventh headword
            });
        }
        for (const char* extra : {"a", "A", "I", "for", "cats", "walked", "making", "zork", "don't",
                                  "well-known", "How are you", "แมว", "café"})
            w.emplace_back(extra);
        return w;
    }();
    static const std::string separators[] = {
        " ", " ", " ",  "  ", ", ", ". ",     ".\n",    "\r\n",   "\r",     "\n",     "\t",
        "-", "'", "? ", "!",  "\"", "\u2019", "\u201C", "\u201D", "\u2014", "\u2026", "\u00A0"};
    std::string text;
    const std::size_t size = 20 + rng() % 600;
    while (text.size() < size) {
        std::string w = words[rng() % words.size()];
        if (rng() % 10 == 0) w += rng() % 2 ? "s" : "ing";
        text += w + separators[rng() % std::size(separators)];
    }
    switch (rng() % 10) {
        case 0:
            return "\xEF\xBB\xBF" + text;
        case 1:
            return text.insert(rng() % text.size(), "\xFF");  // read as Windows-874
        case 2: {
            std::string utf16 = "\xFF\xFE";
            for (const unsigned char c : text) utf16 += {static_cast<char>(c), '\0'};
            return utf16;
        }
        default:
            return text;
    }
}

std::vector<std::size_t> randomSizes(std::mt19937& rng) {
    std::vector<std::size_t> sizes;
    for (int k = 0; k < 5; ++k) sizes.push_back(1 + rng() % (rng() % 2 ? 7 : 900));
    return sizes;
}

TEST(Stream, JsonStringsAreWrittenAsTheLibraryWritesThem) {
    using namespace std::string_literals;
    const std::string texts[] = {"",
                                 "plain",
                                 "\"quoted\" \\ back",
                                 "\b\f\n\r\t",
                                 "\x01\x1F\x7F"s,
                                 "\0"s,
                                 "\u0E41\u0E21\u0E27 \u2019",
                                 "\xFF bad",
                                 "cut \xE2\x80",
                                 "\xED\xA0\x80"};
    for (const std::string& text : texts) {
        std::string written;
        appendJsonString(text, &written);
        EXPECT_EQ(written, nlohmann::json(text).dump(-1, ' ', false,
                                                     nlohmann::json::error_handler_t::replace))
            << testing::PrintToString(text);
    }
}

TEST(Stream, RandomTextsGiveTheWholeRunInEveryForm) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 150; ++round) {
        const std::string bytes = randomDocument(rng);
        const WholeRun whole = wholeRun(bytes);
        const bool file = round % 2 == 0;
        EXPECT_EQ(streamed(bytes, randomSizes(rng), file, OutputFormat::kPlain), whole.plain)
            << testing::PrintToString(bytes);
        EXPECT_EQ(streamed(bytes, randomSizes(rng), file, OutputFormat::kJson), whole.json)
            << testing::PrintToString(bytes);
    }
}

TEST(Stream, EveryCutOfATextGivesTheWholeRun) {
    // Cuts fall inside words, phrases, multi-byte characters and CR LF pairs,
    // and between a held adjective and its noun.
    const std::string texts[] = {
        "The big red house\r\nis near the old river; \u0E41\u0E21\u0E27\u2019s zork.\r\nHow "
        "are you?\r\n\r\nwell-known cats",
        "\xE1\xC1\xC7 big house\r\n\x93quoted\x94 text",  // Windows-874
        // Words left in English, kept apart by a space that may fall after a cut.
        "Quorvin Blatz flew a JAS 39C\r\nin Zorbu Klatt zork 2017 big house",
        "old\rbig red\n\nhouse?\r\n",  // every kind of line end
    };
    EXPECT_NE(wholeRun(texts[2]).plain.find("Quorvin Blatz"), std::string::npos);
    for (const std::string& text : texts) {
        const std::string whole = wholeRun(text).plain;
        for (std::size_t cut = 1; cut < text.size(); ++cut) {
            EXPECT_EQ(streamed(text, {cut, text.size()}, cut % 2 == 0, OutputFormat::kPlain), whole)
                << "cut at " << cut << " of " << testing::PrintToString(text);
        }
    }
}

TEST(Stream, WordsKeptApartAcrossPiecesAsInTheWholeRun) {
    // A closing mark that is a noun is held for the noun to come, so the text
    // before it goes out with its piece and the held meaning with the next:
    // the space between them must come out all the same.
    dict::DictRecord bang;
    bang[dict::kWordEn] = "!";
    bang[dict::kWordNoun] = "Bang";
    std::unique_ptr<dict::DictionaryStore> store;
    ASSERT_TRUE(dict::DictionaryStore::createInMemory({bang}, &store).isOk());
    const std::string text = "Sara! Danius!\nJAS 39C! 2017";
    engine::MemoryHost host(&store->lookup());
    engine::Translator translator(host);
    translator.run(text);
    const std::string whole = host.thai();
    ASSERT_EQ(whole.back(), '\r');
    for (const char* apart : {"Sara Bang", "39C Bang"}) {
        EXPECT_NE(whole.find(apart), std::string::npos) << apart << " in " << whole;
    }
    for (std::size_t cut = 1; cut < text.size(); ++cut) {
        PieceSource source(text, {cut, text.size()}, false);
        StringSink sink;
        StreamOptions options;
        EXPECT_EQ(translateStream(source, sink, &store->lookup(), options), "");
        // The filter leaves out the line end the run adds after the last line.
        EXPECT_EQ(sink.text, whole.substr(0, whole.size() - 1)) << "cut at " << cut;
    }
}

TEST(Stream, RealProseGivesTheWholeRun) {
    const std::filesystem::path dir = bench::measureDataDir() / "dev-prose";
    if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no real prose at " << dir;
    for (const char* name :
         {"1865-carroll-alice-in-wonderland.txt", "1892-doyle-sherlock-holmes.txt",
          "2011-plainlanguage-gov-guidelines.txt"}) {
        std::ifstream in(dir / name, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        ASSERT_FALSE(bytes.str().empty()) << name;
        const std::string whole = wholeRun(bytes.str()).plain;
        EXPECT_EQ(streamed(bytes.str(), {65536}, true, OutputFormat::kPlain), whole) << name;
        EXPECT_EQ(streamed(bytes.str(), {4093, 1, 2, 3}, false, OutputFormat::kPlain), whole)
            << name;
    }
}

TEST(Stream, JsonLinesAddUpToTheWholeRun) {
    std::mt19937 rng(99);
    for (int round = 0; round < 60; ++round) {
        const std::string bytes = randomDocument(rng);
        const WholeRun whole = wholeRun(bytes);
        std::istringstream lines(streamed(bytes, randomSizes(rng), false, OutputFormat::kJsonl));
        nlohmann::json sum = {
            {"tokens", nlohmann::json::array()},           {"arrangement", nlohmann::json::array()},
            {"arrangementWords", nlohmann::json::array()}, {"missingRaw", nlohmann::json::array()},
            {"missing", nlohmann::json::array()},          {"thai", ""}};
        engine::OutputJoiner joiner;  // a line's "thai" goes on from the lines before
        for (std::string line; std::getline(lines, line);) {
            const nlohmann::json object = nlohmann::json::parse(line);
            std::string thai;
            for (const auto& t : object["tokens"]) {
                if (joiner.spaceBefore(t.get<std::string>())) thai += ' ';
                thai += t.get<std::string>();
            }
            EXPECT_EQ(object["thai"], thai);
            for (const char* key :
                 {"tokens", "arrangement", "arrangementWords", "missingRaw", "missing"}) {
                for (const auto& item : object[key]) sum[key].push_back(item);
            }
            sum["thai"] = sum["thai"].get<std::string>() + thai;
        }
        EXPECT_EQ(sum, whole.lines) << testing::PrintToString(bytes);
    }
}

}  // namespace
}  // namespace cli
