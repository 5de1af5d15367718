// What the import's steps share: the meaning fields in the order the
// reordering rules test them, small text tests, the words of a key and the
// usable pieces of a Thai meaning. Private to the importers.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/record.h"

namespace dictimport {

// The meaning fields in the order the reordering rules test them.
constexpr std::array<int, 8> kRuleOrder = {dict::kWordNoun,     dict::kWordVerb, dict::kWordAdv,
                                           dict::kWordAdj,      dict::kWordPP,   dict::kWordConj,
                                           dict::kWordQuestion, dict::kWordIdiom};

// Position of a field in kRuleOrder; past the end for the headword and the
// reading, which the rules never test.
inline int rank(int field) {
    const auto it = std::find(kRuleOrder.begin(), kRuleOrder.end(), field);
    return static_cast<int>(it - kRuleOrder.begin());
}

inline bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The words of a key, cut at spaces; runs of spaces make no empty word.
std::vector<std::string> words(std::string_view key);

// The usable alternatives of a Thai text, split at commas, slashes,
// semicolons and spaces; pieces of one visible letter are left out.
std::vector<std::string> meaningPieces(std::string_view raw);

}  // namespace dictimport
