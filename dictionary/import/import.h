// Importers for outside English-Thai word lists: they read the senses of a
// source (the thaidict JSON pair, the etlex distribution text, or a plain
// english<TAB>pos<TAB>thai list), choose one everyday Thai meaning per
// part-of-speech field of every headword, and lay the result under the
// hand-curated core so that the core always wins.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionary/store.h"

namespace dictimport {

// One sense of a source entry: the English headword as the source writes it,
// its part-of-speech tag, the main Thai equivalent and further equivalents.
struct Sense {
    std::string english;
    std::string tag;
    std::string thai;
    std::vector<std::string> more;
    // Taken from the Thai->English side turned round: used only for headwords
    // that the English->Thai side lacks.
    bool reversed = false;
};

// The Thai->English side of a source: which English words a Thai word is
// given for. Used to prefer meanings that map back to the headword.
class BackMap final {
public:
    // Records that `thai` translates `english` (folded to lower case, a
    // leading "be " or "to " dropped, so "be white" counts for "white");
    // `primary` when it is the main equivalent, not one of the alternatives.
    void add(std::string_view thai, std::string_view english, bool primary = true);

    // 2 when `thai` was recorded as the main equivalent of the headword
    // `english` (any case), 1 as an alternative, 0 not at all.
    int strength(std::string_view thai, std::string_view english) const;
    bool mapsTo(std::string_view thai, std::string_view english) const {
        return strength(thai, english) > 0;
    }

    std::size_t size() const { return m_map.size(); }

private:
    std::unordered_map<std::string, std::map<std::string, int>> m_map;
};

// How often candidate meanings occur in the Thai prose of a source (its
// example sentences and definitions): the word a Thai writer uses turns up
// there far more often than a rare synonym, and an explanation hardly ever.
class ThaiUsage final {
public:
    ThaiUsage() = default;
    // Counts each of `words` in `prose`; words longer than kLongest bytes,
    // explanations rather than words, count 0.
    ThaiUsage(std::string_view prose, const std::set<std::string>& words);

    // The count of a word given to the constructor, 0 for any other.
    int of(std::string_view word) const;

