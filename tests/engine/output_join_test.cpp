// Joining output tokens: a space only between two Latin letters or digits,
// the same document however the tokens are handed to the joiner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/output_join.h"

namespace engine {
namespace {

using Tokens = std::vector<std::string>;

std::string joinAll(const Tokens& tokens) {
    TextList list;
    for (const std::string& t : tokens) list.append(t);
    std::string scratch;
    return std::string(OutputJoiner().join(list, &scratch));
}

TEST(OutputJoin, SpaceOnlyBetweenLatinLettersAndDigits) {
    struct Case {
        Tokens tokens;
        std::string joined;
    };
    const Case cases[] = {
        // Names and words left in English, numbers beside them.
        {{"Sara", "Danius"}, "Sara Danius"},
        {{"Buenos", "Aires"}, "Buenos Aires"},
        {{"a", "WiFi"}, "a WiFi"},
        {{"JAS", "39C", "Gripen"}, "JAS 39C Gripen"},
        {{"2017", "12"}, "2017 12"},
        {{"z", "Z", "0", "9", "a"}, "z Z 0 9 a"},
        // Accented Latin letters count, on either side.
        {{"café", "Zürich"}, "café Zürich"},
        {{"Łódź", "Nguyễn"}, "Łódź Nguyễn"},
        {{"Ÿ", "ǿ"}, "Ÿ ǿ"},              // the ends of Latin-1 and Latin Extended-B
        {{"e\u0301", "x"}, "e\u0301 x"},  // a combining accent ends a Latin word
        // Everything else joins as before.
        {{"บ้าน", "ใหญ่"}, "บ้านใหญ่"},
        {{"แมว", "and", "หมา"}, "แมวandหมา"},
        {{"2017", "ปี"}, "2017ปี"},
        {{"๒๕๖๗", "AD"}, "๒๕๖๗AD"},  // Thai digits are Thai
        {{"3", "×", "4"}, "3×4"},
        {{"Sara", " ไป"}, "Sara ไป"},  // a token's own space is not doubled
        {{"Sara", " Danius"}, "Sara Danius"},
        {{"Sara ", "Danius"}, "Sara Danius"},
        {{"Danius", "'", "s"}, "Danius's"},
        {{"COVID", "-", "19"}, "COVID-19"},
        {{"Sara", ".", "Danius"}, "Sara.Danius"},
        {{"Sara", "\r", "Danius"}, "Sara\rDanius"},
        {{"Sara", "\u00A0", "Danius"}, "Sara\u00A0Danius"},
        {{"Москва", "Moscow"}, "МоскваMoscow"},  // Cyrillic is not Latin
        {{"ab\xC3", "z"}, "ab\xC3z"},            // a cut character is no letter
        {{"\xA9", "x", "\xFF"}, "\xA9x\xFF"},
        // Empty tokens print nothing and stand between nothing.
        {{"Sara", "", "Danius"}, "Sara Danius"},
        {{"", "Sara", "", "", "Danius", ""}, "Sara Danius"},
        {{}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(joinAll(c.tokens), c.joined) << testing::PrintToString(c.tokens);
    }
}

TEST(OutputJoin, PiecesJoinedInTurnGiveTheWholeDocument) {
    // A stream hands the joiner the tokens a piece at a time, and a pair that
    // needs a space may fall on either side of any cut.
    const Tokens tokens = {"Sara", "",  "Danius", "แมว", "JAS", "39C", " ไป", "a",
                           "WiFi", ".", "\r",     "x",   "",    "y",   "บ้าน"};
    const std::string whole = joinAll(tokens);
    EXPECT_EQ(whole, "Sara DaniusแมวJAS 39C ไปa WiFi.\rx yบ้าน");
    for (std::size_t cut = 0; cut <= tokens.size(); ++cut) {
        for (std::size_t cut2 = cut; cut2 <= tokens.size(); ++cut2) {
            OutputJoiner joiner;
            std::string joined, scratch;
            for (const auto& [begin, end] : {std::pair{std::size_t{0}, cut}, std::pair{cut, cut2},
                                             std::pair{cut2, tokens.size()}}) {
                TextList piece;
                for (std::size_t k = begin; k < end; ++k) piece.append(tokens[k]);
                joined += joiner.join(piece, &scratch);
            }
            EXPECT_EQ(joined, whole) << "cut at " << cut << " and " << cut2;
        }
    }
    // Token by token, as the JSON writer asks.
    OutputJoiner joiner;
    std::string joined;
    for (const std::string& t : tokens) joined += (joiner.spaceBefore(t) ? " " : "") + t;
    EXPECT_EQ(joined, whole);
}

}  // namespace
}  // namespace engine
