#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "dictionary/store.h"
#include "engine/memory_host.h"
#include "engine/translator.h"

namespace engine {
namespace {

using Items = std::vector<std::string>;

// One meaning of a headword: its field position and its text.
struct Meaning {
    int field;
    std::string text;
};
using Entries = std::map<std::string, std::vector<Meaning>>;

constexpr int N = dict::kWordNoun, V = dict::kWordVerb, Adv = dict::kWordAdv,
              Adj = dict::kWordAdj, PP = dict::kWordPP, Conj = dict::kWordConj,
              Q = dict::kWordQuestion, Idm = dict::kWordIdiom;

// A dictionary file built for one test in a fresh temporary folder.
class Dictionary {
public:
    explicit Dictionary(const Entries& entries) {
        std::string dir = (std::filesystem::temp_directory_path() / "vantrel-engine-XXXXXX").string();
        m_dir = mkdtemp(dir.data());
        std::vector<dict::DictRecord> records;
        for (const auto& [word, meanings] : entries) {
            dict::DictRecord r;
            r[dict::kWordEn] = word;
            for (const Meaning& m : meanings) r[m.field] = m.text;
            records.push_back(r);
        }
        const std::string path = m_dir + "/dict.db";
        dict::Status s = dict::DictionaryStore::create(path, records);
        EXPECT_TRUE(s.isOk()) << s.message();
        s = dict::DictionaryStore::open(path, &m_store);
        EXPECT_TRUE(s.isOk()) << s.message();
    }
    ~Dictionary() { std::filesystem::remove_all(m_dir); }
    const dict::LookupView* view() const { return m_store ? &m_store->lookup() : nullptr; }

private:
    std::string m_dir;
    std::unique_ptr<dict::DictionaryStore> m_store;
};

// The lists of one run.
struct RunLists {
    Items tokens, arrangement, arrangementWords, missingRaw, missing;
    std::string thai;
};

RunLists translate(const Dictionary& d, const std::string& text) {
    MemoryHost host(d.view());
    Translator t(host);
    t.run(text);
    return {t.outputTokens().items(), host.arrangement().items(), t.arrangementWords().items(),
            t.missingRaw().items(), host.missing().items(), host.thai()};
}

const Entries kBasic = {
    {"big", {{Adj, "ใหญ่"}}},
    {"red", {{Adj, "แดง"}}},
    {"old", {{Adj, "เก่า"}}},
    {"house", {{N, "บ้าน"}}},
    {"garden", {{N, "สวน"}}},
    {"gate", {{N, "ประตู"}}},
    {"key", {{N, "กุญแจ"}}},
    {"box", {{N, "กล่อง"}}},
    {"cat", {{N, "แมว"}}},
    {"river", {{N, "แม่น้ำ"}}},
    {"the", {{Adj, ""}}},
    {"is", {{V, "เป็น"}}},
    {"run", {{V, "วิ่ง"}}},
    {"eat", {{V, "กิน"}}},
    {"walk", {{V, "เดิน"}}},
    {"like", {{V, "ชอบ"}}},
    {"make", {{V, "ทำ"}}},
    {"create", {{V, "สร้าง"}}},
    {"near", {{PP, "ใกล้"}}},
    {"and", {{Conj, "และ"}}},
    {"quickly", {{Adv, "อย่างรวดเร็ว"}}},
    {"look", {{V, "มอง"}}},
    {"look at", {{V, "มองดู"}}},
    {"well known", {{Adj, "มีชื่อเสียง"}}},
    {"don ' t", {{Adv, "ไม่"}}},
    {"for cat", {{N, "สำหรับแมว"}}},
    {"for", {{PP, "สำหรับ"}}},
    {"How are you", {{Q, "สบายดีไหม"}}},
    {"break a leg", {{Idm, "ขอให้โชคดี"}}},
    {"hello", {{N, "สวัสดี"}, {Idm, ""}}},
    {"what", {{Q, "อะไร"}}},
    {"nothing", {{N, ""}, {V, ""}}},
    {"one two three four five", {{N, "ห้าคำ"}}},
};

TEST(Scanner, SplitsPhrasesAtClosingCharacters) {
    // With an empty dictionary every token is missing, so the raw missing words show the
    // phrase words exactly as split, phrase after phrase.
    const Dictionary empty({});
    struct Case {
        std::string text;
        Items words;
    };
    const Case cases[] = {
        {"well-known.", {"well", "-", "known", ".", "", "\r"}},
        {"Hello world .", {"Hello", "world", "", ".", "", "\r"}},
        {"a\tb.", {"ab", ".", "", "\r"}},
        {"hello world", {"hello", "world", "\r"}},
        {"  two  spaces", {"two", "spaces", "\r"}},
        {"A_1 x9", {"A_1", "x9", "\r"}},
        {"don't", {"don", "t", "\r"}},  // the apostrophe is a word that emits nothing
        {"a,,b", {"a", ",", "", ",", "b", "\r"}},
        {"line\r\nnext", {"line", "\r", "", "\n", "next", "\r"}},
        {"", {"", "\r"}},
        {"แมว ดำ!", {"แมว", "ดำ", "!", "", "\r"}},
        {"caf\u00e9", {"caf", "\u00e9", "", "\r"}},  // outside the code page: closes like "?"
    };
    for (const Case& c : cases) {
        RunLists r = translate(empty, c.text);
        EXPECT_EQ(r.missingRaw, c.words) << '"' << c.text << '"';
    }
}

TEST(Scanner, QuestionsAndIdiomsAreTriedWhole) {
    const Dictionary d(kBasic);
    struct Case {
        std::string text;
        Items tokens;
    };
    const Case cases[] = {
        {"How are you?", {"สบายดีไหม", "?", "", "\r"}},
        {"HOW ARE YOU?", {"สบายดีไหม", "?", "", "\r"}},
        {"break a leg, cat", {"ขอให้โชคดี", ",", "แมว", "\r"}},
        // An empty idiom meaning still counts: the word is not looked up alone.
        {"hello.", {"", ".", "", "\r"}},
        // A one-word question is held whole too.
        {"what?", {"อะไร", "?", "", "\r"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(translate(d, c.text).tokens, c.tokens) << c.text;
    }
}

TEST(WordForms, StemsPhrasesAndSpecialWords) {
    const Dictionary d(kBasic);
    struct Case {
        std::string text;
        std::string thai;
    };
    const Case cases[] = {
        {"cats", "แมว\r"},
        {"liked", "ชอบ\r"},
        {"creation", "สร้าง\r"},
        {"making", "การทำ\r"},
        {"Walked", "เดิน\r"},
        {"WALKING", "การเดิน\r"},
        {"Walking", "การเดิน\r"},
        {"us", "us\r"},  // two letters: not reduced, missing, passed through
        {"looked at the cat", "มองดูแมว\r"},
        {"well-known cat", "แมวมีชื่อเสียง\r"},
        {"I don't", "Iไม่\r"},
        {"for cats", "สำหรับแมว\r"},
        {"FOR the cat", "สำหรับแมว\r"},
        {"one two three four five cat", "แมวห้าคำ\r"},
        {"a cat", "แมว\r"},
        {"a run", "a aวิ่ง\r"},  // English article, then its own (missing) token
        {"a, cat", "a a,แมว\r"},
        {"nothing cat", "แมว\r"},  // all fields empty: no output at all
        {"zork cats", "zorkแมว\r"},
        {"Sara Danius, JAS 39C cats", "Sara Danius,JAS 39Cแมว\r"},  // missing words kept apart
    };
    for (const Case& c : cases) EXPECT_EQ(translate(d, c.text).thai, c.thai) << c.text;
}

// Typographic punctuation written back as its plain twin, for comparing outputs.
std::string plainTwin(std::string text) {
    const std::pair<std::string, std::string> pairs[] = {
        {"\u2018", "'"}, {"\u2019", "'"}, {"\u201C", "\""},  {"\u201D", "\""}, {"\u201E", "\""},
        {"\u2013", "-"}, {"\u2014", "-"}, {"\u2026", "..."}, {"\u00A0", " "},
    };
    for (const auto& [from, to] : pairs) {
        for (std::size_t at; (at = text.find(from)) != std::string::npos;)
            text.replace(at, from.size(), to);
    }
    return text;
}

TEST(Scanner, TypographicPunctuationTranslatesLikeItsStraightTwin) {
    const Dictionary d(kBasic);
    struct Case {
        std::string typographic, straight;
    };
    const Case cases[] = {
        {"\u201CI don\u2019t like the cat,\u201D she said.", "\"I don't like the cat,\" she said."},
        {"\u2018cats\u2019 and \u2018houses\u2019", "'cats' and 'houses'"},
        {"\u201Ebreak a leg\u201C", "\"break a leg\""},
        {"\u201CHow are you?\u201D", "\"How are you?\""},
        {"zork\u2019s cat", "zork's cat"},
        {"the cat\u2014the big house", "the cat - the big house"},
        {"red box \u2013 old gate", "red box - old gate"},
        {"Well\u2026 the cat\u2026", "Well... the cat..."},
        {"big\u00A0house", "big house"},
        {"well\u2014known cat", "well - known cat"},  // a dash joins no compound
    };
    for (const Case& c : cases) {
        const RunLists typo = translate(d, c.typographic), plain = translate(d, c.straight);
        EXPECT_EQ(plainTwin(typo.thai), plain.thai) << c.typographic;
        Items missing;
        for (const std::string& w : typo.missing) missing.push_back(plainTwin(w));
        EXPECT_EQ(missing, plain.missing) << c.typographic;
    }
    // The output keeps the characters as written, the key is the straight one.
    const RunLists r = translate(d, "\u201CI don\u2019t\u2014zork\u2026\u201D");
    EXPECT_EQ(r.thai, "\u201CIไม่\u2014zork\u2026\u201D\r");
    EXPECT_EQ(r.arrangementWords, (Items{"don \u2019 t"}));
    EXPECT_EQ(r.missing, (Items{"zork"}));
}

// A text and the tokens it gives, without those of the line end's phrase.
struct TokenCase {
    std::string text;
    Items tokens;
};

template <std::size_t N>
void expectTokens(const Dictionary& d, const TokenCase (&cases)[N]) {
    for (const TokenCase& c : cases) {
        Items tokens = translate(d, c.text).tokens;
        tokens.resize(tokens.size() - 2);
        EXPECT_EQ(tokens, c.tokens) << c.text;
    }
}

TEST(Reordering, NounsComeBeforeTheirModifiers) {
    const Dictionary d(kBasic);
    const TokenCase cases[] = {
        {"big house.", {"บ้าน", "ใหญ่", "."}},
        {"big red house.", {"ใหญ่", "บ้าน", "แดง", "."}},
        {"garden gate.", {"ประตู", "สวน", "."}},
        {"big garden gate.", {"ประตู", "สวน", "ใหญ่", "."}},
        {"garden gate key.", {"กุญแจ", "ประตู", "สวน", "."}},
        {"big garden gate key.", {"กุญแจ", "ประตู", "สวน", "ใหญ่", "."}},
        {"garden gate key box.", {"กุญแจ", "ประตู", "สวน", "กล่อง", "."}},
        // A fourth noun after an adjective: nothing is lost, the adjective ends the run.
        {"big garden gate key box.", {"กุญแจ", "ประตู", "สวน", "กล่อง", "ใหญ่", "."}},
        {"cat.", {"แมว", "."}},
    };
    expectTokens(d, cases);
}

TEST(Reordering, HeldWordsComeOutWhenTheirNounDoesNotCome) {
    // "key" looks like a noun ahead, but "key in" is a verb: what was held for
    // it comes out before the verb, not after a later noun or never.
    Entries entries = kBasic;
    entries["key in"] = {{V, "ป้อน"}};
    entries["garden path"] = {{Adv, "อย่างหลอกลวง"}};
    const Dictionary d(entries);
    const TokenCase cases[] = {
        {"cat key in.", {"แมว", "ป้อน", "."}},
        {"cat key in box.", {"แมว", "ป้อน", "กล่อง", "."}},
        {"big key in box.", {"ใหญ่", "ป้อน", "กล่อง", "."}},
        {"big house garden key in.", {"สวน", "บ้าน", "ใหญ่", "ป้อน", "."}},
        {"cat garden path.", {"แมว", "อย่างหลอกลวง", "."}},
        {"house key.", {"กุญแจ", "บ้าน", "."}},
    };
    expectTokens(d, cases);
}

TEST(Reordering, ArrangementEntriesStandBesideTheirWords) {
    const Dictionary d(kBasic);
    RunLists r = translate(d, "The big house is near the river and quickly zork.");
    EXPECT_EQ(r.arrangement, (Items{"big = ใหญ่", "house= บ้าน", "is= เป็น", "near = ใกล้",
                                    "river= แม่น้ำ", "and=และ", "quickly=อย่างรวดเร็ว"}));
    EXPECT_EQ(r.arrangementWords, (Items{"big", "house", "is", "near", "river", "and", "quickly"}));
    EXPECT_EQ(r.missing, (Items{"zork"}));
    EXPECT_EQ(r.thai, "บ้านใหญ่เป็นใกล้แม่น้ำและอย่างรวดเร็วzork.\r");
}

TEST(Reordering, LaterVerbsOfAPhraseStartWithASpace) {
    const Dictionary d(kBasic);
    EXPECT_EQ(translate(d, "run eat walk. run").tokens,
              (Items{"วิ่ง", " กิน", " เดิน", ".", "วิ่ง", "\r"}));
}

TEST(Reordering, AdjectiveEmittedInPlaceDoesNotDropAnEarlierHeldOne) {
    // "old" is held for "nothing" (classed a noun by its empty noun field),
    // which emits nothing; "big" before a verb is emitted in place: both survive.
    const Dictionary d(kBasic);
    EXPECT_EQ(translate(d, "old nothing big run").tokens,
              (Items{"เก่า", "ใหญ่", "วิ่ง", "\r"}));
}

TEST(UnknownWords, ListsWordsOnceWithoutPunctuation) {
    EXPECT_EQ(Translator::visibleMissingWords(
                  {"Xyzzy", ".", "xyzzy", "Foo", ",", "_", "7", "?!", "-", "", "\r", "--", "foo"}),
              (Items{"Xyzzy", "Foo", "_", "7", "?!", "--"}));
    const Dictionary empty({});
    EXPECT_EQ(translate(empty, "Xyzzy. xyzzy Foo, _ 7").missing, (Items{"Xyzzy", "Foo", "_", "7"}));
    EXPECT_TRUE(translate(empty, "").missing.empty());
}

TEST(Run, TranslatesTheCapturedSelectionOnce) {
    const Dictionary d(kBasic);
    MemoryHost host(d.view());
    Translator t(host);
    t.captureSelection("");
    t.run("cat");
    EXPECT_EQ(host.thai(), "\r");  // only the appended line end
    t.run("cat");
    EXPECT_EQ(host.thai(), "แมว\r");
    t.captureSelection("big house");
    t.run("cat");
    EXPECT_EQ(host.thai(), "บ้านใหญ่\r");
}

TEST(Run, LongTextsAreTranslatedWhole) {
    const Dictionary d(kBasic);
    std::string text;
    while (text.size() < 100000) text += "cat. ";
    RunLists r = translate(d, text);
    EXPECT_EQ(std::count(r.tokens.begin(), r.tokens.end(), "แมว"), 20000);
}

TEST(Run, TextFedInPiecesIsTranslatedAsTheWhole) {
    // Cut everywhere: inside words, phrases, multi-byte characters and CR LF
    // pairs, and between an adjective held for its noun and that noun.
    const Dictionary d(kBasic);
    const std::string text = "The big red house\r\nis near the old river, \u0E41\u0E21\u0E27\u2019s "
                             "cat.\r\nHow are you? well-known garden gate";
    const RunLists whole = translate(d, text);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        MemoryHost host(d.view());
        Translator t(host);
        t.start();
        t.feed(std::string_view(text).substr(0, cut));
        t.feed(std::string_view(text).substr(cut));
        t.finish();
        EXPECT_EQ(t.outputTokens().items(), whole.tokens) << "cut at " << cut;
        EXPECT_EQ(host.arrangement().items(), whole.arrangement) << "cut at " << cut;
        EXPECT_EQ(host.missing().items(), whole.missing) << "cut at " << cut;
    }
}

// A host that cancels after a number of characters and records the panels.
class CancellingHost final : public TranslationHost {
public:
    CancellingHost(const dict::LookupView* view, int after) : m_view(view), m_after(after) {}
    const dict::LookupView* lookupView() override { return m_view; }
    WorkList& arrangementList() override { return m_arrangement; }
    WorkList& missingWordList() override { return m_missing; }
    void yield() override { ++m_yields; }
    bool cancelRequested() const override { return m_yields > m_after; }
    void clearCancelRequest() override { m_yields = 0; }
    void setProgressPercent(int p) override { progress.push_back(p); }
    void setPanelVisible(Panel p, bool v) override {
        panels.push_back(std::to_string(static_cast<int>(p)) + (v ? "+" : "-"));
    }
    void setThaiText(std::string_view text) override { thai.emplace_back(text); }

    std::vector<int> progress;
    Items panels, thai;

private:
    const dict::LookupView* m_view;
    int m_after;
    int m_yields = 0;
    MemoryWorkList m_arrangement, m_missing;
};

TEST(Run, CancelStopsAfterTheCurrentCharacterAndShowsThePartialThai) {
    const Dictionary d(kBasic);
    CancellingHost host(d.view(), 4);  // cancel seen after the 4th character
    Translator t(host);
    t.run("cat. big house. cat.");
    EXPECT_EQ(host.thai, (Items{"", "แมว."}));
    EXPECT_EQ(host.progress, (std::vector<int>{1, 4, 9, 13}));  // 4 of 21 characters
    EXPECT_EQ(host.panels, (Items{"0-", "1+", "1-", "2-"}));
}

}  // namespace
}  // namespace engine