    static constexpr std::size_t kLongest = 60;

private:
    std::unordered_map<std::string, int> m_counts;
};

// Everything read from the sources of one import.
struct Source {
    std::vector<Sense> senses;
    BackMap back;
    std::string thaiProse;        // example sentences and definitions, one a line
    std::size_t recordsRead = 0;  // records or rows read from all files
};

enum class Format { kThaidict, kEtlex, kTsv };

// The format named on the command line ("thaidict", "etlex", "tsv").
std::optional<Format> parseFormat(std::string_view name);

// Reads one source file of the given format into `source`, adding to what it
// holds. For thaidict and etlex the file's content tells the English->Thai
// side from the Thai->English side. Returns false with `error` set when the
// file cannot be read or parsed.
bool readSource(Format format, const std::string& path, Source* source, std::string* error);

// Same readers over text already in memory (tests, fixtures).
bool readThaidictJson(std::string_view text, Source* source, std::string* error);
bool readEtlex(std::string_view text, Source* source, std::string* error);
bool readTsv(std::string_view text, Source* source, std::string* error);
// A TSV whose rows give English words for Thai ones (english, pos, thai):
// only filled into the back map.
bool readBackTsv(std::string_view text, Source* source, std::string* error);

// The record field a source tag files its sense under, kSkip for tags left
// out (prefixes, suffixes, slang, unknown), or kFallback for interjections,
// which are used (as adverbs) only by headwords that have no other sense.
constexpr int kSkip = -1;
constexpr int kFallback = -2;
int fieldForTag(std::string_view tag);

// The headword in the form the engine's phrase matching builds its keys in
// ("well-known" -> "well known", "don't" -> "don ' t"), or nullopt when the
// engine can never match it (punctuation, non-ASCII letters, more words than
// the phrase matcher reaches). Idioms, matched as whole phrases, may be long.
std::optional<std::string> engineHeadword(std::string_view english, bool idiom);

// The headword form of an English gloss of the Thai->English side, or nullopt
// for glosses that are descriptions ("a kind of ...") or hold placeholders
// ("one's", "someone") that running text never contains.
std::optional<std::string> reversedHeadword(std::string_view gloss);

// What the English->Thai side gives for a one-word headword: its Thai texts
// and how many of its senses are nouns and verbs.
struct KnownWord {
    std::vector<std::string> meanings;
    int nounSenses = 0;
    int verbSenses = 0;
};
// One-word English headwords (lower case) of the English->Thai side.
using KnownWords = std::unordered_map<std::string, KnownWord>;

// Whether an English->Thai sense of several words ending in a preposition
// ("fish for", "shop on") is left out: the greedy phrase matcher would take it
// wherever the words merely meet, so it is dropped when its first word is
// mostly a noun or its Thai `thai` does not carry a meaning of that word (an
// idiom, wrong in literal text). The core lists the phrases it wants.
bool idiomaticPhrasal(std::string_view tag, std::string_view key, std::string_view thai,
                      const KnownWords& known);

// Whether a gloss of the Thai->English side, taken as a headword for the Thai
// text `thai`, reads as well word by word and is left out: several words that
// are all `known` while `thai` contains none of their meanings (a rare word
// for the whole: "young woman" -> มาณวิกา), or the plural "-s" of a known
// word ("friends"), which the stem rule reduces.
bool readsLiterally(std::string_view key, std::string_view thai, const KnownWords& known);

// Why a Thai text is no usable meaning, or empty when it is usable. Checks
// the text after cleanMeaning().
std::string rejectReason(std::string_view thai);

// The text with usage labels in parentheses or brackets removed and spaces
// trimmed and collapsed.
std::string cleanMeaning(std::string_view thai);

// A word meaning of `field` without the words that make it a definition: a
// relative "ซึ่ง" ("which is": ซึ่งมองไม่เห็น -> มองไม่เห็น) or an "about"
// (เกี่ยวกับ: เกี่ยวกับวรรณคดี -> วรรณคดี, the noun a Thai compound puts after the
// head) at its start, where an adverb takes the adverb's อย่าง or ทาง instead
// (ซึ่งโอ้อวด -> อย่างโอ้อวด). Prepositions and conjunctions keep theirs ("about"
// is เกี่ยวกับ), and so does a text that would keep less than a word.
std::string plainMeaning(std::string_view thai, int field);

// Counts of what an import took, merged and rejected.
struct Report {
    std::size_t recordsRead = 0;
    std::size_t sensesTaken = 0;
    std::size_t headwords = 0;          // records written
    std::size_t reversedHeadwords = 0;  // of them, from the Thai->English side only
    std::size_t fieldsFilled = 0;
    std::size_t caseMerged = 0;                   // senses of a headword spelt in another case
    std::map<std::string, std::size_t> rejected;  // reason -> senses or candidates
    std::map<std::string, std::size_t> tagsLeftOut;
    // Filled by layUnder().
    std::size_t coreHeadwords = 0;
    std::size_t coreShared = 0;  // imported headwords the core also has
    std::size_t fieldsAddedToCore = 0;
    std::size_t fieldsLostToCore = 0;
    std::size_t formsAdded = 0;          // regular inflected forms added by addRegularForms()
    std::size_t pluralsAsNouns = 0;      // plurals given their noun by readPluralsAsNouns()
    std::size_t participlesAsVerbs = 0;  // forms given their verb by readParticiplesAsVerbs()

