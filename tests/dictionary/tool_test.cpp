// The vantrel-dict subcommands: build errors, round trip, stats, exit codes.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "dictionary/tool/command.h"
#include "dictionary/tool/tsv.h"
#include "test_util.h"
#include "tool_run.h"

using dicttest::rec;
using dicttest::TempDir;
using dicttest::tool;
using dicttest::ToolRun;

namespace {

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<dict::DictRecord> records(const std::string& db) {
    std::unique_ptr<dict::DictionaryStore> store;
    EXPECT_TRUE(dict::DictionaryStore::open(db, &store).isOk());
    std::vector<dict::DictRecord> out;
    if (store) store->forEach([&](const dict::DictRecord& r) { out.push_back(r); });
    return out;
}

std::size_t filesIn(const TempDir& dir) {
    const auto p = std::filesystem::path(dir.file("x")).parent_path();
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(p), {}));
}

}  // namespace

TEST(TsvParse, CommentsBomAndLineEnds) {
    const auto lines =
        dict::tsv::parse("\xEF\xBB\xBF# comment\r\n\na\tNoun\t x \r\r\nb\t\t\n\r\n#\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].number, 3u);
    EXPECT_EQ(lines[0].cells, (std::vector<std::string>{"a", "Noun", " x \r"}));
    EXPECT_EQ(lines[1].number, 4u);
    EXPECT_EQ(lines[1].cells, (std::vector<std::string>{"b", "", ""}));
}

TEST(ToolBuild, MergesRowsAndKeepsValuesExactly) {
    TempDir dir;
    writeFile(dir.file("a.tsv"),
              "\xEF\xBB\xBF# nouns\r\n"
              "House\tNoun\tบ้าน \r\n"
              "run\tVerb\tวิ่ง\n"
              "run\tAdv\t\n"
              "HOUSE\tNoun\tบ้าน \n"  // same meaning in other letter case: first spelling kept
              "bare\t\t\n");
    writeFile(dir.file("b.tsv"), "house\tVerb\tเก็บ\nrun\tRead\t \nwhat\tQuestion\tอะไร\n");
    const ToolRun r = tool({"build", dir.file("a.tsv"), dir.file("b.tsv"), dir.file("out.db")});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(
        records(dir.file("out.db")),
        (std::vector<dict::DictRecord>{
            rec("bare"),
            rec("House", {{dict::kWordNoun, "บ้าน "}, {dict::kWordVerb, "เก็บ"}}),
            rec("run", {{dict::kWordVerb, "วิ่ง"}, {dict::kWordAdv, ""}, {dict::kWordRead, " "}}),
            rec("what", {{dict::kWordQuestion, "อะไร"}}),
        }));
    EXPECT_EQ(filesIn(dir), 3u);  // no temporary file left
}

TEST(ToolBuild, ErrorsNameFileAndLineAndLeaveOutputUntouched) {
    using namespace std::literals;
    const struct {
        std::string_view second;  // content of the second source; the first is valid
        const char* message;
        int line;
    } cases[] = {
        {"a\tnoun\tx\n", "unknown label \"noun\"", 1},
        {"# c\nb\tIdiom\tx\n", "unknown label \"Idiom\"", 2},
        {"a\tNoun\n", "missing column", 1},
        {"\n\nheadword only\n", "missing column", 3},
        {"a\tNoun\tx\ty\n", "too many columns", 1},
        {"z\tVerb\tx\nz\tVerb\tx\n", "has label \"Verb\" twice (first at ", 2},
        {"Apple\tNoun\tอื่น\n", "differs from \"apple\" only in letter case", 1},
        {"a\t\tx\n", "unknown label \"\"", 1},
        {"b\tNoun\tx\nbreak a\r\0leg\tIdium\ty\n"sv, "headword holds a NUL", 2},
        {"b\tNoun\tx\0y\n"sv, "meaning holds a NUL", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.second);
        TempDir dir;
        writeFile(dir.file("one.tsv"), "apple\tNoun\tแอปเปิล\n");
        writeFile(dir.file("two.tsv"), std::string(c.second));
        writeFile(dir.file("out.db"), "previous");
        const ToolRun r =
            tool({"build", dir.file("one.tsv"), dir.file("two.tsv"), dir.file("out.db")});
        EXPECT_EQ(r.rc, 1);
        EXPECT_NE(r.err.find(dir.file("two.tsv") + ":" + std::to_string(c.line) + ": "),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(readFile(dir.file("out.db")), "previous");
        EXPECT_EQ(filesIn(dir), 3u);
    }
}

TEST(ToolBuild, ReplacedFileTakesItsUnfinishedChangeAlong) {
    // A journal left by a killed writer belongs to the file replaced; were it
    // left beside the new file, the next opening would roll it back into that.
    TempDir dir;
    writeFile(dir.file("new.tsv"), "new\tNoun\tใหม่\n");
    for (const bool oldFileStays : {true, false}) {
        const std::string out = dir.file(oldFileStays ? "kept.db" : "gone.db");
        ASSERT_TRUE(dict::DictionaryStore::create(out, dicttest::manyRecords("old", 400)).isOk());
        ASSERT_TRUE(dicttest::leaveUnfinishedChange(out));
        if (!oldFileStays) std::filesystem::remove(out);
        const ToolRun r = tool({"build", dir.file("new.tsv"), out});
        ASSERT_EQ(r.rc, 0) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out + "-journal"));
        EXPECT_EQ(records(out),
                  (std::vector<dict::DictRecord>{rec("new", {{dict::kWordNoun, "ใหม่"}})}));
    }
}

