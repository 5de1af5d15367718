// Importers: tag mapping, headword forms, meaning choice, case merge, the
// merge under the core and the counts the import command reports.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dictionary/import/import.h"
#include "dictionary/tool/command.h"

using dictimport::BackMap;
using dictimport::Report;
using dictimport::Source;

namespace {

const dict::DictRecord* findRecord(const std::vector<dict::DictRecord>& records,
                                   std::string_view word) {
    for (const auto& r : records)
        if (r[dict::kWordEn] && dict::keysEqual(*r[dict::kWordEn], word)) return &r;
    return nullptr;
}

dict::DictRecord record(std::string word, std::initializer_list<std::pair<int, std::string>> f) {
    dict::DictRecord r;
    r[dict::kWordEn] = std::move(word);
    for (const auto& [field, text] : f) r[field] = text;
    return r;
}

}  // namespace

TEST(Tags, MapToFields) {
    const std::pair<const char*, int> cases[] = {
        {"N", dict::kWordNoun},      {"ABBR", dict::kWordNoun},      {"PRON", dict::kWordNoun},
        {"VT", dict::kWordVerb},     {"VI", dict::kWordVerb},        {"V", dict::kWordVerb},
        {"VI, VT", dict::kWordVerb}, {"AUX", dict::kWordVerb},       {"PHRV", dict::kWordVerb},
        {"ADV", dict::kWordAdv},     {"ADJ", dict::kWordAdj},        {"DET", dict::kWordAdj},
        {"ART", dict::kWordAdj},     {"PREP", dict::kWordPP},        {"CONJ", dict::kWordConj},
        {"IDM", dict::kWordIdiom},   {"INT", dictimport::kFallback}, {"PRF", dictimport::kSkip},
        {"SUF", dictimport::kSkip},  {"SL", dictimport::kSkip},      {"", dictimport::kSkip},
        {"CLAS", dictimport::kSkip},
    };
    for (const auto& [tag, field] : cases) EXPECT_EQ(dictimport::fieldForTag(tag), field) << tag;
}