    // Writes the counts as readable lines.
    void print(std::ostream& out) const;
};

// Turns the senses into one record per headword (headwords differing only in
// letter case merge, the first spelling seen is kept), choosing one meaning
// per field. The reordering rules use a word's first filled field only, so
// the field with the most senses (a meaning that maps back counting one
// more) is the word's class, and fields ranking before it are left out: a
// word that is mostly an adjective does not carry a stray noun meaning.
// Records come out in source order of their first sense.
std::vector<dict::DictRecord> buildRecords(const Source& source, Report* report);

// The meaning chosen for one field from candidate texts (source order), the
// headword they belong to and the back map; empty when none is usable.
// Meanings that map back come first, then those given by more senses, then
// those the Thai prose of the source uses most, then the shorter.
std::string chooseMeaning(const std::vector<std::string>& candidates, std::string_view headword,
                          int field, const BackMap& back, Report* report,
                          const ThaiUsage* usage = nullptr);

// The candidate meanings chooseMeaning() weighs for one field's texts: each
// usable text whole (phrase fields) or split into its alternatives, once per
// text that gives it; rejected texts are counted in `report`.
std::vector<std::string> candidateMeanings(const std::vector<std::string>& texts, int field,
                                           Report* report);

// How an inflected form takes its base word's meanings: all of them (a
// plural or third person), or all but the noun (a past or -ing form).
enum class FormKind { kWhole, kVerb };

// The regular inflected forms of a lower-case word that the engine's suffix
// rules cannot bring back to it: "-es"/"-ies" (boxes, cities) for a noun or
// verb; for a verb the doubled-letter past and -ing forms (stopped,
// stopping), "-ied" (studied) and "-ying" after "ie" (dying); and, for a verb
// the rules read as a noun because its noun comes first, its past and -ing
// forms (marched, landing).
std::vector<std::pair<std::string, FormKind>> regularForms(std::string_view base, bool noun,
                                                           bool verb, bool verbFiledAsNoun);

// Gives every form in "-ed" or "-ing" from `first` on that is filed only as
// an adjective the verb meaning of the base word the engine's suffix rules
// find for it (added -> add, working -> work): such a form is mostly the
// verb in running text, where an adjective would be held after the noun
// that follows it ("received awards"), and its adjective sense is mostly a
// gloss of the verb or a rarer sense (decided -> เห็นชัด). A past form of a
// causative verb keeps its adjective: it names the state the verb leaves
// (puzzled -> งุนงง, not ทำให้สับสน). Returns how many were changed.
std::size_t readParticiplesAsVerbs(std::vector<dict::DictRecord>* records, std::size_t first);

// Gives every plural in "-s" from `first` on that has a noun meaning of its
// own the noun meaning of the word the engine's plural rule would reduce it
// to (minutes -> นาที rather than รายงานการประชุม, lights -> แสง rather than
// ปอดของสัตว์): the plural of the everyday sense is far more frequent than the
// sense only the plural has. Returns how many were changed.
std::size_t readPluralsAsNouns(std::vector<dict::DictRecord>* records, std::size_t first);

// Appends a record for every regular form of regularForms() that no record
// holds, with the meanings its kind takes from the base word; returns how
// many were added.
std::size_t addRegularForms(std::vector<dict::DictRecord>* records);

// Lays the imported records under the core: the core wins field by field.
// Headwords the core lacks are taken whole. For a headword the core has, a
// field is taken from the import only where the core leaves it absent and it
// ranks below the core's first non-empty field, so the class the core chose
// for the word (its first filled field decides it) never changes, and a core
// word whose meanings are all empty (a word Thai leaves out) gains nothing.
// An imported headword of everyday words whose Thai carries a meaning of none
// of them is left out: two core words read as a noun or an adjective ("good
// book" -> พระคัมภีร์ไบเบิล), or two or three read as a verb, an adverb, a
// preposition, a conjunction or an idiom ("come to" -> รู้สึกตัว). The phrase
// matcher would take it wherever the words meet, so the core lists the
// phrases it wants (ice cream, right away). So is a phrase the matcher can
// never reach, its first word no headword and shortened by the stem rules
// ("frying pan" is looked for as "fry pan").
// Returns the merged dictionary: the core's records first, in their order,
// then the imported headwords the core lacks, then the regular forms that
// addRegularForms() adds.
std::vector<dict::DictRecord> layUnder(const std::vector<dict::DictRecord>& core,
                                       const std::vector<dict::DictRecord>& imported,
                                       Report* report);

}  // namespace dictimport
