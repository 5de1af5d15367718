// chrF and chrF++: the character (and word) n-gram F-score of a translation
// against a human one, computed exactly as sacreBLEU 2.x does
// (https://github.com/mjpost/sacrebleu, sacrebleu/metrics/chrf.py and
// sacrebleu/metrics/helpers.py, which are the reference definition):
//
// - character n-grams of orders 1 to charOrder over the code points of the
//   segment with its whitespace (Python's str.split() set) removed;
// - word n-grams of orders 1 to wordOrder over the segment split at
//   whitespace, where a word of two or more characters that ends with an
//   ASCII punctuation mark is cut before it, or else one that starts with one
//   is cut after it ("(hi)" gives "(hi" and ")");
// - for each order the hypothesis, reference and matched n-gram counts, the
//   hypothesis count taken as 0 where the reference has no n-gram of it;
// - for a corpus, those counts summed over the segments before the score;
// - the score: mean precision and mean recall over the orders that have
//   n-grams on both sides, F-beta of those, times 100 (or, with epsilon
//   smoothing, the mean F-beta of all orders with 1e-16 for an order that has
//   none).
//
// With several references a segment takes the counts of the reference whose
// own score is highest (the first of equals).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quality {

struct ChrfParams {
    int charOrder = 6;
    int wordOrder = 0;  // 2 for chrF++
    int beta = 2;
    bool whitespace = false;    // keep whitespace in character n-grams
    bool epsSmoothing = false;  // sacreBLEU's default is effective-order averaging

    int orders() const { return charOrder + wordOrder; }
};

// The defaults of sacreBLEU's chrF2 and chrF2++.
constexpr ChrfParams kChrf2{};
constexpr ChrfParams kChrf2pp{6, 2, 2, false, false};

// Three counts per order, character orders first: hypothesis n-grams,
// reference n-grams, matched n-grams.
using ChrfStats = std::vector<std::int64_t>;

// The n-grams of one reference segment, counted once and matched against any
// number of hypotheses.
class ChrfReference {
public:
    ChrfReference(std::string_view segment, const ChrfParams& params);

    // The counts of hypothesis against this reference.
    ChrfStats match(std::string_view hypothesis) const;

    // One map per order: n-gram (UTF-32, words joined by a space) -> count.
    using Counts = std::unordered_map<std::u32string, std::int64_t>;
    static std::vector<Counts> ngrams(std::string_view segment, const ChrfParams& params);

private:
    ChrfParams m_params;
    std::vector<Counts> m_ngrams;
    std::vector<std::int64_t> m_totals;
};

// The score (0 to 100) of counts summed over a segment or a corpus.
double chrfScore(const ChrfStats& stats, const ChrfParams& params);

// The counts of hypothesis against the best of references (see above).
ChrfStats chrfSegmentStats(std::string_view hypothesis, const std::vector<ChrfReference>& refs,
                           const ChrfParams& params);

// Adds stats into *total (an empty total takes them whole).
void addChrfStats(const ChrfStats& stats, ChrfStats* total);

// Corpus chrF of hypotheses against reference streams: references[k][i] is
// the k-th reference of hypothesis i (sacreBLEU's corpus_score layout).
double corpusChrf(const std::vector<std::string>& hypotheses,
                  const std::vector<std::vector<std::string>>& references,
                  const ChrfParams& params);

}  // namespace quality