TEST(Headwords, TakeTheFormThePhraseMatcherBuilds) {
    struct Case {
        const char* english;
        bool idiom;
        std::optional<std::string> key;
    };
    const Case cases[] = {
        {"house", false, "house"},
        {"Look  at", false, "Look at"},
        {"well-known", false, "well known"},          // hyphen after the first word dropped
        {"up-to-date", false, "up to - date"},        // five items: only the first hyphen goes
        {"X-ray machine", false, "X - ray machine"},  // four items keep it
        {"don't", false, "don ' t"},
        {"don\u2019t", false, "don ' t"},    // typographic apostrophe
        {"A.B.", false, std::nullopt},       // a full stop closes the phrase
        {"caf\u00e9", false, std::nullopt},  // no code in the engine's code page
        {"-ness", false, std::nullopt},
        {"one two three four five six", false, std::nullopt},
        {"one two three four five six", true, "one two three four five six"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dictimport::engineHeadword(c.english, c.idiom), c.key) << c.english;
}

TEST(Meanings, CleanAndReject) {
    EXPECT_EQ(dictimport::cleanMeaning("ผ่านไป (เวลา)"), "ผ่านไป");
    EXPECT_EQ(dictimport::cleanMeaning("(คน, สิ่ง) นี้"), "นี้");
    EXPECT_EQ(dictimport::cleanMeaning("พอแล้ว! (คำไม่เป็นทางการ)"), "พอแล้ว");
    const std::pair<const char*, bool> cases[] = {
        {"ไป", true},
        {"ี่น่าพอใจ", false},             // lost first consonant
        {"เเมว", false},               // two SARA E for SARA AE
        {"มนุษย ์", false},              // space before a mark
        {"\uf8c5บ่น", false},           // private use
        {"กิริยาช่องที่ 2 ของ go", false},  // inflected-form description
        {"กริยาช่องที่ 2 ของกริยาช่วย can", false},
        {"คำย่อของ until", false},
        {"คำนำหน้านามชี้เฉพาะ", false},
        {"พยัญชนะภาษาอังกฤษตัวที่ 20", false},  // a letter's name: the letter stays
        {"อักษรตัวที่ 3 ในภาษาอังกฤษ", false},
        {"ใช้แสดงความเห็นด้วย", false},
        {"abc", false},
    };
    for (const auto& [text, usable] : cases)
        EXPECT_EQ(dictimport::rejectReason(dictimport::cleanMeaning(text)).empty(), usable) << text;
}

TEST(Meanings, DefinitionLeadsGiveWayToTheWord) {
    struct Case {
        const char* thai;
        int field;
        const char* plain;
    };
    const Case cases[] = {
        {"ซึ่งมองไม่เห็น", dict::kWordAdj, "มองไม่เห็น"},
        {"ซึ่งบ่นอู้อี้", dict::kWordVerb, "บ่นอู้อี้"},
        {"ซึ่งมีแถบสี", dict::kWordNoun, "มีแถบสี"},  // an adjective filed as a noun
        {"ซึ่งโอ้อวด", dict::kWordAdv, "อย่างโอ้อวด"},
        {"เกี่ยวกับวรรณคดี", dict::kWordAdj, "วรรณคดี"},
        {"เกี่ยวกับร่างกาย", dict::kWordAdv, "ทางร่างกาย"},
        {"เกี่ยวกับ", dict::kWordPP, "เกี่ยวกับ"},  // "about" itself
        {"เกี่ยวกับการเมือง", dict::kWordPP, "เกี่ยวกับการเมือง"},
        {"เกี่ยวกับ", dict::kWordVerb, "เกี่ยวกับ"},        // nothing left
        {"เกี่ยวกับเงิน", dict::kWordVerb, "เกี่ยวกับเงิน"},  // to concern
        {"ซึ่ง", dict::kWordConj, "ซึ่ง"},
        {"ซึ่งๆ", dict::kWordAdj, "ซึ่งๆ"},      // less than a word left
        {"ซึ่งหน้า", dict::kWordAdv, "ซึ่งหน้า"},  // the word itself
        {"ซึ่งกันและกัน", dict::kWordAdj, "ซึ่งกันและกัน"},
        {"สวย", dict::kWordAdj, "สวย"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dictimport::plainMeaning(c.thai, c.field), c.plain) << c.thai;
    // The definition and the word are one candidate, given by two senses.
    EXPECT_EQ(dictimport::chooseMeaning({"ไม่สบายใจ", "ซึ่งเป็นกังวล", "เป็นกังวล"}, "uneasy",
                                        dict::kWordAdj, BackMap(), nullptr),
              "เป็นกังวล");
}

TEST(Meanings, ChoosePreferringBackMappingThenShortPlainText) {
    BackMap back;
    back.add("ไป", "go");
    back.add("เดินทาง", "to go");  // "to " is dropped
    // Source order is not by frequency: the back-mapped everyday meaning wins.
    EXPECT_EQ(dictimport::chooseMeaning({"เลิก", "บรรลุ", "ผ่านไป (เวลา)", "ไป", "กิริยาช่องที่ 1"}, "go",
                                        dict::kWordVerb, back, nullptr),
              "ไป");
    EXPECT_EQ(
        dictimport::chooseMeaning({"เดินทางไกล", "เดินทาง"}, "Go", dict::kWordVerb, back, nullptr),
        "เดินทาง");
    // Without back-mapping: repeated meanings, then the shorter one; alternatives split.
    EXPECT_EQ(dictimport::chooseMeaning({"ที่ลาดชันมาก", "ตลิ่ง", "ฝั่ง ตลิ่ง"}, "bank", dict::kWordNoun,
                                        BackMap(), nullptr),
              "ตลิ่ง");
    EXPECT_EQ(
        dictimport::chooseMeaning({"ประมูล ให้ราคา"}, "bid", dict::kWordVerb, BackMap(), nullptr),
        "ประมูล");
    // Idioms are whole sentences: not split at spaces.
    EXPECT_EQ(dictimport::chooseMeaning({"ยิ่งคอย ก็ยิ่งช้า"}, "A watched pot never boils",
                                        dict::kWordIdiom, BackMap(), nullptr),
              "ยิ่งคอย ก็ยิ่งช้า");
    Report report;
    EXPECT_EQ(
        dictimport::chooseMeaning({"ี่เสีย", "คำย่อของ x"}, "x", dict::kWordNoun, BackMap(), &report),
        "");
    EXPECT_EQ(report.rejected.size(), 2u);
}

TEST(Meanings, ThaiUsageCountsEveryOccurrenceOfTheWordsGiven) {
    const std::string longWord(dictimport::ThaiUsage::kLongest + 1, 'x');
    const dictimport::ThaiUsage usage("ตอนเช้าเขามาสาย สายไปแล้ว\nสายไฟ " + longWord + "\n",
                                      {"สาย", "สายไฟ", "เช้า", "ดึก", longWord});
    const std::pair<std::string, int> cases[] = {
        {"สาย", 3},       // also inside สายไฟ
        {"สายไฟ", 1},
        {"เช้า", 1},
        {"ดึก", 0},       // given, absent
        {"มา", 0},        // present, not given
        {longWord, 0},  // too long to be a word
    };
    for (const auto& [word, n] : cases) EXPECT_EQ(usage.of(word), n) << word;
}

TEST(Meanings, ChooseTheWordTheThaiProseUsesAmongEqualSenses) {
    const dictimport::ThaiUsage usage("มาสาย ตื่นสาย ไปสาย ดึกแล้ว", {"สาย", "ดึก", "ล่าช้า"});
    const std::vector<std::string> late = {"ล่าช้า", "ดึก", "สาย"};
    EXPECT_EQ(dictimport::chooseMeaning(late, "late", dict::kWordAdj, BackMap(), nullptr, &usage),
              "สาย");
    // Without the prose the shortest wins; a sense given twice or a meaning
    // that maps back still outranks the prose.
    EXPECT_EQ(dictimport::chooseMeaning(late, "late", dict::kWordAdj, BackMap(), nullptr), "ดึก");
    const std::vector<std::string> twice = {"ล่าช้า", "ดึก", "สาย", "ล่าช้า"};
    EXPECT_EQ(dictimport::chooseMeaning(twice, "late", dict::kWordAdj, BackMap(), nullptr, &usage),
              "ล่าช้า");
    BackMap back;
    back.add("ดึก", "late");
    EXPECT_EQ(dictimport::chooseMeaning(late, "late", dict::kWordAdj, back, nullptr, &usage), "ดึก");
}

TEST(ThaidictJson, BuildsRecordsAndCountsWhatItTookAndLeftOut) {
    const char* eng2thai = R"([
      {"search":"go","result":"เลิก","type":"VI","relate":["ทิ้ง"]},
      {"search":"go","result":"หมากล้อม","type":"N"},
      {"search":"go","result":"ไป","type":"VI","relate":["ไป","เคลื่อนไป"]},
      {"search":"big","result":"ใหญ่","type":"ADJ"},
      {"search":"big","result":"โต","type":"ADJ"},
      {"search":"big","result":"ประสบความสำเร็จ","type":"ADV"},
      {"search":"Bank","result":"ธนาคาร","type":"N"},
      {"search":"bank","result":"ตลิ่ง","type":"N"},
      {"search":"bank","result":"ฝากเงิน","type":"VT"},
      {"search":"was","result":"กิริยาช่องที่ 2 ของ be","type":"VT"},
      {"search":"-ness","result":"สภาพ","type":"SUF"},
      {"search":"dude","result":"หนุ่มเจ้าสำอาง","type":"SL"},
      {"search":"bye","result":"ลาก่อน","type":"INT"},
      {"search":"e.g.","result":"ตัวอย่างเช่น","type":"ABBR"}
    ])";
    const char* thai2eng = R"([
      {"search":"ไป","result":"go","type":"V","relate":["proceed"]},
      {"search":"ใหญ่","result":"big","type":"ADJ"},
      {"search":"คุณ","result":"you","type":"PRON"}
    ])";
    Source source;
    std::string error;
    ASSERT_TRUE(dictimport::readThaidictJson(eng2thai, &source, &error)) << error;
    ASSERT_TRUE(dictimport::readThaidictJson(thai2eng, &source, &error)) << error;
    Report report;
    const auto records = dictimport::buildRecords(source, &report);

    const auto* go = findRecord(records, "go");
    ASSERT_NE(go, nullptr);
    EXPECT_EQ((*go)[dict::kWordVerb], "ไป");
    EXPECT_FALSE((*go)[dict::kWordNoun]);  // minor class ranking before the verb
    const auto* big = findRecord(records, "big");
    ASSERT_NE(big, nullptr);
    EXPECT_EQ((*big)[dict::kWordAdj], "ใหญ่");
    EXPECT_FALSE((*big)[dict::kWordAdv]);
    // Case variants merge under the first spelling; the first fills each field.
    const auto* bank = findRecord(records, "bank");
    ASSERT_NE(bank, nullptr);
    EXPECT_EQ((*bank)[dict::kWordEn], "Bank");
    EXPECT_EQ((*bank)[dict::kWordNoun], "ธนาคาร");
    EXPECT_EQ((*bank)[dict::kWordVerb], "ฝากเงิน");
    EXPECT_EQ((*findRecord(records, "bye"))[dict::kWordAdv], "ลาก่อน");
    // The Thai->English side fills a headword the English side lacks.
    EXPECT_EQ((*findRecord(records, "you"))[dict::kWordNoun], "คุณ");
    EXPECT_EQ(findRecord(records, "was"), nullptr);
    EXPECT_EQ(findRecord(records, "e.g."), nullptr);

    EXPECT_EQ(report.recordsRead, 17u);
    EXPECT_EQ(report.caseMerged, 1u);
    EXPECT_EQ(report.headwords, records.size());
    EXPECT_EQ(report.reversedHeadwords, 1u);
    EXPECT_EQ(report.tagsLeftOut.at("SUF"), 1u);
    EXPECT_EQ(report.tagsLeftOut.at("SL"), 1u);
    EXPECT_EQ(report.rejected.at("headword the engine cannot match"), 1u);
    EXPECT_EQ(report.rejected.at("headword without a usable meaning"), 1u);
}

