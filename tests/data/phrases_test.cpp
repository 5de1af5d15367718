// The multi-word expressions of the core word lists as the translator meets them
// in running text: each kind (a phrasal verb in a form the dictionary holds, a
// past form it lacks, a time expression, a preposition of several words, a
// quantity held after its noun, a question opener, the perfect, a passive, a relative
// or complement clause, a verb with its object before "to", a measure, rate or
// age of everyday sums) is
// found whole and printed where its label puts it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/data/bundled_dictionary.h"

namespace {

using datatest::bundled;
using datatest::translate;

struct Case {
    const char* name;
    const char* english;
    const char* thai;       // a run of the Thai document
    const char* notThai;    // Thai that must not appear (word by word), or nullptr
    bool needsImport;       // the form is a headword of the imported word list only
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.english; }

// "carried" is one of the forms the import spells out for the words it takes.
bool hasImportedWords() { return bundled()->find("carried") != nullptr; }

class PhraseInText : public ::testing::TestWithParam<Case> {};

TEST_P(PhraseInText, IsTranslatedWhole) {
    const Case& c = GetParam();
    ASSERT_NE(bundled(), nullptr) << "cannot open " << VANTREL_DICTIONARY;
    if (c.needsImport && !hasImportedWords()) GTEST_SKIP() << "built from the core alone";
    const std::string thai = translate(c.english);
    EXPECT_NE(thai.find(c.thai), std::string::npos) << c.english << " -> " << thai;
    if (c.notThai) {
        EXPECT_EQ(thai.find(c.notThai), std::string::npos) << c.english << " -> " << thai;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CoreLists, PhraseInText,
    ::testing::Values(
        // A phrasal verb whose past form is a headword of its own.
        Case{"PastFormOfItsOwn", "The company carried out the plan.", "ดำเนินการแผน", "ถือ", true},
        // A past form the dictionary lacks is matched from the reduced word.
        Case{"PastFormReduced", "The song was followed by a second one.", "ตามด้วย", nullptr, false},
        // Time expressions: a year, late in a year, a decade written with a hyphen.
        Case{"Year", "They set up a school in 1950.", "จัดตั้งโรงเรียนในปี 1950", nullptr, false},
        Case{"LateInAYear", "Prices rose in late 2017.", "ปลายปี 2017", "สาย", false},
        Case{"DecadeWithHyphen", "The band was popular in the mid-1990s.", "กลางทศวรรษ 1990", nullptr, false},
        Case{"Century", "It was built in the 19th century.", "ศตวรรษที่ 19", nullptr, false},
        // A preposition of several words prints in place, before its noun.
        Case{"PrepositionInPlace", "According to the police, the road is closed.", "ตามตำรวจ", nullptr, false},
        // A quantity labelled Adj follows the noun after it.
        Case{"QuantityAfterNoun", "A large number of people came.", "คนจำนวนมาก", nullptr, false},
        Case{"SuperlativeAfterNoun", "It is the most important thing.", "สิ่งสำคัญที่สุด", nullptr, false},
        // A question opener gives the question word without the helping verb.
        Case{"QuestionOpener", "When did the war end?", "เมื่อใด", "ทำ", false},
        // The perfect and the passive say no มี and no เป็น.
        Case{"Perfect", "He has described the plan.", "ได้อธิบาย", "มี", false},
        Case{"Passive", "Five people were killed.", "ถูกสังหาร", "เป็น", false},
        // A verb before "to" labelled Adv prints in place, with no gap before the verb.
        Case{"HelpingVerbInPlace", "He decided to go home.", "ตัดสินใจกลับบ้าน", nullptr, false},
        // Relative clauses read ที่, with the noun before "who" printed first.
        Case{"RelativeWhoAfterNoun", "The players who won were happy.", "ผู้เล่นที่", "ใคร", false},
        Case{"RelativeWhoBeforeHelpingVerb", "Venezuelans who have lived here.", "เวเนซุเอลาที่", "ใคร", true},
        Case{"RelativeThatAfterPronoun", "It is something that you said.", "บางสิ่งที่คุณ", "นั้น", false},
        Case{"WhatOpeningAClause", "This is what we need.", "สิ่งที่เรา", "อะไร", false},
        // A question keeps its question word.
        Case{"WhoQuestionKept", "Who is the president of France?", "ใคร", nullptr, false},
        // Complement clauses read ว่า, never the demonstrative นั้น.
        Case{"ThatAfterVerb", "She noticed that the door was open.", "สังเกตว่า", "นั้น", true},
        Case{"ThatAfterAdjective", "It is clear that he lied.", "ชัดเจนว่า", "นั้น", false},
        Case{"ThatAfterNoun", "The problem is that it is late.", "ปัญหาคือ", "นั้น", false},
        // A verb with its object before "to" puts ให้ between them.
        Case{"ObjectBeforeTo", "She asked him to stay.", "ขอให้เขา", nullptr, true},
        // A passive of everyday prose says no เป็น.
        Case{"PassiveMadeOf", "The table is made of wood.", "ทำจาก", "เป็น", false},
        // A later verb of the phrase is set off by a space.
        Case{"LaterVerbSpaced", "They carried out tests and set up a lab.", " จัดตั้ง", nullptr, true},
        // A measure before "of" in the plural, keyed by its stem, says no ของ.
        Case{"PluralMeasureOf", "She drank 3 cups of tea.", "3ถ้วยชา", "ของ", true},
        // A rate prints beside its number; an age is no "old" thing.
        Case{"RatePerWeek", "He runs 3 days a week.", "3วันต่อสัปดาห์", nullptr, false},
        Case{"AgeInYears", "She is 10 years old.", "10ปี", "เก่า", false},
        Case{"AgeWithHyphens", "He has a 5-year-old son.", "5-ปี", "เก่า", false},
        // "ago" after a number counts back that many, not "many".
        Case{"AgoAfterNumber", "He moved here 5 years ago.", "5ปีก่อน", "หลาย", false},
        Case{"WhatIsLeft", "How many apples are left?", "เหลืออยู่", "ทิ้ง", false},
        // Terms of reports and guides read as one term: after an article that is
        // printed before a verb, across a hyphen, as an adjective held after its
        // noun, from a plural the rules would reduce, and after "US" read as a name.
        Case{"TermAfterArticle", "He held a press conference.", "การแถลงข่าว", "a", false},
        // "the press" is a headword of its own and must not cut the longer term.
        Case{"TermPastShorterHeadword", "They left after the press conference.", "การแถลงข่าว", "สื่อมวลชน", false},
        Case{"TermWithHyphen", "It is a naturally-occurring gas.", "ที่เกิดขึ้นตามธรรมชาติ", nullptr, false},
        Case{"TermHeldAfterNoun", "It helps low-income countries.", "ประเทศรายได้น้อย", nullptr, false},
        Case{"TermFromReducedWord", "It moved at 20 kilometres an hour.", "กิโลเมตรต่อชั่วโมง", nullptr, false},
        Case{"TermAfterUs", "The US government paid in US dollars.", "รัฐบาลสหรัฐฯ", "เรา", false},
        Case{"TermOfSeveralNouns", "Suicide bombers attacked the town.", "มือระเบิดพลีชีพ", "การฆ่าตัวตาย", false},
        // Words of news and fiction: a noun sense over an imported verb, a phrase
        // reached from its reduced first word, and plural nouns that must keep
        // their everyday reading beside the terms written from them.
        Case{"NounOverImportedVerb", "He drew his rifle.", "ปืนไรเฟิล", "ขโมย", false},
        Case{"PhraseOverImportedSense", "The girl curled up on her bed.", "ขดตัว", "ไม่พอใจ", false},
        Case{"PhraseFromReducedVerb", "She scrambled to her feet.", "รีบลุกขึ้นยืน", nullptr, false},
        Case{"PluralHeadwordKeepsPhrase", "She sells eggs at the farmers' market.", "ตลาดเกษตรกร", nullptr, false},
        Case{"PossessiveLives", "A new road has made our lives better.", "ชีวิตของเรา", "อาศัยอยู่", false},
        Case{"LivesAfterNameStaysVerb", "Mr Tanaka lives in a big house.", "ทานากะอาศัยอยู่", nullptr, false},
        Case{"ComparativeNotObject", "It made the chariots lighter, faster.", "เบากว่า", "ไฟแช็ก", true},
        Case{"PluralNounBeforeIn", "The academic results in the schools improved.", "ผลลัพธ์", "ส่งผลให้", true},
        // More of the news and fiction: a two-part compound across its hyphen, a
        // short word over an imported definition, a past form after "I" (a lone
        // "I" prints as the letter), a modal phrase that must leave the passive
        // after "could be" alone, and a gesture with its possessive.
        Case{"CompoundAcrossHyphen", "Self-driving cars are tested here.", "รถยนต์ไร้คนขับ", "ตัวเอง", false},
        Case{"ShortWordOverDefinition", "The plan is flawed.", "มีข้อบกพร่อง", "มลทิน", false},
        Case{"PastFormAfterI", "I spotted a bird.", "ฉันเห็นนก", nullptr, false},
        Case{"PassiveAfterCouldBe", "The results could be seen.", "ถูก", nullptr, false},
        Case{"GestureWithPossessive", "He crossed his arms.", "กอดอก", "ข้าม", false},
        // Set phrases of narrative: a narrow escape, a degree before "to", a
        // form of address over the noun it is made of, and a chase in the past.
        Case{"OnlyJustNarrowEscape", "She only just reached the boat.", "อย่างหวุดหวิด", "เพียงแค่", false},
        Case{"EnoughToBeforeVerb", "It was big enough to hold ten people.", "พอที่จะ", nullptr, false},
        Case{"FormOfAddress", "Your Majesty, the army is here.", "ฝ่าบาท", "ความสง่า", false},
        Case{"ChaseInThePast", "The guards gave chase.", "ไล่ตาม", "ให้", false},
        // Figures of reports: a change "by" an amount from an irregular past, a
        // language after "in", and a term that a shorter phrase ("in public")
        // must not cut.
        Case{"ChangeByAmount", "Sales rose by 30% last year.", "เพิ่มขึ้น30%", "โดย", false},
        Case{"InLanguage", "He spoke in Russian.", "เป็นภาษารัสเซีย", nullptr, false},
        Case{"TermPastInPublic", "Changes in public policy matter.", "นโยบายสาธารณะ", "ที่สาธารณะ", false},
        // "head of" names a person and keeps its place before the noun it heads.
        Case{"HeadOfBeforeNoun", "She is head of operations.", "หัวหน้าการดำเนินงาน", "หัวของ", false},
        Case{"HyphenatedLanguageAdjective", "Russian-speaking people live there.", "คนที่พูดภาษารัสเซีย", nullptr, false},
        // Narrative: "as" before a pronoun tells what happened meanwhile, and a
        // set phrase reached from its inflected verb.
        Case{"AsMeanwhile", "She smiled as she walked away.", "ขณะที่เธอ", "เป็น", false},
        Case{"MakesNoSense", "That makes no sense.", "ไม่สมเหตุสมผล", "ความรู้สึก", false},
        // "over" before a span of time to come, and a promise broken in the past.
        Case{"OverTheNextYears", "Prices will rise over the next three years.", "ในอีกสามปี", "เหนือ", false},
        Case{"BrokeAPromise", "He broke a promise.", "ผิดสัญญา", "แตก", false},
        // "no matter how" and "whatever it was" open a clause of concession.
        Case{"NoMatterHow", "No matter how hard he tried, it failed.", "ไม่ว่าจะ", "ไม่มีเรื่อง", false},
        Case{"WhateverItWas", "Whatever it was, it spread its wings.", "ไม่ว่ามันจะเป็นอะไร", "อะไรก็ได้", false},
        Case{"AroundHere", "Is there a shop around here?", "แถวนี้", "รอบๆ", false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// The English of posts and speech: a contraction before an adverb, "gonna" or a verb
// in -ing, "I" before an adverb of talk, chat spellings, "so" before an adjective or
// opening a clause, and the short words of talk, none of which may cut a longer
// everyday word.
INSTANTIATE_TEST_SUITE_P(
    Talk, PhraseInText,
    ::testing::Values(
        // "I" before an adverb is no lone English letter.
        Case{"IBeforeAdverb", "I probably should go.", "ฉันน่าจะ", "I", false},
        // A contraction before "gonna" or an adverb says no เป็น.
        Case{"ContractionGonna", "We're gonna win.", "เราจะ", "เป็น", false},
        Case{"ContractionStill", "I'm still here.", "ฉันยังคง", "เป็น", false},
        Case{"WhatImGoingToDo", "That is what I'm going to do.", "สิ่งที่ฉันจะ", "อะไร", false},
        // y'all is one word, not the letter y and "all".
        Case{"Yall", "Thanks, y'all.", "ทุกคน", "ทั้งหมด", false},
        // Chat abbreviations.
        Case{"ChatAbbreviation", "It is fine tbh.", "พูดตรงๆ", "tbh", false},
        // "so" before an adjective intensifies it; "so that's" is no "so that".
        Case{"SoBeforeAdjective", "The food was so good.", "ดีมาก", "ดังนั้น", false},
        Case{"SoThatIs", "So that's the plan.", "นั่นคือ", "เพื่อให้", false},
        // "so" opening a clause reads ก็เลย after its subject, a contraction included.
        Case{"SoOpeningClause", "So I went home.", "ฉันก็เลยกลับบ้าน", "ดังนั้น", false},
        Case{"SoBeforeContraction", "So I'm going to fix it.", "ฉันก็เลยจะ", "m", false},
        // The rest of a contraction after a phrase that took its subject says nothing.
        Case{"ContractionAfterPhrase", "Then we're done.", "แล้วเราก็", "อีกครั้ง", false},
        // "liked" is the verb, not the adjective "alike".
        Case{"Liked", "She really liked the video.", "ชอบมาก", "เหมือน", false},
        // A short word of talk never cuts a longer everyday word after the stem
        // rules: "improved" is no "improv" + ed, "one-third" no "another one".
        Case{"NoCutPastForm", "The road was improved.", "ปรับปรุง", "การแสดง", false},
        Case{"NoCutFraction", "Another one-third went home.", "หนึ่งในสาม", "อีกอัน", false},
        // An acronym of the news is no chat abbreviation: DMS is no plural of "DM".
        Case{"AcronymNotChat", "Use DMS coordinates.", "DMS", "ข้อความ", false},
        // Thanks and wishes of talk are said whole, not word by word.
        Case{"ThanksSoMuch", "Thanks so much!", "ขอบคุณมาก", "พอ", false},
        Case{"WishMeLuck", "Wish me luck!", "อวยพรให้ฉันด้วย", "โชค", false},
        // A hedged judgement keeps its own words: "not that bad" is no "that".
        Case{"NotThatBad", "It is not that bad.", "ไม่แย่เท่าไร", "นั้น", false},
        Case{"HappyWith", "I was not happy with it.", "พอใจกับ", nullptr, false},
        // An everyday word of hobby posts, not the imported definition.
        Case{"Template", "Use the template.", "เทมเพลต", "แผ่นที่เจาะ", false},
        // "back to" opening a post is a return, not the back of something.
        Case{"BackTo", "Back to the store.", "กลับไปที่ร้านค้า", "หลัง", false},
        Case{"TheOther", "The other car is red.", "อีก", "อื่น", false},
        // "'s got" of talk is "has", not "is" + "get".
        Case{"ItsGot", "It's got a little dent.", "มันมี", "ได้", false},
        Case{"TakeACloseLook", "Take a close look at this bolt.", "ดูใกล้ๆ", "ปิด", false},
        Case{"FriendOfMine", "It was a friend of mine.", "เพื่อนของฉัน", "ของของ", false},
        // A post may drop its subject: "About to ..." is still "about to".
        Case{"AboutToNoSubject", "About to take my bread out.", "กำลังจะ", "เกี่ยวกับ", false},
        Case{"HappyTo", "I would be happy to share it.", "ยินดี", "มีความสุข", false},
        Case{"BackToBed", "I want to go back to bed.", "กลับไปนอน", "เตียง", false},
        // Everyday words of posts take their everyday sense, not a rare imported one.
        Case{"CoordinatesOfMap", "The GPS coordinates are wrong.", "พิกัด", "เสื้อผ้า", false},
        Case{"DentNoun", "It has a little dent.", "รอยบุบ", "หลุม", false},
        Case{"OutageOfService", "A nationwide outage.", "ระบบล่ม", "กระแสไฟฟ้า", false},
        Case{"DiscardVerb", "Don't discard your old oil.", "ทิ้ง", "สิ่งที่ถูกทอดทิ้ง", false},
        Case{"MediaOutlet", "You cannot trust any media outlet.", "สื่อ", "ช่องระบาย", false},
        Case{"LetsJustSay", "Let's just say the birds like it.", "เอาเป็นว่า", "พูด", false},
        Case{"WellWorthIt", "It was well worth it.", "คุ้มค่ามาก", nullptr, false},
        Case{"FullCharge", "It lasts a day on a full charge.", "ชาร์จเต็ม", "ค่าธรรมเนียม", false},
        // Openers of talk that frame what follows.
        Case{"AllItTakes", "All it takes is a bucket of water.", "สิ่งที่ต้องใช้ก็มีแค่", "เวลา", false},
        Case{"ManyOfYou", "Many of you asked me.", "หลายคน", "หลายคุณ", false},
        // The sign-offs of a video, as a Thai presenter says them.
        Case{"LikeButton", "Hit the like button.", "กดไลก์", "ตี", false},
        Case{"LongStoryShort", "Long story short, it broke.", "สรุปสั้นๆ", "ยาว", false},
        // "face" after a modal is the verb, not the noun of the body.
        Case{"WillFace", "The country will face a deadline.", "จะเผชิญกับ", "ใบหน้า", false},
        Case{"CouldFace", "Firms could face fines.", "อาจเผชิญกับ", "ใบหน้า", false},
        // "than expected" after a comparative says "กว่า" once.
        Case{"ThanExpected", "It was quicker than expected.", "เร็วกว่าที่คาดไว้", "กว่ากว่า", false},
        // "about" before a span of time is a rough amount, not a topic.
        Case{"AboutAnHour", "It takes about an hour.", "ประมาณหนึ่งชั่วโมง", "เกี่ยวกับ", false},
        // The everyday word, not the imported definition or a rarer sense.
        Case{"SalesFigures", "Sales rose last year.", "ยอดขาย", "การขาย", false},
        Case{"ComprisePeople", "The team comprises five people.", "ประกอบด้วย", "รวมถึง", false},
        Case{"ClimaxOfStory", "The climax of the story.", "จุดสุดยอด", "เหตุการณ์", false},
        // Clause openers of talk say what follows, not "this" + "is" + "why".
        Case{"ThisIsWhy", "This is why I did it.", "นี่คือเหตุผลที่", "ทำไม", false},
        Case{"ThatsWhy", "That's why we left.", "นั่นคือเหตุผลที่", "ทำไม", false},
        Case{"HowIMade", "I will show you how I made it.", "วิธีที่ฉัน", "อย่างไร", false},
        // Phrases of stories whose words alone read wrong.
        Case{"NeedSomeHelp", "Do you need some help?", "ต้องการความช่วยเหลือ", "ช่วยด้วย", false},
        Case{"BehindTheScenes", "It shows the work behind the scenes.", "เบื้องหลัง", "ฉาก", false},
        Case{"HungAround", "Nobody hung around this place.", "อยู่แถว", "แขวน", false},
        Case{"IDoubt", "I doubt they took it.", "ฉันสงสัยว่า", "ความสงสัย", false},
        Case{"ForAboutPrice", "You can buy it for about ten dollars.", "ประมาณ", "เกี่ยวกับ", false}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
