// The regular inflected forms that the engine's suffix rules cannot bring
// back to their base word.
#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "dictionary/import/import.h"

namespace dictimport {

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

// Whether the verb is a causative (ทำให้สับสน "to puzzle"): its -ed form is
// the state it leaves, which Thai says with a word of its own ("puzzled" ->
// งุนงง), not with the verb.
bool causative(std::string_view verb) {
    constexpr std::string_view kMake = "ทำให้";
    return verb.substr(0, kMake.size()) == kMake;
}

// Calls change(record, its headword in lower case, find) for every record from
// `first` on, where find(word) gives the record of that headword or nullptr;
// returns for how many records change() returned true.
template <typename Change>
std::size_t changeForms(std::vector<dict::DictRecord>* records, std::size_t first, Change change) {
    std::unordered_map<std::string, std::size_t> byKey;
    for (std::size_t i = 0; i < records->size(); ++i) {
        const dict::FieldValue& w = (*records)[i][dict::kWordEn];
        if (w) byKey.try_emplace(dict::foldCase(*w), i);
    }
    const auto find = [&](const std::string& word) -> const dict::DictRecord* {
        const auto it = byKey.find(word);
        return it == byKey.end() ? nullptr : &(*records)[it->second];
    };
    std::size_t changed = 0;
    for (std::size_t i = first; i < records->size(); ++i) {
        dict::DictRecord& rec = (*records)[i];
        if (rec[dict::kWordEn] && change(rec, dict::foldCase(*rec[dict::kWordEn]), find)) ++changed;
    }
    return changed;
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

std::size_t readParticiplesAsVerbs(std::vector<dict::DictRecord>* records, std::size_t first) {
    return changeForms(records, first,
                       [](dict::DictRecord& rec, const std::string& key, auto find) {
                           std::size_t cut = 0;
                           if (key.size() >= 5 && key.compare(key.size() - 2, 2, "ed") == 0)
                               cut = 2;
                           if (key.size() >= 6 && key.compare(key.size() - 3, 3, "ing") == 0)
                               cut = 3;
                           if (cut == 0 || !filled(rec, dict::kWordAdj)) return false;
                           for (const int field : {dict::kWordNoun, dict::kWordVerb, dict::kWordAdv,
                                                   dict::kWordPP, dict::kWordConj}) {
                               if (filled(rec, field)) return false;  // not only an adjective
                           }
                           // The engine's rules: the word without the ending, else with "e" added.
                           const std::string stem = key.substr(0, key.size() - cut);
                           const dict::DictRecord* verb = find(stem);
                           if (!verb) verb = find(stem + "e");
                           if (!verb || !filled(*verb, dict::kWordVerb)) return false;
                           if (cut == 2 && causative(*(*verb)[dict::kWordVerb])) return false;
                           rec[dict::kWordVerb] = (*verb)[dict::kWordVerb];
                           rec[dict::kWordAdj].reset();
                           return true;
                       });
}

std::size_t readPluralsAsNouns(std::vector<dict::DictRecord>* records, std::size_t first) {
    return changeForms(records, first,
                       [](dict::DictRecord& rec, const std::string& key, auto find) {
                           // The engine's plural rule: a final "s" after more than one letter.
                           if (key.size() < 4 || key.back() != 's' || key[key.size() - 2] == '\'' ||
                               key[key.size() - 2] == 's' || !filled(rec, dict::kWordNoun))
                               return false;
                           const dict::DictRecord* noun = find(key.substr(0, key.size() - 1));
                           if (!noun || !filled(*noun, dict::kWordNoun) ||
                               *(*noun)[dict::kWordNoun] == *rec[dict::kWordNoun])
                               return false;
                           rec[dict::kWordNoun] = (*noun)[dict::kWordNoun];
                           return true;
                       });
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

}  // namespace dictimport
