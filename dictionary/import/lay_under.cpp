// Laying the imported records under the core: the core wins field by field.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "dictionary/import/common.h"
#include "dictionary/import/import.h"
#include "engine/text.h"

namespace dictimport {

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

// Whether an imported headword is everyday words read as one opaque whole
// whose Thai carries no meaning of any of them, so the greedy phrase matcher
// would replace good words wherever they merely meet. Two kinds:
// - two core words read as a noun or an adjective, the first of them no core
//   noun (two nouns mostly make a true compound: city hall, coconut milk):
//   "good book" -> พระคัมภีร์ไบเบิล;
// - two or three core words read as a verb, an adverb, a preposition, a
//   conjunction or an idiom: "come to" -> รู้สึกตัว, "put in" -> เลือกตั้ง,
//   "make it" -> มีเพศสัมพันธ์, where running text means the words.
// The core lists the phrases the text needs (ice cream, right away) and never
// reaches this test.
bool opaquePhrase(const dict::DictRecord& rec,
                  const std::unordered_map<std::string, const dict::DictRecord*>& core,
                  const std::unordered_map<std::string, const dict::DictRecord*>& imported) {
    const std::vector<std::string> w = words(dict::foldCase(rec[dict::kWordEn].value_or("")));
    int classField = -1;
    for (const int field : kRuleOrder) {
        if (rec[field] && !rec[field]->empty()) {
            classField = field;
            break;
        }
    }
    if (classField < 0) return false;
    const bool compound = classField == dict::kWordNoun || classField == dict::kWordAdj;
    if (w.size() < 2 || w.size() > (compound ? 2u : 3u)) return false;
    std::vector<std::string> meanings;
    for (const std::string& word : w) {
        const auto c = core.find(word);
        if (c == core.end()) return false;
        const dict::FieldValue& noun = (*c->second)[dict::kWordNoun];
        if (compound && &word == &w.front() && noun && !noun->empty()) return false;
        collectMeanings(c->second, &meanings);
        const auto i = imported.find(word);
        collectMeanings(i == imported.end() ? nullptr : i->second, &meanings);
    }
    const std::string& thai = *rec[classField];
    return std::none_of(meanings.begin(), meanings.end(),
                        [&](const std::string& m) { return contains(thai, m); });
}

// Leaves out the records from `first` on that the phrase matcher can never
// reach: several words whose first word is no headword and is shortened by the
// stem rules before the words after it are tried ("frying pan" is looked for as
// "fry pan"). Records matched as whole phrases only (questions, idioms) stay.
// Returns how many were left out.
std::size_t leaveOutUnreachable(std::vector<dict::DictRecord>* records, std::size_t first) {
    std::unordered_set<std::string> keys;
    for (const dict::DictRecord& rec : *records)
        if (rec[dict::kWordEn]) keys.insert(dict::foldCase(*rec[dict::kWordEn]));
    const auto unreachable = [&](const dict::DictRecord& rec) {
        const std::vector<std::string> w = words(dict::foldCase(rec[dict::kWordEn].value_or("")));
        if (w.size() < 2 || keys.count(w.front()) > 0 || engine::stemEnding(w.front()) == engine::StemEnding::kNone)
            return false;
        for (const int field : kRuleOrder) {
            const bool phraseField = field == dict::kWordQuestion || field == dict::kWordIdiom;
            if (!phraseField && rec[field]) return true;
        }
        return false;
    };
    const auto from = records->begin() + static_cast<std::ptrdiff_t>(first);
    const auto end = std::remove_if(from, records->end(), unreachable);
    const auto n = static_cast<std::size_t>(records->end() - end);
    records->erase(end, records->end());
    return n;
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
        if (opaquePhrase(rec, coreByKey, byKey)) {
            ++r.rejected["everyday words whose Thai carries none of them"];
            continue;
        }
        merged.push_back(rec);
    }
    r.participlesAsVerbs = readParticiplesAsVerbs(&merged, core.size());
    r.pluralsAsNouns = readPluralsAsNouns(&merged, core.size());
    r.formsAdded = addRegularForms(&merged);
    if (const std::size_t n = leaveOutUnreachable(&merged, core.size()))
        r.rejected["phrase whose first word the stem rules shorten"] += n;
    return merged;
}

}  // namespace dictimport
