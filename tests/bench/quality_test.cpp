#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bench/first_meaning.h"
#include "dictionary/store.h"

namespace quality {
namespace {

namespace fs = std::filesystem;

dict::DictRecord rec(std::string word, std::vector<std::pair<int, std::string>> fields) {
    dict::DictRecord r;
    r[dict::kWordEn] = std::move(word);
    for (auto& [pos, value] : fields) r[pos] = std::move(value);
    return r;
}

class QualityBench : public testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "vantrel-quality-XXXXXX").string();
        m_dir = ::mkdtemp(tmpl.data());
        m_dict = (m_dir / "dict.db").string();
        ASSERT_TRUE(
            dict::DictionaryStore::create(
                m_dict,
                {rec("the", {{dict::kWordAdj, ""}}), rec("house", {{dict::kWordNoun, "บ้าน"}}),
                 rec("run", {{dict::kWordNoun, ""}, {dict::kWordVerb, "วิ่ง"}}),
                 rec("quickly", {{dict::kWordNoun, " "}, {dict::kWordAdv, "อย่างรวดเร็ว"}}),
                 rec("red", {{dict::kWordAdj, "แดง"}, {dict::kWordIdiom, "สีแดง"}}),
                 rec("how", {{dict::kWordQuestion, "อย่างไร"}}),
                 rec("don't", {{dict::kWordVerb, "ไม่"}}), rec("big", {{dict::kWordAdj, "ใหญ่"}}),
                 rec("is", {{dict::kWordVerb, "เป็น"}}), rec("near", {{dict::kWordPP, "ใกล้"}}),
                 rec("old", {{dict::kWordAdj, "เก่า"}}), rec("river", {{dict::kWordNoun, "แม่น้ำ"}})})
                .isOk());
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Writes NAME.eng and NAME.tha into folder (made when missing).
    static void writePair(const fs::path& folder, const std::string& name, const std::string& eng,
                          const std::string& tha) {
        fs::create_directories(folder);
        std::ofstream(folder / (name + ".eng"), std::ios::binary) << eng;
        std::ofstream(folder / (name + ".tha"), std::ios::binary) << tha;
    }