TEST(Etlex, ReadsTaggedRecordsInTis620) {
    // "ไป" and "บ้าน" in TIS-620.
    const std::string go = "\xe4\xbb";
    const std::string house = "\xba\xe9\xd2\xb9";
    const std::string text =
        "<Doc>\n<id>1</id>\n<esearch>go</esearch>\n<eentry>go</eentry>\n"
        "<tentry>" +
        go +
        "</tentry>\n<ecat>VI</ecat>\n</Doc>\n"
        "<Doc>\n<eentry>house</eentry>\n<tentry>" +
        house + "</tentry>\n<ecat>N</ecat>\n<ethai>" + house + ", " + go +
        "</ethai>\n</Doc>\n"
        "<Doc>\n<tentry>" +
        go +
        "</tentry>\n<eentry>go; proceed</eentry>\n"
        "<tcat>V</tcat>\n</Doc>\n";
    Source source;
    std::string error;
    ASSERT_TRUE(dictimport::readEtlex(text, &source, &error)) << error;
    EXPECT_EQ(source.recordsRead, 3u);
    ASSERT_GE(source.senses.size(), 2u);
    EXPECT_EQ(source.senses[0].thai, "ไป");
    EXPECT_EQ(source.senses[1].more, (std::vector<std::string>{"บ้าน", "ไป"}));
    EXPECT_TRUE(source.back.mapsTo("ไป", "proceed"));
    EXPECT_FALSE(dictimport::readEtlex("no records here", &source, &error));
}

