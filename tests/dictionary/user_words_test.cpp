// The user's own words over the shipped dictionary: the record of changes,
// taking in a newer shipped dictionary, taking over a copy made without the
// record, giving a word back, and writing a list of changes at once.
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include "test_util.h"

using dict::DictRecord;
using dict::kWordEn;
using dict::kWordNoun;
using dict::kWordVerb;
using dicttest::bytes;
using dicttest::rec;
using dicttest::runSql;
using dicttest::TempDir;
namespace fs = std::filesystem;

namespace {

using Records = std::vector<DictRecord>;

Records contents(const dict::DictionaryStore& store) {
    Records out;
    store.forEach([&](const DictRecord& r) { out.push_back(r); });
    return out;
}

// The records of the file, read without taking anything in.
Records fileContents(const std::string& path) {
    dict::OpenOptions readOnly;
    readOnly.readOnly = true;
    std::unique_ptr<dict::DictionaryStore> store;
    const dict::Status s = dict::DictionaryStore::open(path, readOnly, &store);
    EXPECT_TRUE(s.isOk()) << s.message();
    return store ? contents(*store) : Records{};
}

// Puts records in place as the shipped dictionary, the way a package upgrade
// does: a new file renamed over the old one, with a time of its own.
void install(const std::string& path, const Records& records, int release) {
    fs::create_directories(fs::path(path).parent_path());
    const std::string fresh = path + ".new";
    fs::remove(fresh);
    ASSERT_TRUE(dict::DictionaryStore::create(fresh, records).isOk());
    const struct timespec times[2] = {{1700000000 + release, 0}, {1700000000 + release, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, fresh.c_str(), times, 0), 0);
    fs::rename(fresh, path);
}

DictRecord noun(const char* word, const char* meaning) {
    return rec(word, {{kWordNoun, meaning}});
}

Records release1() {
    return {noun("apple", "แอปเปิล"),
            noun("bee", "ผึ้ง"),
            rec("cat", {{kWordNoun, "แมว"}, {kWordVerb, "อ้วก"}}),
            noun("dog", "สุนัข"),
            noun("eel", "ปลาไหล"),
            noun("fox", "จิ้งจอก")};
}

// apple and fox changed, bee dropped, cat, dog and gnu given other meanings
// than the user's, hen new.
Records release2() {
    return {noun("apple", "แอปเปิ้ล"), noun("cat", "แมวบ้าน"),   noun("dog", "หมา"),
            noun("eel", "ปลาไหล"),   noun("fox", "หมาจิ้งจอก"), noun("gnu", "กนู"),
            noun("hen", "ไก่")};
}

// The user's changes over release 1: gnu added, the noun of cat changed, dog deleted.
const DictRecord kUsersCat = rec("cat", {{kWordNoun, "แมวเหมียว"}, {kWordVerb, "อ้วก"}});
const DictRecord kUsersGnu = noun("gnu", "วิลเดอบีสต์");

class UserWords : public ::testing::Test {
protected:
    TempDir m_dir;
    std::string m_shipped = m_dir.file("share/vantrel/dict.db");
    std::string m_user = m_dir.file("home/vantrel/dict.db");

    void SetUp() override { install(m_shipped, release1(), 1); }

    // The user's copy as the programs open it: for editing, or read-only for look-ups.
    std::unique_ptr<dict::DictionaryStore> openUser(bool readOnly = false) {
        dict::OpenOptions options;
        options.readOnly = readOnly;
        options.lenient = !readOnly;
        options.shipped = m_shipped;
        std::unique_ptr<dict::DictionaryStore> store;
        const dict::Status s = dict::DictionaryStore::open(m_user, options, &store);
        EXPECT_TRUE(s.isOk()) << s.message();
        return store;
    }

    // The three changes made in the editor's way on the shipped dictionary,
    // whose first write copies it to the user's place.
    void makeTheUsersChanges() {
        dict::OpenOptions options;
        options.readOnly = true;
        options.copyOnWrite = m_user;
        std::unique_ptr<dict::DictionaryStore> store;
        ASSERT_TRUE(dict::DictionaryStore::open(m_shipped, options, &store).isOk());
        dict::BrowseView& b = store->browse();
        ASSERT_TRUE(b.addNew().isOk());
        ASSERT_TRUE(b.setField(kWordEn, "gnu").isOk());
        ASSERT_TRUE(b.setField(kWordNoun, "วิลเดอบีสต์").isOk());
        ASSERT_TRUE(b.update().isOk());
        ASSERT_TRUE(b.findFirst("CAT").isOk());
        ASSERT_TRUE(b.edit().isOk());
        ASSERT_TRUE(b.setField(kWordNoun, "แมวเหมียว").isOk());
        ASSERT_TRUE(b.update().isOk());
        ASSERT_TRUE(b.findFirst("dog").isOk());
        ASSERT_TRUE(b.remove().isOk());
        EXPECT_EQ(store->path(), m_user);
        EXPECT_EQ(store->shippedPath(), m_shipped);
    }
};

}  // namespace