    struct Result {
        int status = -1;
        std::string out, err;
    };
    // Runs a program with arguments (and `env`, "NAME=value" or empty).
    Result run(const std::string& program, const std::vector<std::string>& args,
               const std::string& env = {}) const {
        const fs::path out = m_dir / "stdout.txt", err = m_dir / "stderr.txt";
        std::string cmd = env.empty() ? "" : "env '" + env + "' ";
        cmd += "'" + program + "'";
        for (const std::string& a : args) cmd += " '" + a + "'";
        cmd += " >'" + out.string() + "' 2>'" + err.string() + "' </dev/null";
        Result r;
        const int raw = std::system(cmd.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(out);
        r.err = slurp(err);
        return r;
    }
    Result quality(std::vector<std::string> args, const std::string& env = {}) const {
        args.insert(args.begin(), {"--dict", m_dict});
        return run(VANTREL_QUALITY, args, env);
    }

    static std::string slurp(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    // The fields of the table row of pair (or "pooled"), empty when absent.
    static std::vector<std::string> row(const std::string& out, const std::string& name) {
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            std::vector<std::string> fields;
            for (std::string w; words >> w;) fields.push_back(w);
            if (fields.size() == 8 && fields[0] == name) return fields;
        }
        return {};
    }

    fs::path m_dir;
    std::string m_dict;
};

TEST_F(QualityBench, FirstMeaningRendersEachWordOnItsOwn) {
    std::unique_ptr<dict::DictionaryStore> store;
    ASSERT_TRUE(dict::DictionaryStore::open(m_dict, &store).isOk());
    const struct {
        const char* english;
        const char* thai;
    } cases[] = {
        {"", ""},
        {"The house", "บ้าน"},                     // an all-blank meaning gives nothing
        {"Run QUICKLY!", "วิ่งอย่างรวดเร็ว!"},        // empty and blank meanings are passed over
        {"red", "แดง"},                           // field order, not the idiom
        {"how", "อย่างไร"},                        // a question alone
        {"I don't run", "Iไม่วิ่ง"},                 // the apostrophe inside the word
        {"I don\u2019t run", "Iไม่วิ่ง"},            // typographic too
        {"'red' house", "'แดง'บ้าน"},              // quotes are punctuation
        {"Sara Danius house", "Sara Daniusบ้าน"},  // a space between Latin tokens only
        {"a WiFi  in 2017", "a WiFi in 2017"},
        {"house, red\thouse.", "บ้าน,แดงบ้าน."},
        {"ข้าว house", "ข้าวบ้าน"},  // Thai is a word, copied when missing
    };
    for (const auto& c : cases) EXPECT_EQ(firstMeaningLine(*store, c.english), c.thai) << c.english;
}

TEST_F(QualityBench, DumpHoldsWhatTheTranslatorGivesEachLine) {
    const std::vector<std::string> lines = {"The big red house is near the old river.",
                                            "zork house, big house", "How are you?",
                                            "Sara Danius runs quickly"};
    std::string eng, tha;
    for (const std::string& l : lines) {
        eng += l + "\r\n";  // CR LF line ends are read as LF
        tha += "บ้าน\n";
    }
    writePair(m_dir / "pairs", "p", eng, tha);
    const Result r = quality({"--dump", (m_dir / "out").string(), (m_dir / "pairs").string()});
    ASSERT_EQ(r.status, 0) << r.err;

    std::istringstream dumped(slurp(m_dir / "out" / "p.hyp"));
    for (const std::string& line : lines) {
        std::ofstream(m_dir / "line.txt", std::ios::binary) << line << "\n";
        Result cli = run(VANTREL_TRANSLATE, {"--dict", m_dict, (m_dir / "line.txt").string()});
        ASSERT_EQ(cli.status, 0) << cli.err;
        while (!cli.out.empty() && cli.out.back() == '\n') cli.out.pop_back();
        std::string hyp;
        ASSERT_TRUE(std::getline(dumped, hyp)) << line;
        EXPECT_EQ(hyp, cli.out) << line;
    }
    std::string extra;
    EXPECT_FALSE(std::getline(dumped, extra)) << extra;
}

TEST_F(QualityBench, ScoresEveryPairAndThePool) {
    // Thai that is the English itself: English copied scores 100.
    writePair(m_dir / "pairs", "same", "red house\nold river\n", "red house\nold river\n");
    writePair(m_dir / "pairs", "thai", "red house\n", "บ้านแดง\n");
    const Result r = quality({(m_dir / "pairs").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> same = row(r.out, "same"), thai = row(r.out, "thai"),
                                   pooled = row(r.out, "pooled");
    ASSERT_FALSE(same.empty()) << r.out;
    ASSERT_FALSE(thai.empty()) << r.out;
    ASSERT_FALSE(pooled.empty()) << r.out;
    EXPECT_EQ(same[1], "2");
    EXPECT_EQ(same[4], "100.00");  // English copied, chrF2
    EXPECT_EQ(same[5], "100.00");  // and chrF2++
    EXPECT_EQ(thai[2], "100.00");  // the translator's Thai is the reference
    EXPECT_EQ(thai[6], "44.72");  // first meaning: "แดงบ้าน", the right letters out of order
    EXPECT_EQ(pooled[1], "3");
}

TEST_F(QualityBench, ReadsOnlyTheDevFolderByDefault) {
    const fs::path measure = m_dir / "measure";
    writePair(measure / "dev", "devpair", "house\n", "บ้าน\n");
    writePair(measure / "mt", "heldout", "house\n", "บ้าน\n");
    writePair(measure / "prose", "heldout2", "house\n", "บ้าน\n");
    const Result r = quality({}, "VANTREL_MEASURE_DIR=" + measure.string());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(row(r.out, "devpair").empty()) << r.out;
    EXPECT_EQ(r.out.find("heldout"), std::string::npos) << r.out;
}

TEST_F(QualityBench, SkipsAMissingFolderInOneLine) {
    const Result r = quality({}, "VANTREL_MEASURE_DIR=" + (m_dir / "none").string());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "vantrel-quality: no folder " + (m_dir / "none" / "dev").string() +
                         ", skipped\nvantrel-quality: no pairs to score\n");
}

TEST_F(QualityBench, ReportsAMisalignedPairAndScoresTheOthers) {
    writePair(m_dir / "pairs", "bad", "house\nriver\n", "บ้าน\n");
    writePair(m_dir / "pairs", "good", "house\n", "บ้าน\n");
    const Result r = quality({(m_dir / "pairs").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vantrel-quality: bad: 2 English lines but 1 Thai lines, skipped\n");
    EXPECT_FALSE(row(r.out, "good").empty()) << r.out;
}

TEST_F(QualityBench, OnlyAndWorstNarrowTheReport) {
    writePair(m_dir / "pairs", "a", "house\nold river\n", "บ้าน\nแม่น้ำ\n");
    writePair(m_dir / "pairs", "b", "house\n", "บ้าน\n");
    Result r = quality({"--only", "a", "--worst", "1", (m_dir / "pairs").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(row(r.out, "a").empty()) << r.out;
    EXPECT_TRUE(row(r.out, "b").empty()) << r.out;
    EXPECT_NE(r.out.find("a:2\n  English:   old river\n  reference: แม่น้ำ\n  program:   "),
              std::string::npos)
        << r.out;

    r = quality({"--only", "c", (m_dir / "pairs").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vantrel-quality: no pair c\n");
}

}  // namespace
}  // namespace quality
