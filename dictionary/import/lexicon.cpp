// Tag mapping, headword forms, meaning cleaning and choice, and the merge
// under the core.
#include <algorithm>
#include <array>
#include <tuple>
#include <unordered_map>

#include "dictionary/import/import.h"
#include "dictionary/import/utf8.h"

namespace dictimport {

namespace {

// The meaning fields in the order the reordering rules test them.
constexpr std::array<int, 8> kRuleOrder = {dict::kWordNoun, dict::kWordVerb, dict::kWordAdv,
                                           dict::kWordAdj,  dict::kWordPP,   dict::kWordConj,
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
    std::string key = asciiLower(collapseSpaces(english));
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
    "ช่องที่", "กริยาช่อง", "กิริยาช่อง", "คำย่อ", "ตัวย่อ", "ย่อมาจาก",
    "รูปพหูพจน์", "พหูพจน์ของ", "รูปอดีต", "อดีตกาลของ", "คำอุทาน",
    "คำนำหน้า", "คำสรรพนาม", "คำบุพบท", "คำสันธาน", "คำกริยา", "คำกิริยา",
    "คำคุณศัพท์", "คำวิเศษณ์", "ของคำ", "รูปของ", "กริยาช่วย"};
constexpr std::array<std::string_view, 16> kDescriptionStarts = {
    "ใช้แสดง", "ใช้กับ", "ใช้หลัง", "ใช้นำหน้า", "ใช้ปฏิเสธ", "ใช้เมื่อ",
    "ใช้ใน", "ใช้วาง", "ใช้เป็น", "ใช้เพื่อ", "ใช้แทน", "เสียงแสดง",
    "คำแทน", "คำที่", "คำกล่าว", "คำร้อง"};

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
    const auto jt = it->second.find(asciiLower(english));
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
        {"N", dict::kWordNoun},      {"ABBR", dict::kWordNoun}, {"PRON", dict::kWordNoun},
        {"VT", dict::kWordVerb},     {"VI", dict::kWordVerb},   {"V", dict::kWordVerb},
        {"VI, VT", dict::kWordVerb}, {"VT, VI", dict::kWordVerb}, {"AUX", dict::kWordVerb},
        {"PHRV", dict::kWordVerb},   {"ADV", dict::kWordAdv},   {"ADJ", dict::kWordAdj},
        {"DET", dict::kWordAdj},     {"ART", dict::kWordAdj},   {"PREP", dict::kWordPP},
        {"CONJ", dict::kWordConj},   {"IDM", dict::kWordIdiom}, {"QUES", dict::kWordQuestion},
        {"INT", kFallback},
    };
    const auto it = kMap.find(tag);
    return it == kMap.end() ? kSkip : it->second;
}

std::optional<std::string> engineHeadword(std::string_view english, bool idiom) {
    // Typographic quotes stand for the apostrophe.
    std::string text;
    for (char32_t cp : decodeUtf8(english)) {
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
        const bool wordChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                              (c >= '0' && c <= '9') || c == '_';
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
    for (char32_t cp : decodeUtf8(thai)) {
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
        if (depth == 0) appendUtf8(cp, &text);
    }
    out = collapseSpaces(text);
    // Stray punctuation at either end ("พอแล้ว!", "- ไป").
    const auto isStray = [](char c) { return c == '!' || c == '.' || c == '-' || c == ':' ||
                                             c == ',' || c == ';' || c == '"' || c == '*'; };
    while (!out.empty() && (isStray(out.back()) || out.back() == ' ')) out.pop_back();
    std::size_t start = 0;
    while (start < out.size() && (isStray(out[start]) || out[start] == ' ')) ++start;
    return out.substr(start);
}

std::string rejectReason(std::string_view thai) {
    if (thai.empty()) return "empty after cleaning";
    const std::vector<char32_t> cps = decodeUtf8(thai);
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
        c.cps = decodeUtf8(text);
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
        std::string piece;
        const auto flush = [&] {
            std::string p = cleanMeaning(piece);
            piece.clear();
            if (p.empty() || !rejectReason(p).empty()) return;
            if (visibleLength(decodeUtf8(p)) < 2) return;  // a particle, not a word
            addCandidate(std::move(p));
        };
        for (const char c : whole) {
            if (c == ',' || c == '/' || c == ';' || c == ' ') {
                flush();
            } else {
                piece.push_back(c);
            }
        }
        flush();
    }
    if (candidates.empty()) return {};
    const std::string english = asciiLower(collapseSpaces(headword));
    const auto score = [&](const Candidate& c) {
        return std::make_tuple(-back.strength(c.text, english), -c.occurrences,
                               visibleLength(c.cps), c.order);
    };
    const auto best = std::min_element(
        candidates.begin(), candidates.end(),
        [&](const Candidate& a, const Candidate& b) { return score(a) < score(b); });
    return best->text;
}

std::optional<std::string> reversedHeadword(std::string_view gloss) {
    // Glosses of the Thai->English side: "freckle(s)", "put on (e.g. clothes)".
    std::string text = cleanMeaning(gloss);
    const std::string lower = asciiLower(text);
    for (const std::string_view lead : {"a kind of ", "kind of ", "a type of ", "type of ",
                                        "species of ", "a species of ", "sort of ", "name of ",
                                        "title of ", "a ", "an ", "the "}) {
        if (startsWith(lower, lead)) return std::nullopt;
    }
    // Dictionary placeholders never occur in running text as written.
    for (const std::string_view word : {"one's", "someone", "something", "somebody", "sb", "sth",
                                        "etc", "e.g", "i.e"}) {
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
        const std::string folded = asciiLower(*key);
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
            const int score = 2 * pool.senses +
                              (source.back.strength(meaning, entry.spelling) == 2 ? 2 : 0);
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

std::vector<dict::DictRecord> layUnder(const std::vector<dict::DictRecord>& core,
                                       const std::vector<dict::DictRecord>& imported,
                                       Report* report) {
    Report local;
    Report& r = report ? *report : local;
    std::unordered_map<std::string, const dict::DictRecord*> byKey;
    for (const dict::DictRecord& rec : imported) {
        if (rec[dict::kWordEn]) byKey.try_emplace(asciiLower(*rec[dict::kWordEn]), &rec);
    }
    std::unordered_map<std::string, bool> inCore;
    std::vector<dict::DictRecord> merged;
    merged.reserve(core.size() + imported.size());
    r.coreHeadwords = core.size();
    for (const dict::DictRecord& rec : core) {
        dict::DictRecord out = rec;
        const std::string key = rec[dict::kWordEn] ? asciiLower(*rec[dict::kWordEn]) : "";
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
        const std::string key = rec[dict::kWordEn] ? asciiLower(*rec[dict::kWordEn]) : "";
        if (inCore.count(key) == 0) merged.push_back(rec);
    }
    return merged;
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
    if (coreHeadwords > 0) {
        out << "core: " << coreHeadwords << " headwords, " << coreShared
            << " also imported; fields added under the core: " << fieldsAddedToCore
            << ", imported fields the core overrides: " << fieldsLostToCore << "\n";
    }
}

}  // namespace dictimport
