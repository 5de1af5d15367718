// Laying the imported records under the core: the core wins field by field.
#include <algorithm>
#include <unordered_map>

#include "dictionary/import/common.h"
#include "dictionary/import/import.h"

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
    r.participlesAsVerbs = readParticiplesAsVerbs(&merged, core.size());
    r.pluralsAsNouns = readPluralsAsNouns(&merged, core.size());
    r.formsAdded = addRegularForms(&merged);
    return merged;
}

}  // namespace dictimport