TEST(Tsv, ReadsRowsAndBackMapAndRejectsShortLines) {
    Source source;
    std::string error;
    ASSERT_TRUE(
        dictimport::readTsv("english\tpos\tthai\ngo\tVI\tเลิก\ngo\tVI\tไป\n", &source, &error));
    ASSERT_TRUE(dictimport::readBackTsv("english\tpos\tthai\ngo\tV\tไป\n", &source, &error));
    EXPECT_EQ(source.senses.size(), 3u);  // two rows and one turned-round pair
    const auto records = dictimport::buildRecords(source, nullptr);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0][dict::kWordVerb], "ไป");
    EXPECT_FALSE(dictimport::readTsv("go\tVI\n", &source, &error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
}

TEST(LayUnder, CoreWinsFieldByFieldAndKeepsItsClass) {
    const std::vector<dict::DictRecord> core = {
        record("red", {{dict::kWordAdj, "แดง"}}),
        record("Go", {{dict::kWordVerb, "ไป"}, {dict::kWordAdv, ""}}),
        record("the", {{dict::kWordAdj, ""}}),
    };
    const std::vector<dict::DictRecord> imported = {
        record("red", {{dict::kWordNoun, "สีแดง"}, {dict::kWordPP, "x"}}),
        record("go", {{dict::kWordVerb, "เลิก"},
                      {dict::kWordAdv, "y"},
                      {dict::kWordConj, "z"},
                      {dict::kWordIdiom, "w"}}),
        record("the", {{dict::kWordPP, "p"}}),
        record("house", {{dict::kWordNoun, "บ้าน"}}),
    };
    Report report;
    const auto merged = dictimport::layUnder(core, imported, &report);
    ASSERT_EQ(merged.size(), 4u);
    EXPECT_EQ(merged[0], record("red", {{dict::kWordAdj, "แดง"}, {dict::kWordPP, "x"}}));
    // Core values win, empty ones included; only absent lower-ranked fields fill,
    // never the whole-phrase idiom field.
    EXPECT_EQ(
        merged[1],
        record("Go", {{dict::kWordVerb, "ไป"}, {dict::kWordAdv, ""}, {dict::kWordConj, "z"}}));
    EXPECT_EQ(merged[2], record("the", {{dict::kWordAdj, ""}}));
    EXPECT_EQ(merged[3], imported[3]);
    EXPECT_EQ(report.coreShared, 3u);
    EXPECT_EQ(report.fieldsAddedToCore, 2u);
    EXPECT_EQ(report.fieldsLostToCore, 5u);
}

TEST(LayUnder, LeavesOutEverydayWordsWhoseThaiCarriesNoneOfThem) {
    const std::vector<dict::DictRecord> core = {
        record("good", {{dict::kWordAdj, "ดี"}}),
        record("book", {{dict::kWordNoun, "หนังสือ"}}),
        record("main", {{dict::kWordAdj, "หลัก"}}),
        record("road", {{dict::kWordNoun, "ถนน"}}),
        record("coconut", {{dict::kWordNoun, "มะพร้าว"}}),
        record("milk", {{dict::kWordNoun, "นม"}}),
        record("small", {{dict::kWordAdj, "เล็ก"}}),
        record("talk", {{dict::kWordVerb, "พูด"}}),
        record("ice cream", {{dict::kWordNoun, "ไอศกรีม"}}),
        record("ice", {{dict::kWordNoun, "น้ำแข็ง"}}),
        record("cream", {{dict::kWordNoun, "ครีม"}}),
        record("happy", {{dict::kWordAdj, "ความสุข"}}),
        record("come", {{dict::kWordVerb, "มา"}}),
        record("to", {{dict::kWordPP, ""}}),
        record("get", {{dict::kWordVerb, "ได้"}}),
        record("up", {{dict::kWordAdv, "ขึ้น"}}),
    };
    // Meanings the word list gives a core word count as well as the core's.
    const std::vector<dict::DictRecord> lexicon = {
        record("talk", {{dict::kWordNoun, "การสนทนา"}}),
    };
    struct Case {
        const char* headword;
        int field;
        const char* thai;
        bool kept;
    };
    const Case cases[] = {
        {"good book", dict::kWordNoun, "พระคัมภีร์ไบเบิล", false},
        {"main road", dict::kWordNoun, "ถนนสายหลัก", true},      // carries road
        {"small talk", dict::kWordNoun, "สนทนาเรื่องเล็กๆ", true},  // the word list's talk
        {"small book", dict::kWordAdj, "กระจ้อยร่อย", false},
        {"coconut milk", dict::kWordNoun, "กะทิ", true},          // first word a noun
        {"good luck", dict::kWordNoun, "โชคดี", true},            // luck is no core word
        {"good road", dict::kWordVerb, "ไปต่อ", false},           // a verb: first word no matter
        {"small good book", dict::kWordNoun, "ของขวัญ", true},    // three words
        {"happy good", dict::kWordAdj, "สุขสันต์", true},         // ความสุข without ความ
        {"ice cream", dict::kWordNoun, "ไอศครีม", true},          // the core's record wins
        // Verbs, adverbs, prepositions and idioms of two or three core words.
        {"come to", dict::kWordIdiom, "รู้สึกตัว", false},
        {"come to", dict::kWordVerb, "รู้สึกตัว", false},
        {"get up", dict::kWordVerb, "ลุกขึ้น", true},               // carries up
        {"come up to", dict::kWordVerb, "เทียบเท่า", false},
        {"get up to come", dict::kWordVerb, "ซน", true},           // four words
        {"good to", dict::kWordPP, "เหมาะ", false},
    };
    for (const Case& c : cases) {
        std::vector<dict::DictRecord> imported = lexicon;
        imported.push_back(record(c.headword, {{c.field, c.thai}}));
        const auto merged = dictimport::layUnder(core, imported, nullptr);
        const auto* found = findRecord(merged, c.headword);
        EXPECT_EQ(found != nullptr, c.kept) << c.headword;
        if (std::string_view(c.headword) == "ice cream") {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ((*found)[dict::kWordNoun], "ไอศกรีม");
        }
    }
}

// "Frying pan" is looked for as "fry pan" when "frying" is missing, so a
// phrase opening with a missing form the stem rules shorten is never matched.
TEST(LayUnder, LeavesOutPhrasesTheMatcherCannotReach) {
    const std::vector<dict::DictRecord> core = {
        record("walked to", {{dict::kWordVerb, "เดินไป"}}),  // the core's own: kept
        record("boiled", {{dict::kWordAdj, "ต้ม"}}),
    };
    const std::vector<dict::DictRecord> imported = {
        record("frying pan", {{dict::kWordNoun, "กระทะ"}}),        // frying missing: left out
        record("boiled egg", {{dict::kWordNoun, "ไข่ต้ม"}}),        // boiled is a headword
        record("shopping mall", {{dict::kWordNoun, "ห้าง"}}),      // kept by its form below
        record("shop", {{dict::kWordVerb, "ซื้อของ"}}),
        record("arts and crafts", {{dict::kWordIdiom, "ศิลปหัตถกรรม"}}),  // matched whole
        record("ins and outs", {{dict::kWordNoun, "รายละเอียด"}}),  // ins: left out
        record("bus stop", {{dict::kWordNoun, "ป้ายรถเมล์"}}),       // bus -> bu: left out
        record("kiwi fruit", {{dict::kWordNoun, "กีวี"}}),          // no rule shortens kiwi
    };
    Report report;
    const auto merged = dictimport::layUnder(core, imported, &report);
    EXPECT_NE(findRecord(merged, "walked to"), nullptr);
    EXPECT_EQ(findRecord(merged, "frying pan"), nullptr);
    EXPECT_NE(findRecord(merged, "boiled egg"), nullptr);
    EXPECT_NE(findRecord(merged, "arts and crafts"), nullptr);
    EXPECT_EQ(findRecord(merged, "ins and outs"), nullptr);
    EXPECT_EQ(findRecord(merged, "bus stop"), nullptr);
    EXPECT_NE(findRecord(merged, "kiwi fruit"), nullptr);
    // "shopping" is a regular form the import adds, so the phrase can be reached.
    EXPECT_NE(findRecord(merged, "shopping"), nullptr);
    EXPECT_NE(findRecord(merged, "shopping mall"), nullptr);
    EXPECT_EQ(report.rejected["phrase whose first word the stem rules shorten"], 3u);
}

TEST(Phrases, LiteralTextIsNotHijackedByIdiomaticEntries) {
    const char* eng2thai = R"([
      {"search":"fish","result":"ปลา","type":"N"},
      {"search":"fish","result":"ตกปลา","type":"VI"},
      {"search":"fish","result":"เนื้อปลา","type":"N"},
      {"search":"fish for","result":"ล้วง","type":"PHRV"},
      {"search":"shop","result":"ร้านค้า","type":"N"},
      {"search":"shop on","result":"แจ้งตำรวจ","type":"PHRV"},
      {"search":"wait","result":"รอ","type":"VI"},
      {"search":"wait for","result":"รอคอย","type":"PHRV"},
      {"search":"sleep","result":"นอน","type":"VI"},
      {"search":"sleep in","result":"ตื่นสาย","type":"PHRV"},
      {"search":"give","result":"ให้","type":"VT"},
      {"search":"give up","result":"ยอมแพ้","type":"PHRV"},
      {"search":"young","result":"หนุ่ม, สาว","type":"ADJ"},
      {"search":"woman","result":"ผู้หญิง","type":"N"},
      {"search":"main","result":"หลัก","type":"ADJ"},
      {"search":"road","result":"ถนน","type":"N"},
      {"search":"friend","result":"เพื่อน","type":"N"}
    ])";
    const char* thai2eng = R"([
      {"search":"มาณวิกา","result":"young woman","type":"N"},
      {"search":"ถนนสายหลัก","result":"main road","type":"N"},
      {"search":"พวกพ้อง","result":"friends","type":"N"},
      {"search":"หมอลำ","result":"folk singer","type":"N"}
    ])";
    Source source;
    std::string error;
    ASSERT_TRUE(dictimport::readThaidictJson(eng2thai, &source, &error)) << error;
    ASSERT_TRUE(dictimport::readThaidictJson(thai2eng, &source, &error)) << error;
    Report report;
    const auto records = dictimport::buildRecords(source, &report);
    // Left out: a noun before its preposition, an idiom whose Thai lacks the
    // verb, a rare word for two everyday ones, a plural of a known word.
    for (const char* gone : {"fish for", "shop on", "sleep in", "young woman", "friends"})
        EXPECT_EQ(findRecord(records, gone), nullptr) << gone;
    // Kept: the Thai carries the verb, an adverb particle, a compound whose
    // Thai holds its words' meanings, a gloss with a word of its own.
    const std::pair<const char*, std::pair<int, const char*>> kept[] = {
        {"wait for", {dict::kWordVerb, "รอคอย"}},
        {"give up", {dict::kWordVerb, "ยอมแพ้"}},
        {"main road", {dict::kWordNoun, "ถนนสายหลัก"}},
        {"folk singer", {dict::kWordNoun, "หมอลำ"}},
    };
    for (const auto& [word, expected] : kept) {
        const auto* r = findRecord(records, word);
        ASSERT_NE(r, nullptr) << word;
        EXPECT_EQ((*r)[expected.first], expected.second) << word;
    }
    EXPECT_EQ(report.rejected.at("idiomatic phrase ending in a preposition"), 3u);
    EXPECT_EQ(report.rejected.at("gloss whose words read literally"), 2u);
}