TEST_F(UserWords, ANewerShippedDictionaryKeepsTheUsersWordsAndBringsTheRest) {
    const Records merged = {noun("apple", "แอปเปิ้ล"), kUsersCat, noun("eel", "ปลาไหล"),
                            noun("fox", "หมาจิ้งจอก"), kUsersGnu, noun("hen", "ไก่")};
    const std::vector<dict::UserChange> changes = {
        {"cat", kUsersCat}, {"dog", std::nullopt}, {"gnu", kUsersGnu}};
    // Whichever program starts first takes it in: the editor, or a reader.
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only" : "for editing");
        fs::remove(m_user);
        install(m_shipped, release1(), 1);
        makeTheUsersChanges();
        EXPECT_EQ(openUser(readOnly)->userChanges(), changes);

        install(m_shipped, release2(), 2);
        const std::string shippedBytes = bytes(m_shipped);
        const auto store = openUser(readOnly);
        EXPECT_EQ(store->takeInProblem(), "");
        EXPECT_EQ(contents(*store), merged);
        EXPECT_EQ(store->userChanges(), changes);
        EXPECT_TRUE(store->isUsersOwn("CAT"));
        EXPECT_FALSE(store->isUsersOwn("apple"));
        EXPECT_FALSE(store->isUsersOwn("dog"));
        EXPECT_EQ(store->lookup().find("dog"), nullptr);
        EXPECT_EQ(bytes(m_shipped), shippedBytes);

        // Opened again with nothing new, the file is not written.
        const std::string userBytes = bytes(m_user);
        EXPECT_EQ(contents(*openUser(readOnly)), merged);
        EXPECT_EQ(bytes(m_user), userBytes);

        // An older shipped dictionary put back is followed as well.
        install(m_shipped, release1(), 3);
        EXPECT_EQ(contents(*openUser(readOnly)),
                  (Records{noun("apple", "แอปเปิล"), noun("bee", "ผึ้ง"), kUsersCat,
                           noun("eel", "ปลาไหล"), noun("fox", "จิ้งจอก"), kUsersGnu}));
    }
}

