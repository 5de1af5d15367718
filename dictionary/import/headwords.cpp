// What a sense of a source contributes: its tag's field, its headword in the
// form the engine matches, the back map, and the filters for phrases and
// glosses that read better word by word.
#include <algorithm>
#include <array>
#include <unordered_map>

#include "dictionary/import/common.h"
#include "dictionary/import/import.h"
#include "dictionary/import/text.h"

namespace dictimport {

namespace {

// Drops "be " or "to " before an English gloss: the Thai->English side glosses
// Thai stative verbs as "be white" and verbs as "to go".
std::string backKey(std::string_view english) {
    std::string key = dict::foldCase(collapseSpaces(english));
    for (const std::string_view lead : {"be ", "to "}) {
        if (startsWith(key, lead) && key.size() > lead.size()) {
            key.erase(0, lead.size());
            break;
        }
    }
    return key;
}

// Prepositions that end a phrasal verb ("fish for", "shop on", "sleep in").
// A multi-word entry ending in one of them would be matched, longest first,
// wherever the verb or noun merely meets its preposition ("the shop on the
// corner", "sleeping in the bedroom"), so the literal reading of the words is
// kept instead. Adverb particles ("give up", "turn off") seldom meet a word by
// chance and stay.
constexpr std::array<std::string_view, 34> kPrepositions = {
    "about",   "above",  "across",  "after", "against", "along",   "among",  "around", "as",
    "at",      "before", "behind",  "below", "beside",  "between", "beyond", "by",     "for",
    "from",    "in",     "into",    "of",    "on",      "onto",    "over",   "past",   "round",
    "through", "to",     "towards", "under", "upon",    "with",    "without"};

bool sharesMeaning(std::string_view thai, const KnownWord& word) {
    return std::any_of(word.meanings.begin(), word.meanings.end(),
                       [&](const std::string& m) { return contains(thai, m); });
}

}  // namespace

std::vector<std::string> words(std::string_view key) {
    std::vector<std::string> out;
    std::string word;
    for (const char c : key) {
        if (c == ' ') {
            if (!word.empty()) out.push_back(word);
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) out.push_back(word);
    return out;
}

void BackMap::add(std::string_view thai, std::string_view english, bool primary) {
    const std::string key = collapseSpaces(thai);
    const std::string value = backKey(english);
    if (key.empty() || value.empty()) return;
    int& s = m_map[key][value];
    s = std::max(s, primary ? 2 : 1);
}

int BackMap::strength(std::string_view thai, std::string_view english) const {
    const auto it = m_map.find(std::string(thai));
    if (it == m_map.end()) return 0;
    const auto jt = it->second.find(dict::foldCase(english));
    return jt == it->second.end() ? 0 : jt->second;
}

std::optional<Format> parseFormat(std::string_view name) {
    if (name == "thaidict") return Format::kThaidict;
    if (name == "etlex") return Format::kEtlex;
    if (name == "tsv") return Format::kTsv;
    return std::nullopt;
}

int fieldForTag(std::string_view rawTag) {
    const std::string tag = collapseSpaces(rawTag);
    static const std::unordered_map<std::string_view, int> kMap = {
        {"N", dict::kWordNoun},      {"ABBR", dict::kWordNoun},   {"PRON", dict::kWordNoun},
        {"VT", dict::kWordVerb},     {"VI", dict::kWordVerb},     {"V", dict::kWordVerb},
        {"VI, VT", dict::kWordVerb}, {"VT, VI", dict::kWordVerb}, {"AUX", dict::kWordVerb},
        {"PHRV", dict::kWordVerb},   {"ADV", dict::kWordAdv},     {"ADJ", dict::kWordAdj},
        {"DET", dict::kWordAdj},     {"ART", dict::kWordAdj},     {"PREP", dict::kWordPP},
        {"CONJ", dict::kWordConj},   {"IDM", dict::kWordIdiom},   {"QUES", dict::kWordQuestion},
        {"INT", kFallback},
    };
    const auto it = kMap.find(tag);
    return it == kMap.end() ? kSkip : it->second;
}

std::optional<std::string> engineHeadword(std::string_view english, bool idiom) {
    // Typographic quotes stand for the apostrophe.
    std::string text;
    for (char32_t cp : codePoints(english)) {
        if (cp == U'\u2019' || cp == U'\u2018') cp = U'\'';
        if (cp >= 0x80) return std::nullopt;  // no code in the engine's code page
        text.push_back(static_cast<char>(cp));
    }
    std::vector<std::string> items;
    std::string word;
    const auto flush = [&] {
        if (!word.empty()) items.push_back(word);
        word.clear();
    };
    for (const char c : collapseSpaces(text)) {
        const bool wordChar =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (wordChar) {
            word.push_back(c);
        } else if (c == ' ') {
            flush();
        } else if (c == '-' || c == '\'') {
            flush();
            items.emplace_back(1, c);
        } else {
            return std::nullopt;  // would close the phrase in the middle
        }
    }
    flush();
    const bool anyWord = std::any_of(items.begin(), items.end(),
                                     [](const std::string& s) { return s != "-" && s != "'"; });
    // A hyphen at either end marks an affix ("-ness", "re-"), not a word.
    if (!anyWord || items.front() == "-" || items.back() == "-") return std::nullopt;
    // The phrase matcher tries up to five items and, when the second item is a
    // hyphen, leaves it out of the three- and five-item keys.
    const std::size_t n = items.size();
    if (n > 5 && !idiom) return std::nullopt;
    if (n <= 5 && (n == 3 || n == 5) && items[1] == "-") items.erase(items.begin() + 1);
    std::string key;
    for (const std::string& item : items) {
        if (!key.empty()) key.push_back(' ');
        key += item;
    }
    return key;
}

std::optional<std::string> reversedHeadword(std::string_view gloss) {
    // Glosses of the Thai->English side: "freckle(s)", "put on (e.g. clothes)".
    std::string text = cleanMeaning(gloss);
    const std::string lower = dict::foldCase(text);
    for (const std::string_view lead :
         {"a kind of ", "kind of ", "a type of ", "type of ", "species of ", "a species of ",
          "sort of ", "name of ", "title of ", "a ", "an ", "the "}) {
        if (startsWith(lower, lead)) return std::nullopt;
    }
    // Dictionary placeholders never occur in running text as written.
    const std::string padded = " " + lower + " ";
    for (const std::string_view word :
         {"one's", "someone", "something", "somebody", "sb", "sth", "etc", "e.g", "i.e"}) {
        std::string spaced(1, ' ');
        spaced += word;
        for (const char end : {' ', '.', '\''}) {
            if (contains(padded, spaced + end)) return std::nullopt;
        }
    }
    return engineHeadword(text, false);
}

bool idiomaticPhrasal(std::string_view tag, std::string_view key, std::string_view thai,
                      const KnownWords& known) {
    const std::string t = collapseSpaces(tag);
    if (t != "PHRV" && t != "N" && t != "V" && t != "VT" && t != "VI" && t != "VI, VT" &&
        t != "VT, VI")
        return false;
    const std::vector<std::string> w = words(dict::foldCase(key));
    if (w.size() < 2 ||
        std::find(kPrepositions.begin(), kPrepositions.end(), w.back()) == kPrepositions.end())
        return false;
    const auto first = known.find(w.front());
    if (first == known.end()) return false;
    const KnownWord& head = first->second;
    // A noun before a preposition is nearly always literal ("the shop on");
    // a verb keeps its phrase when the Thai carries the verb ("wait for" -> รอคอย).
    return head.nounSenses > head.verbSenses || !sharesMeaning(thai, head);
}

bool readsLiterally(std::string_view key, std::string_view thai, const KnownWords& known) {
    const std::vector<std::string> w = words(dict::foldCase(key));
    if (w.empty()) return false;
    if (w.size() == 1) {
        // A plural the stem rule reduces to a known word ("friends", "flowers").
        const std::string& word = w.front();
        return word.size() > 2 && word.back() == 's' && word[word.size() - 2] != '\'' &&
               known.count(word.substr(0, word.size() - 1)) > 0;
    }
    bool shares = false;
    for (const std::string& x : w) {
        if (x == "-" || x == "'") continue;
        const auto it = known.find(x);
        if (it == known.end()) return false;  // a word of its own: the whole is needed
        shares = shares || sharesMeaning(thai, it->second);
    }
    // The Thai shares a meaning with its words: a compound, kept ("main road").
    return !shares;
}

}  // namespace dictimport