TEST(Forms, RegularFormsTheStemRulesCannotReach) {
    using dictimport::FormKind;
    using Forms = std::vector<std::pair<std::string, FormKind>>;
    struct Case {
        const char* base;
        bool noun, verb, verbFiledAsNoun;
        Forms forms;
    };
    const Case cases[] = {
        {"box", true, false, false, {{"boxes", FormKind::kWhole}}},
        {"city", true, false, false, {{"cities", FormKind::kWhole}}},
        {"bus", true, false, false, {{"buses", FormKind::kWhole}}},
        {"house", true, false, false, {}},  // "houses" comes back by the plural rule
        {"piano", true, false, false, {}},  // a noun in -o takes a plain -s
        {"go", false, true, false, {{"goes", FormKind::kWhole}}},
        {"stop", false, true, false, {{"stopped", FormKind::kVerb}, {"stopping", FormKind::kVerb}}},
        {"study",
         false,
         true,
         false,
         {{"studies", FormKind::kWhole}, {"studied", FormKind::kVerb}}},
        {"die", false, true, false, {{"dying", FormKind::kVerb}}},
        {"walk", false, true, false, {}},   // walked, walking come back
        {"visit", false, true, false, {}},  // two syllables: no doubled letter
        {"march",
         true,
         true,
         true,
         {{"marches", FormKind::kWhole},
          {"marched", FormKind::kVerb},
          {"marching", FormKind::kVerb}}},
        {"answer",
         true,
         true,
         true,
         {{"answered", FormKind::kVerb}, {"answering", FormKind::kVerb}}},
        {"dance", true, true, true, {{"danced", FormKind::kVerb}, {"dancing", FormKind::kVerb}}},
        {"plan", true, true, true, {{"planned", FormKind::kVerb}, {"planning", FormKind::kVerb}}},
        {"copy",
         true,
         true,
         true,
         {{"copies", FormKind::kWhole}, {"copied", FormKind::kVerb}, {"copying", FormKind::kVerb}}},
        {"Box", true, false, false, {}},      // names keep their case: left alone
        {"look at", false, true, false, {}},  // phrases are left alone
        {"red", false, false, false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dictimport::regularForms(c.base, c.noun, c.verb, c.verbFiledAsNoun), c.forms)
            << c.base;
}

TEST(Forms, AddedFormsTakeTheBaseMeaningsAndNeverReplaceARecord) {
    std::vector<dict::DictRecord> records = {
        record("land",
               {{dict::kWordNoun, "ที่ดิน"}, {dict::kWordVerb, "ลงจอด"}, {dict::kWordIdiom, "x"}}),
        record("landing", {{dict::kWordNoun, "การลงจอด"}}),
        record("box", {{dict::kWordNoun, "กล่อง"}}),
    };
    EXPECT_EQ(dictimport::addRegularForms(&records), 2u);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[1], record("landing", {{dict::kWordNoun, "การลงจอด"}}));
    EXPECT_EQ(*findRecord(records, "landed"), record("landed", {{dict::kWordVerb, "ลงจอด"}}));
    EXPECT_EQ(*findRecord(records, "boxes"), record("boxes", {{dict::kWordNoun, "กล่อง"}}));
}

