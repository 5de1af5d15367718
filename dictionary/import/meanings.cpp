// Cleaning Thai meanings, telling usable ones from descriptions and damage,
// counting candidates in the source's Thai prose and choosing one meaning
// per field.
#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <tuple>
#include <unordered_map>

#include "dictionary/import/common.h"
#include "dictionary/import/import.h"
#include "dictionary/import/text.h"
#include "engine/utf8.h"

namespace dictimport {

namespace {

// Number of Thai characters that take their own place on the line.
std::size_t visibleLength(const std::vector<char32_t>& cps) {
    std::size_t n = 0;
    for (const char32_t cp : cps) {
        if (!isThaiCombining(cp) && cp != U' ') ++n;
    }
    return n;
}

// Texts that explain a word instead of translating it: inflected forms
// ("past form of ..."), abbreviations, labels of the part of speech, and the
// names of the letters ("the 20th consonant of English": a letter in the
// text stays the letter).
constexpr std::string_view kDescriptionParts[] = {
    "ภาษาอังกฤษตัวที่", "อังกฤษตัวที่",  "พยัญชนะตัว", "อักษรตัวแรก", "อักษรตัวที่",   "ในภาษาอังกฤษ",
    "ตัวอักษรดังกล่าว", "ช่องที่",      "กริยาช่อง",  "กิริยาช่อง",   "คำย่อ",      "ตัวย่อ",
    "ย่อมาจาก",      "รูปพหูพจน์",   "พหูพจน์ของ", "รูปอดีต",     "อดีตกาลของ", "คำอุทาน",
    "คำนำหน้า",      "คำสรรพนาม", "คำบุพบท",   "คำสันธาน",   "คำกริยา",    "คำกิริยา",
    "คำคุณศัพท์",      "คำวิเศษณ์",   "ของคำ",    "รูปของ",     "กริยาช่วย"};
constexpr std::string_view kDescriptionStarts[] = {
    "ใช้แสดง", "ใช้กับ",  "ใช้หลัง", "ใช้นำหน้า",  "ใช้ปฏิเสธ", "ใช้เมื่อ", "ใช้ใน",   "ใช้วาง",
    "ใช้เป็น",  "ใช้เพื่อ", "ใช้แทน", "เสียงแสดง", "คำแทน",   "คำที่",   "คำกล่าว", "คำร้อง"};

// Where "ซึ่ง" belongs to the word itself.
constexpr std::string_view kRelativeWords[] = {"ซึ่งหน้า", "ซึ่งกันและกัน"};

struct Candidate {
    std::string text;
    std::vector<char32_t> cps;
    std::size_t order = 0;
    int occurrences = 0;
    int usage = 0;
};

}  // namespace

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

std::string plainMeaning(std::string_view thai, int field) {
    struct Lead {
        std::string_view text;
        std::string_view adverb;  // what an adverb takes in its place
    };
    constexpr Lead kLeads[] = {{"ซึ่ง", "อย่าง"}, {"เกี่ยวกับ", "ทาง"}};
    const bool adverb = field == dict::kWordAdv;
    if (field != dict::kWordNoun && field != dict::kWordVerb && !adverb && field != dict::kWordAdj)
        return std::string(thai);
    for (const std::string_view word : kRelativeWords) {
        if (startsWith(thai, word)) return std::string(thai);
    }
    for (const Lead& lead : kLeads) {
        if (!startsWith(thai, lead.text)) continue;
        if (lead.text == "เกี่ยวกับ" && field == dict::kWordVerb) break;
        const std::string_view rest = thai.substr(lead.text.size());
        const std::vector<char32_t> cps = codePoints(rest);
        if (cps.empty() || isThaiCombining(cps.front()) || visibleLength(cps) < 2) break;
        return std::string(adverb ? lead.adverb : "") + std::string(rest);
    }
    return std::string(thai);
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

std::vector<std::string> candidateMeanings(const std::vector<std::string>& texts, int field,
                                           Report* report) {
    const bool idiom = field == dict::kWordIdiom || field == dict::kWordQuestion;
    std::vector<std::string> out;
    for (const std::string& raw : texts) {
        // Descriptions are judged on the whole text: their parts may look plain.
        const std::string whole = cleanMeaning(raw);
        const std::string reason = rejectReason(whole);
        if (!reason.empty()) {
            if (report) ++report->rejected[reason];
            continue;
        }
        if (idiom) {
            out.push_back(whole);
            continue;
        }
        // Word meanings: alternatives are joined by commas, slashes,
        // semicolons or spaces ("ประมูล ให้ราคา"); each is a candidate.
        for (const std::string& p : meaningPieces(whole)) out.push_back(plainMeaning(p, field));
    }
    return out;
}

std::string chooseMeaning(const std::vector<std::string>& sources, std::string_view headword,
                          int field, const BackMap& back, Report* report, const ThaiUsage* usage) {
    std::vector<Candidate> candidates;
    for (std::string& text : candidateMeanings(sources, field, report)) {
        const auto same = std::find_if(candidates.begin(), candidates.end(),
                                       [&](const Candidate& c) { return c.text == text; });
        if (same != candidates.end()) {
            ++same->occurrences;
            continue;
        }
        Candidate c;
        c.cps = codePoints(text);
        c.text = std::move(text);
        c.order = candidates.size();
        c.occurrences = 1;
        c.usage = usage ? usage->of(c.text) : 0;
        candidates.push_back(std::move(c));
    }
    if (candidates.empty()) return {};
    const std::string english = dict::foldCase(collapseSpaces(headword));
    const auto score = [&](const Candidate& c) {
        return std::make_tuple(-back.strength(c.text, english), -c.occurrences, -c.usage,
                               visibleLength(c.cps), c.order);
    };
    const auto best = std::min_element(
        candidates.begin(), candidates.end(),
        [&](const Candidate& a, const Candidate& b) { return score(a) < score(b); });
    return best->text;
}

ThaiUsage::ThaiUsage(std::string_view prose, const std::set<std::string>& words) {
    // A trie of the words' characters: walking it from every character of
    // the prose finds every word that starts there in a few steps.
    std::unordered_map<std::uint64_t, std::uint32_t> next;  // node << 21 | character -> node
    std::vector<const std::string*> wordAt(1, nullptr);     // node -> the word ending there
    const auto edge = [](std::uint32_t node, char32_t c) {
        return (std::uint64_t{node} << 21) | c;
    };
    for (const std::string& w : words) {
        if (w.empty() || w.size() > kLongest) continue;
        std::uint32_t node = 0;
        for (const char32_t c : codePoints(w)) {
            const auto [it, added] =
                next.try_emplace(edge(node, c), static_cast<std::uint32_t>(wordAt.size()));
            if (added) wordAt.push_back(nullptr);
            node = it->second;
        }
        wordAt[node] = &w;
    }
    std::vector<int> counts(wordAt.size(), 0);
    const std::vector<char32_t> text = codePoints(prose);
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t node = 0;
        for (std::size_t j = i; j < text.size(); ++j) {
            const auto it = next.find(edge(node, text[j]));
            if (it == next.end()) break;
            node = it->second;
            ++counts[node];
        }
    }
    for (std::size_t node = 0; node < wordAt.size(); ++node) {
        if (wordAt[node] && counts[node] > 0) m_counts.emplace(*wordAt[node], counts[node]);
    }
}

int ThaiUsage::of(std::string_view word) const {
    const auto it = m_counts.find(std::string(word));
    return it == m_counts.end() ? 0 : it->second;
}

}  // namespace dictimport