TEST_F(UserWords, ACopyWithoutRecordIsTakenOver) {
    // A copy made before the record of changes existed: the shipped file
    // copied whole, then changed in place.
    const auto copyWithChanges = [this] {
        fs::create_directories(fs::path(m_user).parent_path());
        fs::remove(m_user);
        fs::copy_file(m_shipped, m_user);
        runSql(m_user,
               "UPDATE dict SET Word_Noun = 'แมวเหมียว' WHERE Word_en = 'cat';"
               "DELETE FROM dict WHERE Word_en = 'dog';"
               "INSERT INTO dict (Word_en, Word_Noun) VALUES ('gnu', 'วิลเดอบีสต์');");
    };
    struct Case {
        const char* name;
        int shippedNow;  // the release installed when the new program first opens the copy
        Records expected;
        std::vector<dict::UserChange> changes;
    };
    const Case cases[] = {
        // The copy is of the installed file: the word it lacks was deleted.
        {"same release",
         1,
         {noun("apple", "แอปเปิล"), noun("bee", "ผึ้ง"), kUsersCat, noun("eel", "ปลาไหล"),
          noun("fox", "จิ้งจอก"), kUsersGnu},
         {{"cat", kUsersCat}, {"dog", std::nullopt}, {"gnu", kUsersGnu}}},
        // A newer release is installed already: whatever differs from it is
        // the user's, and the words the copy lacks come in.
        {"newer release",
         2,
         {noun("apple", "แอปเปิล"), noun("bee", "ผึ้ง"), kUsersCat, noun("dog", "หมา"),
          noun("eel", "ปลาไหล"), noun("fox", "จิ้งจอก"), kUsersGnu, noun("hen", "ไก่")},
         {{"apple", noun("apple", "แอปเปิล")},
          {"bee", noun("bee", "ผึ้ง")},
          {"cat", kUsersCat},
          {"fox", noun("fox", "จิ้งจอก")},
          {"gnu", kUsersGnu}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        install(m_shipped, release1(), 1);
        copyWithChanges();
        if (c.shippedNow == 2) install(m_shipped, release2(), 2);
        const auto store = openUser();
        EXPECT_EQ(store->takeInProblem(), "");
        EXPECT_EQ(contents(*store), c.expected);
        EXPECT_EQ(store->userChanges(), c.changes);
    }
    // From then on the copy follows the shipped dictionary like any other.
    install(m_shipped, release1(), 1);
    copyWithChanges();
    openUser();
    install(m_shipped, release2(), 2);
    EXPECT_EQ(contents(*openUser()),
              (Records{noun("apple", "แอปเปิ้ล"), kUsersCat, noun("eel", "ปลาไหล"),
                       noun("fox", "หมาจิ้งจอก"), kUsersGnu, noun("hen", "ไก่")}));
}

TEST_F(UserWords, AFileThatCannotBeWrittenNowOpensAsItIsAndTakesInLater) {
    makeTheUsersChanges();
    install(m_shipped, release2(), 2);
    const Records before = fileContents(m_user);
    {
        // Another program holds the file for writing longer than the wait.
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(m_user.c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        const auto store = openUser(true);
        EXPECT_NE(store->takeInProblem().find(m_shipped), std::string::npos)
            << store->takeInProblem();
        EXPECT_EQ(contents(*store), before);
        sqlite3_close(other);
    }
    EXPECT_EQ(openUser(true)->takeInProblem(), "");
    EXPECT_NE(fileContents(m_user), before);
    EXPECT_NE(fileContents(m_user).size(), 0u);
}

TEST_F(UserWords, AShippedFileThatIsNoDictionaryIsNotTakenIn) {
    makeTheUsersChanges();
    const Records before = fileContents(m_user);
    const struct {
        const char* name;
        std::function<void()> spoil;
    } cases[] = {
        {"without its index", [&] { runSql(m_shipped, "DROP INDEX PrimaryKey"); }},
        {"not a database", [&] { std::ofstream(m_shipped, std::ios::trunc) << "not a database"; }},
        {"without table dict", [&] { runSql(m_shipped, "DROP TABLE dict"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        install(m_shipped, release2(), 2);
        c.spoil();
        const auto store = openUser();
        EXPECT_NE(store->takeInProblem().find(m_shipped), std::string::npos)
            << store->takeInProblem();
        EXPECT_EQ(contents(*store), before);
    }
}

TEST_F(UserWords, AChangedHeadwordLeavesTheOldOneDeleted) {
    makeTheUsersChanges();
    {
        const auto store = openUser();
        dict::BrowseView& b = store->browse();
        ASSERT_TRUE(b.findFirst("eel").isOk());
        ASSERT_TRUE(b.edit().isOk());
        ASSERT_TRUE(b.setField(kWordEn, "Eels").isOk());
        ASSERT_TRUE(b.update().isOk());
        // A change of letter case alone keeps one mark, spelled anew.
        ASSERT_TRUE(b.findFirst("gnu").isOk());
        ASSERT_TRUE(b.edit().isOk());
        ASSERT_TRUE(b.setField(kWordEn, "GNU").isOk());
        ASSERT_TRUE(b.update().isOk());
    }
    install(m_shipped, release2(), 2);
    const auto store = openUser();
    EXPECT_EQ(store->find("eel"), nullptr);
    ASSERT_NE(store->find("eels"), nullptr);
    const std::vector<dict::UserChange> changes = store->userChanges();
    ASSERT_EQ(changes.size(), 5u);
    EXPECT_EQ(changes[2], (dict::UserChange{"eel", std::nullopt}));
    EXPECT_EQ(changes[3], (dict::UserChange{"Eels", noun("Eels", "ปลาไหล")}));
    EXPECT_EQ(changes[4], (dict::UserChange{"GNU", noun("GNU", "วิลเดอบีสต์")}));
}

TEST_F(UserWords, GivingBackRestoresTheShippedRecordOrRemovesTheUsersWord) {
    makeTheUsersChanges();
    install(m_shipped, release2(), 2);
    const auto store = openUser();
    dict::BrowseView& b = store->browse();

    ASSERT_TRUE(b.findFirst("cat").isOk());
    ASSERT_TRUE(b.giveBack().isOk());
    dict::FieldValue meaning;
    ASSERT_TRUE(b.field(kWordNoun, &meaning).isOk());
    EXPECT_EQ(meaning, "แมวบ้าน");
    EXPECT_EQ(*store->find("cat"), noun("cat", "แมวบ้าน"));
    EXPECT_FALSE(store->isUsersOwn("cat"));

    // A word the shipped dictionary lacks goes, and the next move finds its neighbour.
    ASSERT_TRUE(b.findFirst("eel").isOk());
    ASSERT_TRUE(b.edit().isOk());
    ASSERT_TRUE(b.setField(kWordEn, "emu").isOk());
    ASSERT_TRUE(b.update().isOk());
    ASSERT_TRUE(b.giveBack().isOk());
    EXPECT_TRUE(b.field(kWordEn, &meaning).isNoCurrentRecord());
    ASSERT_TRUE(b.moveNext().isOk());
    ASSERT_TRUE(b.field(kWordEn, &meaning).isOk());
    EXPECT_EQ(meaning, "fox");
    EXPECT_EQ(store->find("emu"), nullptr);

    // The file holds it: the next opening sees the same, and a newer shipped
    // dictionary changes the given-back word again.
    const Records now = contents(*store);
    EXPECT_EQ(contents(*openUser()), now);
    Records release3 = release2();
    release3[1] = noun("cat", "แมวไทย");
    install(m_shipped, release3, 3);
    EXPECT_EQ(*openUser()->find("cat"), noun("cat", "แมวไทย"));
    EXPECT_EQ(openUser()->userChanges(),
              (std::vector<dict::UserChange>{
                  {"dog", std::nullopt}, {"eel", std::nullopt}, {"gnu", kUsersGnu}}));

    // Without a shipped dictionary there is nothing to give back to.
    std::unique_ptr<dict::DictionaryStore> plain;
    ASSERT_TRUE(dict::DictionaryStore::open(m_user, &plain).isOk());
    ASSERT_TRUE(plain->browse().findFirst("gnu").isOk());
    EXPECT_FALSE(plain->browse().giveBack().isOk());
}

TEST_F(UserWords, ChangesAppliedAtOnceBecomeTheUsers) {
    makeTheUsersChanges();
    const std::vector<dict::UserChange> mine = openUser()->userChanges();

    // Another computer with its own copy of the same shipped dictionary.
    const std::string other = m_dir.file("other/vantrel/dict.db");
    fs::create_directories(fs::path(other).parent_path());
    fs::copy_file(m_shipped, other);
    dict::OpenOptions options;
    options.shipped = m_shipped;
    std::unique_ptr<dict::DictionaryStore> store;
    ASSERT_TRUE(dict::DictionaryStore::open(other, options, &store).isOk());
    ASSERT_TRUE(store->applyUserChanges(mine).isOk());
    EXPECT_EQ(store->userChanges(), mine);
    EXPECT_EQ(contents(*store), fileContents(m_user));
    EXPECT_EQ(fileContents(other), fileContents(m_user));

    // Refused whole: the same headword twice, or a record under another headword.
    const std::string before = bytes(other);
    for (const auto& bad : std::vector<std::vector<dict::UserChange>>{
             {{"owl", noun("owl", "นกฮูก")}, {"OWL", std::nullopt}},
             {{"owl", noun("owl", "นกฮูก")}, {"yak", noun("ox", "วัว")}},
         }) {
        EXPECT_FALSE(store->applyUserChanges(bad).isOk());
        EXPECT_EQ(store->find("owl"), nullptr);
    }
    EXPECT_EQ(bytes(other), before);
}

TEST(TableOrder, RowsOutOfKeyOrderAreBrowsedInOrder) {
    // Row orders a file can have: written in key order with rows added after
    // them, a headword changed to one far later or earlier, or any order.
    std::vector<std::string> sorted;
    char word[16];
    for (int i = 0; i < 300; ++i) {
        std::snprintf(word, sizeof word, "w%d", 1000 + i);
        sorted.push_back(word);
    }
    std::vector<std::vector<std::string>> orders;
    orders.push_back(sorted);
    auto appended = sorted;
    appended.insert(appended.end(), {"a", "w1100x", "zz", "m"});
    orders.push_back(appended);
    auto late = sorted;
    late[3] = "zzz";
    orders.push_back(late);
    auto early = sorted;
    early[250] = "a";
    orders.push_back(early);
    orders.emplace_back(sorted.rbegin(), sorted.rend());
    auto shuffled = sorted;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    orders.push_back(shuffled);

    for (std::size_t k = 0; k < orders.size(); ++k) {
        SCOPED_TRACE(k);
        TempDir dir;
        const std::string path = dir.file("dict.db");
        Records rows;
        for (const std::string& w : orders[k]) rows.push_back(rec(w));
        // create() writes rows in key order; these go in as listed.
        ASSERT_TRUE(dict::DictionaryStore::create(path, {}).isOk());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO dict (Word_en) VALUES (?1)", -1, &insert, nullptr);
        for (const std::string& w : orders[k]) {
            sqlite3_bind_text(insert, 1, w.c_str(), -1, SQLITE_STATIC);
            EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        EXPECT_EQ(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        std::sort(rows.begin(), rows.end(), [](const DictRecord& a, const DictRecord& b) {
            return dict::compareKeys(*a[kWordEn], *b[kWordEn]) < 0;
        });
        EXPECT_EQ(fileContents(path), rows);
    }
}