TEST(ImportCommand, WritesMergedTsvAndReports) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("vantrel_import_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto write = [&](const char* name, const char* text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    };
    const std::string src = write("src.tsv", "go\tVI\tไป\nhouse\tN\tบ้าน\nA.B.\tABBR\tอ.บ.\n");
    const std::string core = write("core.tsv", "# core\ngo\tVerb\tไป\n");
    const std::string out = (dir / "out.tsv").string();
    std::ostringstream o, e;
    EXPECT_EQ(dict::tool::runImport({"tsv", src, "-o", out, "--under", core}, o, e), 0) << e.str();
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    // The regular forms come last ("goes" never comes back to "go").
    EXPECT_EQ(text.str(), "go\tVerb\tไป\nhouse\tNoun\tบ้าน\ngoes\tVerb\tไป\n");
    EXPECT_NE(o.str().find("read: 3 source records"), std::string::npos) << o.str();
    EXPECT_NE(o.str().find("headword the engine cannot match: 1"), std::string::npos);
    std::ostringstream o2, e2;
    EXPECT_EQ(dict::tool::runImport({"json", src, "-o", out}, o2, e2), 2);
    EXPECT_EQ(dict::tool::runImport({"tsv", (dir / "none").string(), "-o", out}, o2, e2), 1);
    std::filesystem::remove_all(dir);
}

