// The core word lists as the translator reads them: every headword can be
// matched, and names come out in the order and spelling Thai writes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/tool/tsv.h"
#include "engine/text.h"
#include "tests/data/bundled_dictionary.h"

namespace {

struct CoreLine {
    std::string where;  // "file:line"
    std::string headword, label, meaning;
};

std::vector<CoreLine> coreLines() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(VANTREL_CORE_DIR)) {
        if (entry.path().extension() == ".tsv") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<CoreLine> out;
    for (const auto& file : files) {
        std::vector<dict::tsv::Line> lines;
        std::string error;
        EXPECT_TRUE(dict::tsv::readFile(file.string(), &lines, &error)) << error;
        for (const auto& line : lines) {
            const std::string where =
                dict::tsv::location(file.filename().string(), line.number);
            EXPECT_EQ(line.cells.size(), 3u) << where;
            if (line.cells.size() != 3) continue;
            out.push_back({where, line.cells[0], line.cells[1], line.cells[2]});
        }
    }
    return out;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t space = std::min(text.find(' ', at), text.size());
        out.push_back(text.substr(at, space - at));
        at = space + 1;
    }
    return out;
}

bool isWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The scanner cuts a phrase at every punctuation mark but the apostrophe and the
// hyphen, which stand as words of their own, and takes letters, digits and "_"
// as word characters: a headword with anything else, or with more than five words
// outside the whole-phrase question and idiom fields, is never matched.
TEST(CoreLists, EveryHeadwordIsWrittenAsTheTranslatorSplitsText) {
    for (const CoreLine& line : coreLines()) {
        ASSERT_GE(dict::tsv::fieldForLabel(line.label), 1) << line.where << " " << line.label;
        const std::vector<std::string> w = words(line.headword);
        for (const std::string& word : w) {
            const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), isWordCharacter);
            EXPECT_TRUE(plain || word == "'" || word == "-")
                << line.where << ": \"" << line.headword << "\"";
        }
        if (line.label != "Question" && line.label != "Idium") {
            EXPECT_LE(w.size(), 5u) << line.where << ": \"" << line.headword << "\"";
        }
        if (!line.meaning.empty() && line.meaning != " ") {
            EXPECT_NE(line.meaning.front(), ' ') << line.where;
            EXPECT_NE(line.meaning.back(), ' ') << line.where;
        }
    }
}

using datatest::bundled;
using datatest::translate;

// A headword of several words is matched from its first word as written only
// when that word is a headword or no stem rule shortens it: "tells me to" never
// matches while "tells" is missing, since the translator looks for "tell me to".
// Questions and idioms are matched as whole phrases and need no first word.
TEST(CoreLists, HeadwordsOfSeveralWordsCanBeMatched) {
    const dict::LookupView* view = bundled();
    if (!view) GTEST_SKIP() << "no bundled dictionary";
    for (const CoreLine& line : coreLines()) {
        const std::vector<std::string> w = words(line.headword);
        if (w.size() < 2 || line.label == "Question" || line.label == "Idium") continue;
        EXPECT_TRUE(view->find(w[0]) || engine::stemEnding(w[0]) == engine::StemEnding::kNone)
            << line.where << ": \"" << line.headword << "\" starts with a word the translator "
            << "shortens; list \"" << w[0] << "\" as a headword of its own or write the phrase "
            << "from the shortened word";
    }
}

TEST(CoreLists, NamesReadInThaiInTheirOrder) {
    if (!bundled()) GTEST_SKIP() << "no bundled dictionary";
    const struct {
        const char* english;
        const char* thai;
    } cases[] = {
        // a full name is one headword, not two nouns reversed
        {"Sara Danius spoke.", "ซารา ดานิอุส"},
        {"They flew to Buenos Aires.", "บัวโนสไอเรส"},
        // a first word the stem rules would shorten is a headword of its own
        {"He lives in Los Angeles.", "ลอสแอนเจลิส"},
        // hyphens and apostrophes stand as words of their own
        {"a Wi-Fi network", "ไวไฟ"},
        {"COVID-19 vaccines", "โควิด-19"},
        {"Kim Jong-un", "คิม จอง-อึน"},
        {"Alzheimer's disease", "โรคอัลไซเมอร์"},
        // a title puts the name after it
        {"Mr Tanaka is here.", "คุณทานากะ"},
        {"President Barack Obama", "ประธานาธิบดีบารัก โอบามา"},
        // a family name standing alone keeps its place after a first name
        {"Thomas Davis", "โทมัสเดวิส"},
        // a nationality follows its noun, a ruler's number its name
        {"a German company", "บริษัทเยอรมัน"},
        {"Henry VIII", "เฮนรีที่ 8"},
    };
    for (const auto& c : cases) {
        const std::string thai = translate(c.english);
        EXPECT_NE(thai.find(c.thai), std::string::npos) << c.english << " -> " << thai;
    }
}

}  // namespace
