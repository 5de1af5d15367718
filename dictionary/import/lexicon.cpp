// Tag mapping, headword forms, meaning cleaning and choice, and the merge
// under the core.
#include <algorithm>
#include <array>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "dictionary/import/import.h"
#include "dictionary/import/text.h"
#include "engine/utf8.h"

namespace dictimport {

namespace {

// The meaning fields in the order the reordering rules test them.
constexpr std::array<int, 8> kRuleOrder = {dict::kWordNoun,     dict::kWordVerb, dict::kWordAdv,
                                           dict::kWordAdj,      dict::kWordPP,   dict::kWordConj,
                                           dict::kWordQuestion, dict::kWordIdiom};

int rank(int field) {
    const auto it = std::find(kRuleOrder.begin(), kRuleOrder.end(), field);
    return static_cast<int>(it - kRuleOrder.begin());
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

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

// Number of Thai characters that take their own place on the line.
std::size_t visibleLength(const std::vector<char32_t>& cps) {
    std::size_t n = 0;
    for (const char32_t cp : cps) {
        if (!isThaiCombining(cp) && cp != U' ') ++n;
    }
    return n;
}

// Texts that explain a word instead of translating it: inflected forms
// ("past form of ..."), abbreviations, and labels of the part of speech.
constexpr std::array<std::string_view, 22> kDescriptionParts = {
    "ช่องที่",   "กริยาช่อง",   "กิริยาช่อง", "คำย่อ",    "ตัวย่อ",      "ย่อมาจาก", "รูปพหูพจน์", "พหูพจน์ของ",
    "รูปอดีต",  "อดีตกาลของ", "คำอุทาน",  "คำนำหน้า", "คำสรรพนาม", "คำบุพบท",  "คำสันธาน", "คำกริยา",
    "คำกิริยา", "คำคุณศัพท์",   "คำวิเศษณ์", "ของคำ",   "รูปของ",     "กริยาช่วย"};
constexpr std::array<std::string_view, 16> kDescriptionStarts = {
    "ใช้แสดง", "ใช้กับ",  "ใช้หลัง", "ใช้นำหน้า",  "ใช้ปฏิเสธ", "ใช้เมื่อ", "ใช้ใน",   "ใช้วาง",
    "ใช้เป็น",  "ใช้เพื่อ", "ใช้แทน", "เสียงแสดง", "คำแทน",   "คำที่",   "คำกล่าว", "คำร้อง"};

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

// The usable alternatives of a Thai text, split at commas, slashes,
// semicolons and spaces; pieces of one visible letter are left out.
std::vector<std::string> meaningPieces(std::string_view raw) {
    std::vector<std::string> out;
    std::string piece;
    const auto flush = [&] {
        std::string p = cleanMeaning(piece);
        piece.clear();
        if (p.empty() || !rejectReason(p).empty()) return;
        if (visibleLength(codePoints(p)) < 2) return;  // a particle, not a word
        out.push_back(std::move(p));
    };
    for (const char c : cleanMeaning(raw)) {
        if (c == ',' || c == '/' || c == ';' || c == ' ') {
            flush();
        } else {
            piece.push_back(c);
        }
    }
    flush();
    return out;
}

struct Candidate {
    std::string text;
    std::vector<char32_t> cps;
    std::size_t order = 0;
    int occurrences = 0;
};

}  // namespace

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

std::string cleanMeaning(std::string_view thai) {
    std::string out;
    int depth = 0;
    std::string text;
    for (char32_t cp : codePoints(thai)) {
        if (cp == U'（') cp = U'(';
        if (cp == U'）') cp = U')';
        if (cp == U'(' || cp == U'[') {
            ++depth;
            text.push_back(' ');
            continue;
        }
        if (cp == U')' || cp == U']') {
            if (depth > 0) --depth;
            continue;
        }
        if (depth == 0) engine::appendUtf8(cp, &text);
    }
    out = collapseSpaces(text);
    // Stray punctuation at either end ("พอแล้ว!", "- ไป").
    const auto isStray = [](char c) {
        return c == '!' || c == '.' || c == '-' || c == ':' || c == ',' || c == ';' || c == '"' ||
               c == '*';
    };
    while (!out.empty() && (isStray(out.back()) || out.back() == ' ')) out.pop_back();
    std::size_t start = 0;
    while (start < out.size() && (isStray(out[start]) || out[start] == ' ')) ++start;
    return out.substr(start);
}

std::string rejectReason(std::string_view thai) {
    if (thai.empty()) return "empty after cleaning";
    const std::vector<char32_t> cps = codePoints(thai);
    if (isThaiCombining(cps.front())) return "damaged Thai: starts with a combining mark";
    if (contains(thai, "เเ")) return "damaged Thai: two SARA E for SARA AE";
    bool anyThai = false;
    for (std::size_t i = 0; i < cps.size(); ++i) {
        if (isPrivateUse(cps[i]) || cps[i] == 0xFFFD) return "damaged Thai: private-use character";
        if (i > 0 && cps[i - 1] == U' ' && isThaiCombining(cps[i]))
            return "damaged Thai: space before a combining mark";
        if ((cps[i] >= 'a' && cps[i] <= 'z') || (cps[i] >= 'A' && cps[i] <= 'Z'))
            return "description: names English words";
        anyThai = anyThai || isThai(cps[i]);
    }
    if (!anyThai) return "no Thai text";
    for (const std::string_view part : kDescriptionParts) {
        if (contains(thai, part)) return "description of the word";
    }
    for (const std::string_view lead : kDescriptionStarts) {
        if (startsWith(thai, lead)) return "description of the word";
    }
    return {};
}

std::string chooseMeaning(const std::vector<std::string>& sources, std::string_view headword,
                          int field, const BackMap& back, Report* report) {
    const bool idiom = field == dict::kWordIdiom || field == dict::kWordQuestion;
    std::vector<Candidate> candidates;
    const auto addCandidate = [&](std::string text) {
        for (Candidate& c : candidates) {
            if (c.text == text) {
                ++c.occurrences;
                return;
            }
        }
        Candidate c;
        c.cps = codePoints(text);
        c.text = std::move(text);
        c.order = candidates.size();
        c.occurrences = 1;
        candidates.push_back(std::move(c));
    };
    for (const std::string& raw : sources) {
        // Descriptions are judged on the whole text: their parts may look plain.
        const std::string whole = cleanMeaning(raw);
        const std::string reason = rejectReason(whole);
        if (!reason.empty()) {
            if (report) ++report->rejected[reason];
            continue;
        }
        if (idiom) {
            addCandidate(whole);
            continue;
        }
        // Word meanings: alternatives are joined by commas, slashes,
        // semicolons or spaces ("ประมูล ให้ราคา"); each is a candidate.
        for (std::string& p : meaningPieces(whole)) addCandidate(std::move(p));
    }
    if (candidates.empty()) return {};
    const std::string english = dict::foldCase(collapseSpaces(headword));
    const auto score = [&](const Candidate& c) {
        return std::make_tuple(-back.strength(c.text, english), -c.occurrences,
                               visibleLength(c.cps), c.order);
    };
    const auto best = std::min_element(
        candidates.begin(), candidates.end(),
        [&](const Candidate& a, const Candidate& b) { return score(a) < score(b); });
    return best->text;
}

bool sharesMeaning(std::string_view thai, const KnownWord& word) {
    return std::any_of(word.meanings.begin(), word.meanings.end(),
                       [&](const std::string& m) { return contains(thai, m); });
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
    for (const std::string_view word :
         {"one's", "someone", "something", "somebody", "sb", "sth", "etc", "e.g", "i.e"}) {
        const std::string padded = " " + lower + " ";
        if (contains(padded, " " + std::string(word) + " ") ||
            contains(padded, " " + std::string(word) + ".") ||
            contains(padded, " " + std::string(word) + "'"))
            return std::nullopt;
    }
    return engineHeadword(text, false);
}

std::vector<dict::DictRecord> buildRecords(const Source& source, Report* report) {
    struct FieldPool {
        std::string spelling;  // the spelling whose senses fill this field
        std::vector<std::string> texts;
        int senses = 0;
    };
    struct Entry {
        std::string spelling;  // first spelling seen: the record's headword
        std::map<int, FieldPool> fields;
        FieldPool fallback;
        bool reversed = true;  // only senses of the Thai->English side so far
    };
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::size_t> byKey;
    Report local;
    Report& r = report ? *report : local;
    r.recordsRead += source.recordsRead;

    // English->Thai senses first, so the turned-round ones only fill gaps.
    std::vector<const Sense*> order;
    order.reserve(source.senses.size());
    for (const Sense& sense : source.senses) {
        if (!sense.reversed) order.push_back(&sense);
    }
    for (const Sense& sense : source.senses) {
        if (sense.reversed) order.push_back(&sense);
    }
    // One-word headwords of the English->Thai side, by which glosses of the
    // Thai->English side are judged.
    KnownWords known;
    for (const Sense* sense : order) {
        if (sense->reversed) break;
        if (fieldForTag(sense->tag) == kSkip) continue;
        const auto key = engineHeadword(sense->english, false);
        if (!key || key->find(' ') != std::string::npos) continue;
        KnownWord& word = known[dict::foldCase(*key)];
        const int field = fieldForTag(sense->tag);
        if (field == dict::kWordNoun) ++word.nounSenses;
        if (field == dict::kWordVerb) ++word.verbSenses;
        for (const std::string& text : meaningPieces(sense->thai)) word.meanings.push_back(text);
        for (const std::string& more : sense->more)
            for (const std::string& text : meaningPieces(more)) word.meanings.push_back(text);
    }
    for (const Sense* sense : order) {
        const int field = fieldForTag(sense->tag);
        if (field == kSkip) {
            if (!sense->reversed)
                ++r.tagsLeftOut[sense->tag.empty() ? "(none)" : collapseSpaces(sense->tag)];
            continue;
        }
        const std::optional<std::string> key =
            sense->reversed ? reversedHeadword(sense->english)
                            : engineHeadword(sense->english, field == dict::kWordIdiom);
        if (!key) {
            if (!sense->reversed) ++r.rejected["headword the engine cannot match"];
            continue;
        }
        if (!sense->reversed && idiomaticPhrasal(sense->tag, *key, sense->thai, known)) {
            ++r.rejected["idiomatic phrase ending in a preposition"];
            continue;
        }
        if (sense->reversed && byKey.count(dict::foldCase(*key)) == 0 &&
            readsLiterally(*key, sense->thai, known)) {
            ++r.rejected["gloss whose words read literally"];
            continue;
        }
        const std::string folded = dict::foldCase(*key);
        auto [it, fresh] = byKey.try_emplace(folded, entries.size());
        if (fresh) {
            Entry e;
            e.spelling = *key;
            e.reversed = sense->reversed;
            entries.push_back(std::move(e));
        }
        Entry& entry = entries[it->second];
        if (sense->reversed && !entry.reversed) continue;  // the English->Thai side has it
        FieldPool& pool = field == kFallback ? entry.fallback : entry.fields[field];
        if (pool.spelling.empty()) pool.spelling = *key;
        if (pool.spelling != *key) {
            // Another spelling of the headword: the first one fills the field.
            ++r.caseMerged;
            continue;
        }
        ++r.sensesTaken;
        ++pool.senses;
        pool.texts.push_back(sense->thai);
        for (const std::string& more : sense->more) pool.texts.push_back(more);
    }

    std::vector<dict::DictRecord> records;
    records.reserve(entries.size());
    for (const Entry& entry : entries) {
        dict::DictRecord record;
        record[dict::kWordEn] = entry.spelling;
        // Choose the meanings, then the class: most senses, one more for a
        // meaning that maps back; ties go to the field the rules test first.
        int classField = -1;
        int classScore = 0;
        std::map<int, std::string> chosen;
        for (const auto& [field, pool] : entry.fields) {
            std::string meaning = chooseMeaning(pool.texts, entry.spelling, field, source.back, &r);
            if (meaning.empty()) continue;
            const int score =
                2 * pool.senses + (source.back.strength(meaning, entry.spelling) == 2 ? 2 : 0);
            if (classField < 0 || score > classScore ||
                (score == classScore && rank(field) < rank(classField))) {
                classField = field;
                classScore = score;
            }
            chosen[field] = std::move(meaning);
        }
        for (auto& [field, meaning] : chosen) {
            if (rank(field) < rank(classField)) {
                ++r.rejected["meaning of a minor class ranking before the main one"];
                continue;
            }
            record[field] = std::move(meaning);
            ++r.fieldsFilled;
        }
        if (chosen.empty() && !entry.fallback.texts.empty()) {
            std::string meaning = chooseMeaning(entry.fallback.texts, entry.spelling,
                                                dict::kWordAdv, source.back, &r);
            if (!meaning.empty()) {
                record[dict::kWordAdv] = std::move(meaning);
                chosen[dict::kWordAdv] = "";
                ++r.fieldsFilled;
            }
        }
        if (chosen.empty()) {
            if (!entry.reversed) ++r.rejected["headword without a usable meaning"];
            continue;
        }
        if (entry.reversed) ++r.reversedHeadwords;
        records.push_back(std::move(record));
    }
    r.headwords = records.size();
    return records;
}

namespace {

// The Thai texts a record gives for its word, each also without a leading
// การ, ความ or อย่าง (a noun or adverb made from the word), for the test below.
void collectMeanings(const dict::DictRecord* rec, std::vector<std::string>* out) {
    if (!rec) return;
    for (const int field : kRuleOrder) {
        const dict::FieldValue& v = (*rec)[field];
        if (!v || v->empty()) continue;
        for (std::string& piece : meaningPieces(*v)) {
            for (const std::string_view lead : {"การ", "ความ", "อย่าง"}) {
                if (startsWith(piece, lead) && piece.size() > lead.size() + 3)
                    out->push_back(piece.substr(lead.size()));
            }
            out->push_back(std::move(piece));
        }
    }
}

// Whether an imported headword is two everyday words read as one opaque
// noun or adjective: both words are core headwords, the first of them is no
// core noun (two nouns mostly make a true compound: city hall, coconut
// milk), the record's class is a noun or an adjective, and its Thai carries
// no meaning of either word
// ("good book" -> พระคัมภีร์ไบเบิล). The greedy phrase matcher would take
// it wherever the two words merely meet, so it is left out; compounds the
// text needs (ice cream) are core headwords and never reach this test.
bool opaqueCompound(const dict::DictRecord& rec,
                    const std::unordered_map<std::string, const dict::DictRecord*>& core,
                    const std::unordered_map<std::string, const dict::DictRecord*>& imported) {
    const std::vector<std::string> w = words(dict::foldCase(rec[dict::kWordEn].value_or("")));
    if (w.size() != 2) return false;
    int classField = -1;
    for (const int field : kRuleOrder) {
        if (rec[field] && !rec[field]->empty()) {
            classField = field;
            break;
        }
    }
    if (classField != dict::kWordNoun && classField != dict::kWordAdj) return false;
    std::vector<std::string> meanings;
    for (const std::string& word : w) {
        const auto c = core.find(word);
        if (c == core.end()) return false;
        const dict::FieldValue& noun = (*c->second)[dict::kWordNoun];
        if (&word == &w.front() && noun && !noun->empty()) return false;
        collectMeanings(c->second, &meanings);
        const auto i = imported.find(word);
        collectMeanings(i == imported.end() ? nullptr : i->second, &meanings);
    }
    const std::string& thai = *rec[classField];
    return std::none_of(meanings.begin(), meanings.end(),
                        [&](const std::string& m) { return contains(thai, m); });
}

}  // namespace

std::vector<dict::DictRecord> layUnder(const std::vector<dict::DictRecord>& core,
                                       const std::vector<dict::DictRecord>& imported,
                                       Report* report) {
    Report local;
    Report& r = report ? *report : local;
    std::unordered_map<std::string, const dict::DictRecord*> byKey;
    for (const dict::DictRecord& rec : imported) {
        if (rec[dict::kWordEn]) byKey.try_emplace(dict::foldCase(*rec[dict::kWordEn]), &rec);
    }
    std::unordered_map<std::string, const dict::DictRecord*> coreByKey;
    for (const dict::DictRecord& rec : core) {
        if (rec[dict::kWordEn]) coreByKey.try_emplace(dict::foldCase(*rec[dict::kWordEn]), &rec);
    }
    std::unordered_map<std::string, bool> inCore;
    std::vector<dict::DictRecord> merged;
    merged.reserve(core.size() + imported.size());
    r.coreHeadwords = core.size();
    for (const dict::DictRecord& rec : core) {
        dict::DictRecord out = rec;
        const std::string key = rec[dict::kWordEn] ? dict::foldCase(*rec[dict::kWordEn]) : "";
        inCore[key] = true;
        const auto it = byKey.find(key);
        if (it != byKey.end()) {
            ++r.coreShared;
            const dict::DictRecord& lex = *it->second;
            int first = static_cast<int>(kRuleOrder.size());
            for (int k = 0; k < static_cast<int>(kRuleOrder.size()); ++k) {
                const dict::FieldValue& v = rec[kRuleOrder[static_cast<std::size_t>(k)]];
                if (v && !v->empty()) {
                    first = k;
                    break;
                }
            }
            for (const int field : kRuleOrder) {
                if (!lex[field]) continue;
                // Whole-phrase questions and idioms stay as the core has them.
                const bool phraseField = field == dict::kWordQuestion || field == dict::kWordIdiom;
                if (!rec[field] && rank(field) > first && !phraseField) {
                    out[field] = lex[field];
                    ++r.fieldsAddedToCore;
                } else {
                    ++r.fieldsLostToCore;
                }
            }
        }
        merged.push_back(std::move(out));
    }
    for (const dict::DictRecord& rec : imported) {
        const std::string key = rec[dict::kWordEn] ? dict::foldCase(*rec[dict::kWordEn]) : "";
        if (inCore.count(key) > 0) continue;
        if (opaqueCompound(rec, coreByKey, byKey)) {
            ++r.rejected["two core words whose Thai carries neither"];
            continue;
        }
        merged.push_back(rec);
    }
    r.formsAdded = addRegularForms(&merged);
    return merged;
}

namespace {

bool isVowel(char c) {
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

bool filled(const dict::DictRecord& rec, int field) {
    return rec[field] && !rec[field]->empty();
}

// A one-syllable word ending consonant, vowel, consonant doubles its last
// letter before -ed and -ing ("stop" -> "stopped").
bool doublesLastLetter(const std::string& w) {
    const std::size_t n = w.size();
    if (n < 3 || isVowel(w[n - 1]) || isVowel(w[n - 3]) || !isVowel(w[n - 2])) return false;
    if (w[n - 1] == 'w' || w[n - 1] == 'x' || w[n - 1] == 'y') return false;
    const auto vowels = std::count_if(w.begin(), w.end(), isVowel);
    return vowels == 1;
}

}  // namespace

std::vector<std::pair<std::string, FormKind>> regularForms(std::string_view base, bool noun,
                                                           bool verb, bool verbFiledAsNoun) {
    std::vector<std::pair<std::string, FormKind>> out;
    const std::string w(base);
    const std::size_t n = w.size();
    const bool lowerWord =
        n >= 2 && std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    if (!lowerWord || (!noun && !verb)) return out;
    const char last = w[n - 1];
    const bool consonantY = last == 'y' && !isVowel(w[n - 2]);
    const std::string stem = consonantY ? w.substr(0, n - 1) + "i" : w;
    // -s: the plural rule strips one "s", so "-es" after a hissing sound or
    // "o" and "-ies" never come back to the word.
    const std::string_view end2 = std::string_view(w).substr(n - 2);
    const bool hiss = end2 == "ss" || end2 == "us" || end2 == "sh" || end2 == "ch" ||
                      end2 == "zz" || last == 'x' || (last == 'o' && verb);
    if (consonantY)
        out.emplace_back(stem + "es", FormKind::kWhole);
    else if (hiss)
        out.emplace_back(w + "es", FormKind::kWhole);
    if (!verb) return out;
    // -ed and -ing: the past rule strips "ed" (then tries an "e"), the gerund
    // rule "ing" (the same); a doubled letter or "-ied" defeats both, and a
    // word filed as a noun would read as the noun.
    const bool doubles = doublesLastLetter(w);
    const std::string doubled = w + std::string(1, last);
    if (doubles) {
        out.emplace_back(doubled + "ed", FormKind::kVerb);
        out.emplace_back(doubled + "ing", FormKind::kVerb);
    } else if (consonantY) {
        out.emplace_back(stem + "ed", FormKind::kVerb);
    } else if (verbFiledAsNoun) {
        out.emplace_back(last == 'e' ? w + "d" : w + "ed", FormKind::kVerb);
    }
    if (!doubles && verbFiledAsNoun) {
        if (n > 2 && w.substr(n - 2) == "ie")
            out.emplace_back(w.substr(0, n - 2) + "ying", FormKind::kVerb);
        else if (last == 'e' && w[n - 2] != 'e')
            out.emplace_back(w.substr(0, n - 1) + "ing", FormKind::kVerb);
        else
            out.emplace_back(w + "ing", FormKind::kVerb);
    } else if (!doubles && n > 2 && w.substr(n - 2) == "ie") {
        out.emplace_back(w.substr(0, n - 2) + "ying", FormKind::kVerb);
    }
    return out;
}

std::size_t addRegularForms(std::vector<dict::DictRecord>* records) {
    std::unordered_map<std::string, bool> present;
    for (const dict::DictRecord& rec : *records)
        if (rec[dict::kWordEn]) present[dict::foldCase(*rec[dict::kWordEn])] = true;
    std::vector<dict::DictRecord> added;
    for (const dict::DictRecord& rec : *records) {
        if (!rec[dict::kWordEn]) continue;
        const bool noun = filled(rec, dict::kWordNoun);
        const bool verb = filled(rec, dict::kWordVerb);
        for (auto& [form, kind] : regularForms(*rec[dict::kWordEn], noun, verb, noun && verb)) {
            if (!present.try_emplace(form, true).second) continue;
            dict::DictRecord out = rec;
            out[dict::kWordEn] = form;
            // Whole-phrase fields belong to the headword itself.
            out[dict::kWordQuestion].reset();
            out[dict::kWordIdiom].reset();
            if (kind == FormKind::kVerb) out[dict::kWordNoun].reset();
            added.push_back(std::move(out));
        }
    }
    records->insert(records->end(), added.begin(), added.end());
    return added.size();
}

void Report::print(std::ostream& out) const {
    out << "read: " << recordsRead << " source records\n";
    out << "took: " << sensesTaken << " senses -> " << headwords << " headwords, " << fieldsFilled
        << " meaning fields\n";
    out << "  of them from the Thai->English side only: " << reversedHeadwords << "\n";
    out << "merged: " << caseMerged << " senses of headwords spelt in another case or form\n";
    std::size_t rejectedTotal = 0;
    for (const auto& [reason, n] : rejected) rejectedTotal += n;
    out << "rejected: " << rejectedTotal << "\n";
    for (const auto& [reason, n] : rejected) out << "  " << reason << ": " << n << "\n";
    std::size_t leftOut = 0;
    for (const auto& [tag, n] : tagsLeftOut) leftOut += n;
    out << "left out by tag: " << leftOut << "\n";
    for (const auto& [tag, n] : tagsLeftOut) out << "  " << tag << ": " << n << "\n";
    if (formsAdded > 0) out << "regular forms the stem rules cannot reach: " << formsAdded << "\n";
    if (coreHeadwords > 0) {
        out << "core: " << coreHeadwords << " headwords, " << coreShared
            << " also imported; fields added under the core: " << fieldsAddedToCore
            << ", imported fields the core overrides: " << fieldsLostToCore << "\n";
    }
}

}  // namespace dictimport