// On the converted study copies of the full data, when VANTREL_DICTDATA names
// their folder: the everyday meanings the source order hides.
TEST(StudyData, ChoosesEverydayMeanings) {
    const char* dirEnv = std::getenv("VANTREL_DICTDATA");
    if (!dirEnv) GTEST_SKIP() << "VANTREL_DICTDATA not set";
    const std::filesystem::path dir(dirEnv);
    if (!std::filesystem::exists(dir / "lexitron-etlex.tsv")) GTEST_SKIP() << "no study data";
    Source source;
    std::string error;
    for (const char* f : {"lexitron-etlex.tsv", "lexitron-etlex-ethai.tsv"})
        ASSERT_TRUE(
            dictimport::readSource(dictimport::Format::kTsv, (dir / f).string(), &source, &error))
            << error;
    std::ifstream back(dir / "lexitron-telex-inverted.tsv");
    std::stringstream text;
    text << back.rdbuf();
    ASSERT_TRUE(dictimport::readBackTsv(text.str(), &source, &error));
    const auto records = dictimport::buildRecords(source, nullptr);
    EXPECT_GE(records.size(), 50000u);
    const std::pair<const char*, std::pair<int, const char*>> cases[] = {
        {"go", {dict::kWordVerb, "ไป"}},
        {"bank", {dict::kWordNoun, "ธนาคาร"}},
        {"house", {dict::kWordNoun, "บ้าน"}},
        {"big", {dict::kWordAdj, "ใหญ่"}},
    };
    for (const auto& [word, expected] : cases) {
        const auto* r = findRecord(records, word);
        ASSERT_NE(r, nullptr) << word;
        EXPECT_EQ((*r)[expected.first], expected.second) << word;
    }
}

