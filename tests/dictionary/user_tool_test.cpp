// vantrel-dict set, delete, mine and apply on the dictionary the programs
// find: the shipped copy is never written, the first change makes the user's,
// and mine and apply carry the user's words to another home. This test
// program lives outside the build's bin/ folder so that no dict.db sits
// beside it.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "test_util.h"
#include "tool_run.h"

using dicttest::bytes;
using dicttest::rec;
using dicttest::ScopedEnv;
using dicttest::TempDir;
using dicttest::tool;
using dicttest::ToolRun;
namespace fs = std::filesystem;

namespace {

std::vector<dict::DictRecord> records(const std::string& path) {
    dict::OpenOptions readOnly;
    readOnly.readOnly = true;
    std::unique_ptr<dict::DictionaryStore> store;
    EXPECT_TRUE(dict::DictionaryStore::open(path, readOnly, &store).isOk());
    std::vector<dict::DictRecord> out;
    if (store) store->forEach([&](const dict::DictRecord& r) { out.push_back(r); });
    return out;
}

// A shipped dictionary in a read-only folder and two homes, the first in use.
class UserTool : public ::testing::Test {
protected:
    TempDir m_dir;
    std::string m_shipped = m_dir.file("share/vantrel/dict.db");
    std::string m_user = m_dir.file("home/.local/share/vantrel/dict.db");
    std::string m_otherUser = m_dir.file("other/.local/share/vantrel/dict.db");
    ScopedEnv m_named{"VANTREL_DICT", nullptr};
    ScopedEnv m_dataHome{"XDG_DATA_HOME", nullptr};
    ScopedEnv m_dataDirs{"XDG_DATA_DIRS", m_dir.file("share").c_str()};
    ScopedEnv m_home{"HOME", m_dir.file("home").c_str()};

    void SetUp() override {
        fs::create_directories(fs::path(m_shipped).parent_path());
        ASSERT_TRUE(
            dict::DictionaryStore::create(
                m_shipped,
                {rec("cat", {{dict::kWordNoun, "แมว"}, {dict::kWordVerb, "อ้วก"}}),
                 rec("dog", {{dict::kWordNoun, "สุนัข"}}), rec("eel", {{dict::kWordNoun, "ปลาไหล"}})})
                .isOk());
        ::chmod(m_shipped.c_str(), 0444);
        ::chmod(fs::path(m_shipped).parent_path().c_str(), 0555);
    }
    void TearDown() override { ::chmod(fs::path(m_shipped).parent_path().c_str(), 0755); }
};

}  // namespace

TEST_F(UserTool, ChangesGoToTheUsersCopyAndMineCarriesThemToAnotherHome) {
    const std::string shipped = bytes(m_shipped);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"set", "cat", "Noun", "แมวเหมียว"},
             {"set", "Zorblat", "Noun", "ซอร์บลัต"},
             {"set", "CAT", "Adv", ""},  // one field more; the others stay
             {"delete", "DOG"},
         }) {
        const ToolRun r = tool(args);
        EXPECT_EQ(r.rc, 0) << args[0] << ": " << r.err;
    }
    EXPECT_EQ(bytes(m_shipped), shipped);
    const std::string mine =
        "cat\tNoun\tแมวเหมียว\n"
        "cat\tVerb\tอ้วก\n"
        "cat\tAdv\t\n"
        "dog\tDeleted\t\n"
        "Zorblat\tNoun\tซอร์บลัต\n";
    ToolRun r = tool({"mine"});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out, mine);

    const ToolRun missing = tool({"delete", "dog"});
    EXPECT_EQ(missing.rc, 1);
    EXPECT_NE(missing.err.find("\"dog\""), std::string::npos) << missing.err;

    // Another home: the same words after apply, and the same list.
    const std::string list = m_dir.file("my-words.tsv");
    std::ofstream(list, std::ios::binary) << mine;
    ScopedEnv otherHome("HOME", m_dir.file("other").c_str());
    r = tool({"apply", list});
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_NE(r.out.find(m_otherUser), std::string::npos) << r.out;
    EXPECT_EQ(records(m_otherUser), records(m_user));
    EXPECT_EQ(tool({"mine"}).out, mine);
    EXPECT_EQ(bytes(m_shipped), shipped);
}

TEST_F(UserTool, ApplyRefusesBadLinesAndAppliesNothing) {
    struct Case {
        const char* text;
        std::vector<std::string> reasons;  // "LINE: reason" of each bad line
    };
    const Case cases[] = {
        {"cat\tnoun\tแมว\n", {"1: unknown label \"noun\""}},
        {"# mine\ncat\tNoun\n", {"2: missing column"}},
        {"dog\tDeleted\tหมา\n", {"1: a Deleted line must have an empty meaning"}},
        {"dog\tDeleted\t\nDOG\tNoun\tหมา\n",
         {"2: headword \"DOG\" is both deleted and given meanings (also at "}},
        {"dog\tNoun\tหมา\ndog\tDeleted\t\n", {"2: headword \"dog\" is both deleted and given"}},
        {"dog\tDeleted\t\ndog\tDeleted\t\n", {"2: headword \"dog\" is deleted twice"}},
        {"\tNoun\tว่าง\n", {"1: the headword is empty"}},
        {"cat\tNoun\tแมว\ncat\tNoun\tเหมียว\n", {"2: headword \"cat\" has label \"Noun\" twice"}},
        // Every bad line is named, the good ones are not applied either.
        {"owl\tNoun\tนกฮูก\nbad\tWord\tx\nyak\tVerb\n",
         {"2: unknown label \"Word\"", "3: missing column"}},
    };
    const std::string list = m_dir.file("words.tsv");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::ofstream(list, std::ios::binary | std::ios::trunc) << c.text;
        const ToolRun r = tool({"apply", list});
        EXPECT_EQ(r.rc, 1);
        for (const std::string& reason : c.reasons)
            EXPECT_NE(r.err.find(list + ":" + reason), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("nothing applied"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(m_user));  // not even the copy was made
    }
    const ToolRun unreadable = tool({"apply", m_dir.file("absent.tsv")});
    EXPECT_EQ(unreadable.rc, 1);
    EXPECT_NE(unreadable.err.find(m_dir.file("absent.tsv")), std::string::npos);
}

TEST_F(UserTool, UsageErrorsAndANamedDictionary) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"set", "cat", "Noun"},
             {"set", "cat", "Nouns", "แมว"},
             {"set", "cat", "Noun", "แมว\tเหมียว"},
             {"set", "#cat", "Noun", "แมว"},
             {"delete"},
             {"mine", "extra"},
             {"apply"},
             {"mine", "--dict"},
         }) {
        const ToolRun r = tool(args);
        EXPECT_EQ(r.rc, 2) << args[0] << " " << args.size();
        EXPECT_NE(r.err.find("usage: vantrel-dict " + args[0]), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(m_user));

    // --dict names the file to change, in either spelling.
    const std::string named = m_dir.file("named.db");
    ASSERT_TRUE(dict::DictionaryStore::create(named, {rec("cat")}).isOk());
    EXPECT_EQ(tool({"set", "--dict", named, "cat", "Noun", "แมว"}).rc, 0);
    EXPECT_EQ(tool({"set", "owl", "Noun", "นกฮูก", "--dict=" + named}).rc, 0);
    EXPECT_EQ(tool({"mine", "--dict", named}).out, "cat\tNoun\tแมว\nowl\tNoun\tนกฮูก\n");
    EXPECT_FALSE(fs::exists(m_user));
}