TEST(ToolBuild, RemovesWhatKilledRunsLeftAndNothingElse) {
    // A killed build leaves its temporary file; the next build removes such
    // files, but only its own, unlocked and untouched for a while.
    TempDir dir;
    writeFile(dir.file("new.tsv"), "new\tNoun\tใหม่\n");
    writeFile(dir.file("outside"), "x");
    const std::string out = dir.file("dict.db");
    struct Planted {
        std::string name;
        bool old;
        bool removed;
    };
    const std::vector<Planted> planted = {
        {"dict.db.tmp-aaaaaa", true, true},           // a killed run's
        {"dict.db.tmp-aaaaaa-journal", true, true},   // and its journal
        {"dict.db.tmp-bbbbbb-journal", true, true},   // a journal whose file is gone
        {"dict.db.tmp-cccccc", true, false},          // locked: being written
        {"dict.db.tmp-dddddd", false, false},         // just made
        {"dict.db.tmp-eeeeeee", true, false},         // another name
        {"other.db.tmp-ffffff", true, false},         // another dictionary's
    };
    const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const Planted& p : planted) {
        writeFile(dir.file(p.name), "partly written");
        if (p.old) std::filesystem::last_write_time(dir.file(p.name), longAgo);
    }
    std::filesystem::create_symlink(dir.file("outside"), dir.file("dict.db.tmp-gggggg"));
    const int lock = ::open(dir.file("dict.db.tmp-cccccc").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const ToolRun r = tool({"build", dir.file("new.tsv"), out});
    ::close(lock);
    ASSERT_EQ(r.rc, 0) << r.err;

    std::set<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.file(".")))
        left.insert(entry.path().filename().string());
    std::set<std::string> expected = {"new.tsv", "outside", "dict.db", "dict.db.tmp-gggggg"};
    for (const Planted& p : planted)
        if (!p.removed) expected.insert(p.name);
    EXPECT_EQ(left, expected);
    EXPECT_EQ(readFile(dir.file("outside")), "x");
    EXPECT_EQ(records(out).size(), 1u);
}

TEST(ToolBuild, UnreadableSourceIsAnError) {
    TempDir dir;
    const ToolRun r = tool({"build", dir.file("none.tsv"), dir.file("out.db")});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.err.find(dir.file("none.tsv")), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.db")));
}

