// The English of posts and speech as the translator meets it: a contraction before
// an adverb or "gonna", "I" before an adverb of talk, chat spellings, "so" before an
// adjective, and the short words of talk, none of which may cut a longer everyday word.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/data/bundled_dictionary.h"

namespace {

using datatest::bundled;
using datatest::translate;

struct TalkCase {
    const char* name;
    const char* english;
    const char* thai;     // a run of the Thai document
    const char* notThai;  // Thai or English that must not appear, or nullptr
};

void PrintTo(const TalkCase& c, std::ostream* os) { *os << c.english; }

class TalkInText : public ::testing::TestWithParam<TalkCase> {};

TEST_P(TalkInText, ReadsAsSaid) {
    const TalkCase& c = GetParam();
    ASSERT_NE(bundled(), nullptr) << "cannot open " << VANTREL_DICTIONARY;
    const std::string thai = translate(c.english);
    EXPECT_NE(thai.find(c.thai), std::string::npos) << c.english << " -> " << thai;
    if (c.notThai) {
        EXPECT_EQ(thai.find(c.notThai), std::string::npos) << c.english << " -> " << thai;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CoreLists, TalkInText,
    ::testing::Values(
        // "I" before an adverb is no lone English letter.
        TalkCase{"IBeforeAdverb", "I probably should go.", "ฉันน่าจะ", "I"},
        // A contraction before "gonna" or an adverb says no เป็น.
        TalkCase{"ContractionGonna", "We're gonna win.", "เราจะ", "เป็น"},
        TalkCase{"ContractionStill", "I'm still here.", "ฉันยังคง", "เป็น"},
        TalkCase{"WhatImGoingToDo", "That is what I'm going to do.", "สิ่งที่ฉันจะ", "อะไร"},
        // y'all is one word, not the letter y and "all".
        TalkCase{"Yall", "Thanks, y'all.", "ทุกคน", "ทั้งหมด"},
        // Chat abbreviations.
        TalkCase{"ChatAbbreviation", "It is fine tbh.", "พูดตรงๆ", "tbh"},
        // "so" before an adjective intensifies it; "so that's" is no "so that".
        TalkCase{"SoBeforeAdjective", "The food was so good.", "ดีมาก", "ดังนั้น"},
        TalkCase{"SoThatIs", "So that's the plan.", "นั่นคือ", "เพื่อให้"},
        // "so" opening a clause reads ก็เลย after its subject, a contraction included.
        TalkCase{"SoOpeningClause", "So I went home.", "ฉันก็เลยกลับบ้าน", "ดังนั้น"},
        TalkCase{"SoBeforeContraction", "So I'm going to fix it.", "ฉันก็เลยจะ", "m"},
        // The rest of a contraction after a phrase that took its subject says nothing.
        TalkCase{"ContractionAfterPhrase", "Then we're done.", "แล้วเราก็", "อีกครั้ง"},
        // "liked" is the verb, not the adjective "alike".
        TalkCase{"Liked", "She really liked the video.", "ชอบมาก", "เหมือน"},
        // A short word of talk never cuts a longer everyday word after the stem
        // rules: "improved" is no "improv" + ed, "one-third" no "another one".
        TalkCase{"NoCutPastForm", "The road was improved.", "ปรับปรุง", "การแสดง"},
        TalkCase{"NoCutFraction", "Another one-third went home.", "หนึ่งในสาม", "อีกอัน"}),
    [](const ::testing::TestParamInfo<TalkCase>& info) { return std::string(info.param.name); });

}  // namespace
