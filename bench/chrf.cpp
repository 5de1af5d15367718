#include "bench/chrf.h"

#include <algorithm>

namespace quality {
namespace {

// The code points of UTF-8 text; an invalid byte stands for U+FFFD.
std::u32string decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int length = b < 0x80           ? 1
                     : (b >> 5) == 0x6  ? 2
                     : (b >> 4) == 0xE  ? 3
                     : (b >> 3) == 0x1E ? 4
                                        : 0;
        char32_t cp = length == 1   ? b
                      : length == 2 ? (b & 0x1F)
                      : length == 3 ? (b & 0x0F)
                                    : (b & 0x07);
        for (int k = 1; k < length; ++k) {
            const std::size_t at = i + static_cast<std::size_t>(k);
            if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
                length = 0;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(text[at]) & 0x3F);
        }
        if (length == 0) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(length);
    }
    return out;
}

// The characters Python's str.split() cuts at (str.isspace()).
bool isSpace(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || (c >= 0x1C && c <= 0x20) || c == 0x85 || c == 0xA0 ||
           c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

// Python's string.punctuation.
bool isPunctuation(char32_t c) {
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}

std::vector<std::u32string> splitWords(const std::u32string& text) {
    std::vector<std::u32string> words;
    std::u32string word;
    for (const char32_t c : text) {
        if (!isSpace(c)) {
            word.push_back(c);
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

// The words of chrF++: punctuation cut off one end of each word.
std::vector<std::u32string> chrfWords(const std::u32string& text) {
    std::vector<std::u32string> out;
    for (std::u32string& w : splitWords(text)) {
        if (w.size() == 1) {
            out.push_back(std::move(w));
        } else if (isPunctuation(w.back())) {
            out.push_back(w.substr(0, w.size() - 1));
            out.push_back(w.substr(w.size() - 1));
        } else if (isPunctuation(w.front())) {
            out.push_back(w.substr(0, 1));
            out.push_back(w.substr(1));
        } else {
            out.push_back(std::move(w));
        }
    }
    return out;
}

}  // namespace

std::vector<ChrfReference::Counts> ChrfReference::ngrams(std::string_view segment,
                                                         const ChrfParams& params) {
    std::vector<Counts> out(static_cast<std::size_t>(params.orders()));
    std::u32string text = decode(segment);
    std::u32string chars = text;
    if (!params.whitespace) std::erase_if(chars, isSpace);
    for (int n = 1; n <= params.charOrder; ++n) {
        Counts& counts = out[static_cast<std::size_t>(n - 1)];
        const auto len = static_cast<std::size_t>(n);
        for (std::size_t i = 0; i + len <= chars.size(); ++i) ++counts[chars.substr(i, len)];
    }
    if (params.wordOrder > 0) {
        const std::vector<std::u32string> words = chrfWords(text);
        for (int n = 1; n <= params.wordOrder; ++n) {
            Counts& counts = out[static_cast<std::size_t>(params.charOrder + n - 1)];
            const auto len = static_cast<std::size_t>(n);
            for (std::size_t i = 0; i + len <= words.size(); ++i) {
                std::u32string gram = words[i];
                for (std::size_t k = 1; k < len; ++k) gram.append(1, U' ').append(words[i + k]);
                ++counts[gram];
            }
        }
    }
    return out;
}

ChrfReference::ChrfReference(std::string_view segment, const ChrfParams& params)
    : m_params(params), m_ngrams(ngrams(segment, params)) {
    for (const Counts& counts : m_ngrams) {
        std::int64_t total = 0;
        for (const auto& [gram, n] : counts) total += n;
        m_totals.push_back(total);
    }
}

ChrfStats ChrfReference::match(std::string_view hypothesis) const {
    const std::vector<Counts> hyp = ngrams(hypothesis, m_params);
    ChrfStats stats;
    stats.reserve(3 * hyp.size());
    for (std::size_t order = 0; order < hyp.size(); ++order) {
        const Counts& ref = m_ngrams[order];
        std::int64_t hypCount = 0, matched = 0;
        for (const auto& [gram, n] : hyp[order]) {
            hypCount += n;
            if (const auto it = ref.find(gram); it != ref.end()) matched += std::min(n, it->second);
        }
        // No hit is counted for an order the reference has no n-gram of.
        stats.push_back(ref.empty() ? 0 : hypCount);
        stats.push_back(m_totals[order]);
        stats.push_back(matched);
    }
    return stats;
}

double chrfScore(const ChrfStats& stats, const ChrfParams& params) {
    constexpr double kEps = 1e-16;
    const double factor = double(params.beta) * double(params.beta);
    double score = 0.0, avgPrec = 0.0, avgRec = 0.0;
    int effectiveOrder = 0;
    for (int i = 0; i < params.orders(); ++i) {
        const auto at = static_cast<std::size_t>(3 * i);
        const std::int64_t hyp = at + 2 < stats.size() ? stats[at] : 0;
        const std::int64_t ref = at + 2 < stats.size() ? stats[at + 1] : 0;
        const std::int64_t matched = at + 2 < stats.size() ? stats[at + 2] : 0;
        const double prec = hyp > 0 ? double(matched) / double(hyp) : kEps;
        const double rec = ref > 0 ? double(matched) / double(ref) : kEps;
        const double denom = factor * prec + rec;
        score += denom > 0 ? (1 + factor) * prec * rec / denom : kEps;
        if (hyp > 0 && ref > 0) {
            avgPrec += prec;
            avgRec += rec;
            ++effectiveOrder;
        }
    }
    if (params.epsSmoothing) return 100 * score / params.orders();
    if (effectiveOrder == 0) {
        avgPrec = avgRec = 0.0;
    } else {
        avgPrec /= effectiveOrder;
        avgRec /= effectiveOrder;
    }
    if (avgPrec + avgRec == 0.0) return 0.0;
    return 100 * ((1 + factor) * avgPrec * avgRec / (factor * avgPrec + avgRec));
}

ChrfStats chrfSegmentStats(std::string_view hypothesis, const std::vector<ChrfReference>& refs,
                           const ChrfParams& params) {
    ChrfStats best;
    double bestScore = -1.0;
    for (const ChrfReference& ref : refs) {
        ChrfStats stats = ref.match(hypothesis);
        const double score = chrfScore(stats, params);
        if (score > bestScore) {
            bestScore = score;
            best = std::move(stats);
        }
    }
    return best;
}

void addChrfStats(const ChrfStats& stats, ChrfStats* total) {
    if (total->size() < stats.size()) total->resize(stats.size(), 0);
    for (std::size_t i = 0; i < stats.size(); ++i) (*total)[i] += stats[i];
}

double corpusChrf(const std::vector<std::string>& hypotheses,
                  const std::vector<std::vector<std::string>>& references,
                  const ChrfParams& params) {
    ChrfStats total;
    for (std::size_t i = 0; i < hypotheses.size(); ++i) {
        std::vector<ChrfReference> refs;
        for (const std::vector<std::string>& stream : references) {
            if (i < stream.size()) refs.emplace_back(stream[i], params);
        }
        addChrfStats(chrfSegmentStats(hypotheses[i], refs, params), &total);
    }
    return chrfScore(total, params);
}

}  // namespace quality
