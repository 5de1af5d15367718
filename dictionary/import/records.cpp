// Turning the senses of the sources into one record per headword, and the
// report of what an import took and left out.
#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "dictionary/import/common.h"
#include "dictionary/import/import.h"
#include "dictionary/import/text.h"

namespace dictimport {

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

    // The candidates of every field, counted in the source's Thai prose.
    std::set<std::string> candidates;
    if (!source.thaiProse.empty()) {
        for (const Entry& entry : entries) {
            for (const auto& [field, pool] : entry.fields) {
                std::vector<std::string> texts = candidateMeanings(pool.texts, field, nullptr);
                // Only a choice between two or more needs the counts.
                if (std::all_of(texts.begin(), texts.end(),
                                [&](const std::string& t) { return t == texts.front(); }))
                    continue;
                for (std::string& c : texts) candidates.insert(std::move(c));
            }
        }
    }
    const ThaiUsage usage(source.thaiProse, candidates);

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
            std::string meaning =
                chooseMeaning(pool.texts, entry.spelling, field, source.back, &r, &usage);
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
    if (pluralsAsNouns > 0)
        out << "plurals with a noun of their own, given their word's noun: " << pluralsAsNouns
            << "\n";
    if (participlesAsVerbs > 0)
        out << "-ed and -ing forms filed as adjectives, given their verb: " << participlesAsVerbs
            << "\n";
    if (coreHeadwords > 0) {
        out << "core: " << coreHeadwords << " headwords, " << coreShared
            << " also imported; fields added under the core: " << fieldsAddedToCore
            << ", imported fields the core overrides: " << fieldsLostToCore << "\n";
    }
}

}  // namespace dictimport