TEST(Forms, ParticiplesFiledAsAdjectivesTakeTheirVerb) {
    struct Case {
        dict::DictRecord form;
        std::optional<std::string> verb;  // the verb meaning it ends with, or unchanged
    };
    const Case cases[] = {
        {record("added", {{dict::kWordAdj, "เจือปน"}}), "เพิ่ม"},          // base "add"
        {record("received", {{dict::kWordAdj, "เป็นที่ยอมรับ"}}), "ได้รับ"},  // base "receive"
        {record("working", {{dict::kWordAdj, "ที่ทำงาน"}}), "ทำงาน"},     // base "work"
        {record("boxed", {{dict::kWordAdj, "ใส่กล่อง"}}), std::nullopt},  // "box" is no verb
        {record("closed", {{dict::kWordAdj, "ปิด"}, {dict::kWordNoun, "การปิด"}}),
         std::nullopt},                                                 // not only an adjective
        {record("bed", {{dict::kWordNoun, "เตียง"}}), std::nullopt},     // no form
        {record("use", {{dict::kWordVerb, "ใช้"}}), std::nullopt},       // the base of a core form
        {record("puzzled", {{dict::kWordAdj, "งุนงง"}}), std::nullopt},  // a causative's state
    };
    std::vector<dict::DictRecord> records = {
        record("add", {{dict::kWordVerb, "เพิ่ม"}}),
        record("receive", {{dict::kWordVerb, "ได้รับ"}}),
        record("work", {{dict::kWordNoun, "งาน"}, {dict::kWordVerb, "ทำงาน"}}),
        record("box", {{dict::kWordNoun, "กล่อง"}}),
        record("close", {{dict::kWordVerb, "ปิด"}}),
        record("puzzle", {{dict::kWordNoun, "ปริศนา"}, {dict::kWordVerb, "ทำให้สับสน"}}),
        record("used", {{dict::kWordAdj, "มือสอง"}}),  // before `first`: kept as it is
    };
    const std::size_t first = records.size();
    for (const Case& c : cases) records.push_back(c.form);
    EXPECT_EQ(dictimport::readParticiplesAsVerbs(&records, first), 3u);
    EXPECT_EQ(records[first - 1], record("used", {{dict::kWordAdj, "มือสอง"}}));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const dict::DictRecord& out = records[first + i];
        if (cases[i].verb) {
            EXPECT_EQ(out[dict::kWordVerb], cases[i].verb) << *out[dict::kWordEn];
            EXPECT_FALSE(out[dict::kWordAdj]) << *out[dict::kWordEn];
        } else {
            EXPECT_EQ(out, cases[i].form) << *out[dict::kWordEn];
        }
    }
}

TEST(Forms, PluralsWithANounOfTheirOwnTakeTheirWordsNoun) {
    std::vector<dict::DictRecord> records = {
        record("minute", {{dict::kWordNoun, "นาที"}, {dict::kWordAdj, "เล็กมาก"}}),
        record("light", {{dict::kWordNoun, "แสง"}}),
        record("thank", {{dict::kWordVerb, "ขอบคุณ"}}),
        record("news", {{dict::kWordNoun, "ข่าว"}}),  // before `first`: the core's own
        record("new", {{dict::kWordAdj, "ใหม่"}}),
    };
    const std::size_t first = records.size();
    const dict::DictRecord cases[][2] = {
        // as imported, as it ends
        {record("minutes", {{dict::kWordNoun, "รายงานการประชุม"}}),
         record("minutes", {{dict::kWordNoun, "นาที"}})},
        {record("Lights", {{dict::kWordNoun, "ปอดของสัตว์"}, {dict::kWordVerb, "จุด"}}),
         record("Lights", {{dict::kWordNoun, "แสง"}, {dict::kWordVerb, "จุด"}})},
        {record("thanks", {{dict::kWordNoun, "คำขอบคุณ"}}),  // the base is no noun
         record("thanks", {{dict::kWordNoun, "คำขอบคุณ"}})},
        {record("glass", {{dict::kWordNoun, "แก้ว"}}),  // -ss is no plural
         record("glass", {{dict::kWordNoun, "แก้ว"}})},
    };
    for (const auto& c : cases) records.push_back(c[0]);
    EXPECT_EQ(dictimport::readPluralsAsNouns(&records, first), 2u);
    EXPECT_EQ(records[3], record("news", {{dict::kWordNoun, "ข่าว"}}));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(records[first + i], cases[i][1]) << *cases[i][0][dict::kWordEn];
}