TEST(ToolExport, RoundTripIsExact) {
    TempDir dir;
    // Canonical: browse order, rows in field order, one spelling per headword.
    const std::string canonical =
        "_under\tConj\t\n"
        "a lot\tIdium\tมาก\n"
        "bare\t\t\n"
        "It's\tNoun\t \n"
        "It's\tPP\tข้าง \n"
        "it's not\tAdj\tx\n"
        "run\tNoun\tการวิ่ง\n"
        "run\tVerb\tวิ่ง\n"
        "run\tAdv\t\n"
        "run\tAdj\ta\n"
        "run\tPP\tb\n"
        "run\tConj\tc\n"
        "run\tRead\td\n"
        "run\tQuestion\te\n"
        "run\tIdium\tf\n"
        "Zoo\tNoun\tสวนสัตว์\n";
    writeFile(dir.file("in.tsv"), canonical);
    ASSERT_EQ(tool({"build", dir.file("in.tsv"), dir.file("one.db")}).rc, 0);
    const ToolRun first = tool({"export", dir.file("one.db")});
    ASSERT_EQ(first.rc, 0) << first.err;
    EXPECT_EQ(first.out, canonical);

    writeFile(dir.file("again.tsv"), first.out);
    ASSERT_EQ(tool({"build", dir.file("again.tsv"), dir.file("two.db")}).rc, 0);
    EXPECT_EQ(records(dir.file("two.db")), records(dir.file("one.db")));
}

TEST(ToolExport, UnwritableValuesNameTheHeadword) {
    const struct {
        dict::DictRecord record;
        const char* word;
    } cases[] = {
        {rec("tab", {{dict::kWordNoun, "a\tb"}}), "\"tab\""},
        {rec("cr", {{dict::kWordIdiom, "a\rb"}}), "\"cr\""},
        {rec("nul", {{dict::kWordVerb, std::string("a\0b", 3)}}), "\"nul\""},
        {rec("line\nbreak"), "\"line\nbreak\""},
        {rec("#hash", {{dict::kWordNoun, "x"}}), "\"#hash\""},
    };
    for (const auto& c : cases) {
        TempDir dir;
        ASSERT_TRUE(
            dict::DictionaryStore::create(dir.file("d.db"), {rec("fine"), c.record}).isOk());
        const ToolRun r = tool({"export", dir.file("d.db")});
        EXPECT_EQ(r.rc, 1) << c.word;
        EXPECT_NE(r.err.find(c.word), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(ToolStats, CountsNonNullAndNonEmpty) {
    TempDir dir;
    writeFile(dir.file("in.tsv"), "a\tNoun\tx\nb\tNoun\t\nb\tVerb\ty\nc\t\t\n");
    ASSERT_EQ(tool({"build", dir.file("in.tsv"), dir.file("d.db")}).rc, 0);
    const ToolRun r = tool({"stats", dir.file("d.db")});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_NE(r.out.find("records: 3\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Word_Noun                2          1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Word_verb                1          1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Word_idiom               0          0\n"), std::string::npos) << r.out;
}

TEST(ToolCli, UsageAndOpenErrors) {
    TempDir dir;
    const struct {
        std::vector<std::string> args;
        int rc;
    } cases[] = {
        {{}, 2},
        {{"frobnicate"}, 2},
        {{"build", "only.tsv"}, 2},
        {{"export"}, 2},
        {{"stats", "a.db", "b.db"}, 2},
        {{"--help"}, 0},
        {{"build", "--help"}, 0},
    };
    for (const auto& c : cases) {
        const ToolRun r = tool(c.args);
        EXPECT_EQ(r.rc, c.rc) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(c.rc == 0, !r.out.empty());
    }
    for (const char* cmd : {"export", "stats"}) {
        const std::string missing = dir.file("missing.db");
        const ToolRun r = tool({cmd, missing});
        EXPECT_EQ(r.rc, 1);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("\"" + missing + "\""), std::string::npos);
    }
}

TEST(ToolCli, ExecutableReportsExitCodes) {
    TempDir dir;
    const std::string exe = VANTREL_DICT_TOOL;
    const auto status = [&](const std::string& args) {
        const int raw = std::system((exe + " " + args + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status("--help"), 0);
    EXPECT_EQ(status(""), 2);
    EXPECT_EQ(status("stats '" + dir.file("missing.db") + "'"), 1);
}
