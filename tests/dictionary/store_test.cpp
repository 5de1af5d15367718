// Opening, creating and keyed look-up of dictionary files.
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "test_util.h"

using dicttest::rec;
using dicttest::runSql;
using dicttest::TempDir;

namespace {

std::unique_ptr<dict::DictionaryStore> openOk(const std::string& path) {
    std::unique_ptr<dict::DictionaryStore> store;
    dict::Status s = dict::DictionaryStore::open(path, &store);
    EXPECT_TRUE(s.isOk()) << s.message();
    return store;
}

constexpr const char* kSchema =
    "CREATE TABLE dict (Word_en TEXT NOT NULL, Word_Noun TEXT, Word_verb TEXT, Word_adv TEXT, "
    "Word_Adj TEXT, Word_pp TEXT, Word_Conj TEXT, Word_read TEXT, Word_Question TEXT, "
    "Word_idiom TEXT);";
constexpr const char* kIndex = "CREATE UNIQUE INDEX PrimaryKey ON dict (Word_en COLLATE NOCASE);";

}  // namespace

TEST(KeySemantics, FoldsOnlyAsciiLetters) {
    struct Case {
        const char* a;
        const char* b;
        int order;  // sign of compareKeys(a, b)
    };
    const Case cases[] = {
        {"Apple", "apple", 0},
        {"ZEBRA", "zebra", 0},
        {"a", "b", -1},
        {"B", "a", 1},
        {"ab", "abc", -1},
        {"_", "Z", -1},  // letters fold to lower case, so '_' sorts before every letter
        {"[", "a", -1},
        {"\xC3\x89", "\xC3\xA9", -1},  // É and é stay different
        {"\xE0\xB8\x81", "\xE0\xB8\x81", 0},
        {"café", "CAFÉ", 1},  // é and É are not folded
        {"", "", 0},
    };
    for (const Case& c : cases) {
        const int got = dict::compareKeys(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(dict::keysEqual(c.a, c.b), c.order == 0) << c.a << " vs " << c.b;
    }
}

TEST(KeySemantics, FieldNamesIgnoreCase) {
    EXPECT_EQ(dict::fieldIndex("Word_Adv"), dict::kWordAdv);
    EXPECT_EQ(dict::fieldIndex("word_PP"), dict::kWordPP);
    EXPECT_EQ(dict::fieldIndex("WORD_EN"), dict::kWordEn);
    EXPECT_EQ(dict::fieldIndex("Word_idium"), -1);
}

TEST(Lookup, SeekIgnoresAsciiCaseButNothingElse) {
    TempDir dir;
    const std::string path = dir.file("dict.db");
    ASSERT_TRUE(
        dict::DictionaryStore::create(path, {rec("house", {{dict::kWordNoun, "บ้าน"}}), rec("café"),
                                             rec("New York", {{dict::kWordNoun, "นิวยอร์ก"}})})
            .isOk());
    auto store = openOk(path);
    ASSERT_TRUE(store);
    dict::LookupView& lv = store->lookup();
    ASSERT_TRUE(lv.setIndex("PrimaryKey").isOk());
    EXPECT_FALSE(lv.setIndex("Other").isOk());

    const struct {
        const char* key;
        const char* found;  // nullptr: no match
    } cases[] = {{"House", "house"}, {"HOUSE", "house"}, {"new york", "New York"},
                 {"café", "café"},   {"CAFÉ", nullptr},  {"house ", nullptr},
                 {"hous", nullptr},  {"", nullptr}};
    for (const auto& c : cases) {
        lv.seek(c.key);
        ASSERT_EQ(lv.noMatch(), c.found == nullptr) << c.key;
        const dict::DictRecord* viaFind = lv.find(c.key);
        if (!c.found) {
            EXPECT_EQ(viaFind, nullptr);
            dict::FieldValue v;
            EXPECT_TRUE(lv.field(0, &v).isNoCurrentRecord());
            continue;
        }
        dict::FieldValue v;
        ASSERT_TRUE(lv.field("word_en", &v).isOk());
        EXPECT_EQ(v, c.found);
        ASSERT_NE(viaFind, nullptr);
        EXPECT_EQ((*viaFind)[0], c.found);
    }
}

TEST(Lookup, AbsentEmptyAndSpaceStayDistinct) {
    TempDir dir;
    const std::string path = dir.file("dict.db");
    ASSERT_TRUE(
        dict::DictionaryStore::create(
            path,
            {rec("run", {{dict::kWordVerb, "วิ่ง"}, {dict::kWordAdv, ""}, {dict::kWordAdj, " "}})})
            .isOk());
    auto store = openOk(path);
    ASSERT_TRUE(store);
    const dict::DictRecord* r = store->find("RUN");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ((*r)[dict::kWordNoun], std::nullopt);
    EXPECT_EQ((*r)[dict::kWordVerb], "วิ่ง");
    EXPECT_EQ((*r)[dict::kWordAdv], "");
    EXPECT_EQ((*r)[dict::kWordAdj], " ");
    for (int pos : {5, 6, 7, 8, 9}) EXPECT_EQ((*r)[pos], std::nullopt) << pos;
}

TEST(Open, EmptyTableIsFine) {
    TempDir dir;
    const std::string path = dir.file("dict.db");
    ASSERT_TRUE(dict::DictionaryStore::create(path, {}).isOk());
    auto store = openOk(path);
    ASSERT_TRUE(store);
    EXPECT_EQ(store->size(), 0u);
    EXPECT_EQ(store->browse().recordCount(), 0);
    EXPECT_TRUE(store->browse().bof());
    EXPECT_TRUE(store->browse().eof());
}

TEST(Open, AcceptsSchemaWrittenInOtherLetterCase) {
    TempDir dir;
    const std::string path = dir.file("dict.db");
    runSql(path,
           "CREATE TABLE dict (word_EN TEXT NOT NULL, Word_noun TEXT, Word_Verb TEXT, Word_Adv "
           "TEXT, Word_adj TEXT, Word_PP TEXT, Word_conj TEXT, Word_Read TEXT, Word_question "
           "TEXT, Word_Idiom TEXT);"
           "CREATE UNIQUE INDEX primarykey ON dict (Word_en COLLATE NOCASE);"
           "INSERT INTO dict (word_en, word_noun) VALUES ('it''s', 'x');");
    auto store = openOk(path);
    ASSERT_TRUE(store);
    EXPECT_NE(store->find("IT'S"), nullptr);
}

TEST(Open, ErrorsNameTheFileAndReason) {
    TempDir dir;
    const std::string garbage = dir.file("garbage.db");
    std::ofstream(garbage) << std::string(4096, 'x');
    const std::string noTable = dir.file("notable.db");
    runSql(noTable, "CREATE TABLE other (a TEXT);");
    const std::string noIndex = dir.file("noindex.db");
    runSql(noIndex, kSchema);
    const std::string plainIndex = dir.file("plainindex.db");
    runSql(plainIndex,
           (std::string(kSchema) + "CREATE UNIQUE INDEX PrimaryKey ON dict (Word_en);").c_str());
    const std::string wrongColumns = dir.file("columns.db");
    runSql(wrongColumns,
           "CREATE TABLE dict (Word_en TEXT NOT NULL, Word_verb TEXT, Word_Noun TEXT, Word_adv "
           "TEXT, Word_Adj TEXT, Word_pp TEXT, Word_Conj TEXT, Word_read TEXT, Word_Question "
           "TEXT, Word_idiom TEXT);");
    const std::string folder = dir.file("folder.db");
    ::mkdir(folder.c_str(), 0755);

    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {dir.file("missing.db"), "No such file"},
        {garbage, "file is not a database"},
        {noTable, "no table dict"},
        {noIndex, "PrimaryKey"},
        {plainIndex, "PrimaryKey"},
        {wrongColumns, "columns"},
        {folder, "not a regular file"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<dict::DictionaryStore> store;
        dict::Status s = dict::DictionaryStore::open(c.path, &store);
        EXPECT_EQ(s.code(), dict::Status::kOther) << c.path;
        EXPECT_EQ(store, nullptr);
        EXPECT_NE(s.message().find("\"" + c.path + "\""), std::string::npos) << s.message();
        EXPECT_NE(s.message().find(c.reason), std::string::npos) << s.message();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.db")));
}

TEST(Open, LockedFileIsAnError) {
    TempDir dir;
    const std::string path = dir.file("dict.db");
    ASSERT_TRUE(dict::DictionaryStore::create(path, {rec("a")}).isOk());
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::unique_ptr<dict::DictionaryStore> store;
    dict::Status s = dict::DictionaryStore::open(path, &store);
    EXPECT_EQ(s.code(), dict::Status::kOther);
    EXPECT_NE(s.message().find("locked"), std::string::npos) << s.message();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(dict::DictionaryStore::open(path, &store).isOk());
}

TEST(Open, PermissionProblemsAreErrors) {
    if (::geteuid() == 0) GTEST_SKIP() << "file modes do not bind the superuser";
    TempDir dir;
    const std::string path = dir.file("dict.db");
    ASSERT_TRUE(dict::DictionaryStore::create(path, {rec("a")}).isOk());
    for (mode_t mode : {0444, 0000}) {
        ::chmod(path.c_str(), mode);
        std::unique_ptr<dict::DictionaryStore> store;
        dict::Status s = dict::DictionaryStore::open(path, &store);
        EXPECT_EQ(s.code(), dict::Status::kOther) << mode;
        EXPECT_NE(s.message().find(path), std::string::npos) << s.message();
    }
}

TEST(Open, ReadOnlyOpeningUndoesTheChangeOfAKilledWriter) {
    TempDir dir;
    const std::string path = dir.file("dict.db");
    ASSERT_TRUE(dict::DictionaryStore::create(path, dicttest::manyRecords("word", 400)).isOk());
    std::vector<dict::DictRecord> before;
    openOk(path)->forEach([&](const dict::DictRecord& r) { before.push_back(r); });
    ASSERT_TRUE(dicttest::leaveUnfinishedChange(path));
    dict::OpenOptions readOnly;
    readOnly.readOnly = true;
    std::unique_ptr<dict::DictionaryStore> store;
    const dict::Status s = dict::DictionaryStore::open(path, readOnly, &store);
    ASSERT_TRUE(s.isOk()) << s.message();
    std::vector<dict::DictRecord> read;
    store->forEach([&](const dict::DictRecord& r) { read.push_back(r); });
    EXPECT_TRUE(read == before);
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
}

TEST(Create, RefusesExistingFileAndDuplicateKeys) {
    TempDir dir;
    const std::string path = dir.file("dict.db");
    ASSERT_TRUE(dict::DictionaryStore::create(path, {rec("a")}).isOk());
    EXPECT_FALSE(dict::DictionaryStore::create(path, {rec("b")}).isOk());
    auto store = openOk(path);
    ASSERT_TRUE(store);
    EXPECT_NE(store->find("a"), nullptr);  // the first file is untouched

    const std::string dup = dir.file("dup.db");
    dict::Status s = dict::DictionaryStore::create(dup, {rec("Word"), rec("x"), rec("WORD")});
    EXPECT_TRUE(s.isDuplicateKey()) << s.message();
    EXPECT_FALSE(std::filesystem::exists(dup));
}

TEST(Create, InMemoryStoreIsWritableAndRefusesDuplicateKeys) {
    std::unique_ptr<dict::DictionaryStore> store;
    ASSERT_TRUE(dict::DictionaryStore::createInMemory(
                    {rec("walk", {{dict::kWordVerb, "เดิน"}}), rec("cat")}, &store)
                    .isOk());
    EXPECT_EQ(*(*store->find("WALK"))[dict::kWordVerb], "เดิน");
    dict::FieldValue first;
    ASSERT_TRUE(store->browse().field(dict::kWordEn, &first).isOk());
    EXPECT_EQ(first, "cat");  // browsing starts on the first record
    ASSERT_TRUE(store->browse().addNew().isOk());
    ASSERT_TRUE(store->browse().setField(dict::kWordEn, std::string("dog")).isOk());
    ASSERT_TRUE(store->browse().update().isOk());
    EXPECT_NE(store->find("dog"), nullptr);

    std::unique_ptr<dict::DictionaryStore> dup;
    EXPECT_TRUE(dict::DictionaryStore::createInMemory({rec("Word"), rec("WORD")}, &dup)
                    .isDuplicateKey());
    EXPECT_EQ(dup, nullptr);
}

TEST(Open, DamagedFileListingARowTwiceIsAnError) {
    // A damaged b-tree that hands the same row out twice.
    const std::string path = VANTREL_TEST_DATA "/row_listed_twice.db";
    std::unique_ptr<dict::DictionaryStore> store;
    dict::OpenOptions options;
    options.readOnly = true;
    const dict::Status s = dict::DictionaryStore::open(path, options, &store);
    EXPECT_FALSE(s.isOk());
    EXPECT_NE(s.message().find(path), std::string::npos) << s.message();
    EXPECT_NE(s.message().find("twice"), std::string::npos) << s.message();
    EXPECT_EQ(store, nullptr);
}

TEST(Open, DictionaryBesideExecutable) {
    const std::string path = dict::dictionaryPathBesideExecutable();
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf);
    ASSERT_GT(n, 0);
    const std::filesystem::path exe(std::string(buf, static_cast<size_t>(n)));
    EXPECT_EQ(path, (exe.parent_path() / "dict.db").string());
}

TEST(Lookup, LargeTableFindsEveryWord) {
    TempDir dir;
    const std::string path = dir.file("dict.db");
    std::vector<dict::DictRecord> records;
    for (int i = 0; i < 5000; ++i) {
        const std::string number = std::to_string(i);
        records.push_back(rec("w" + number, {{dict::kWordNoun, number}}));
    }
    ASSERT_TRUE(dict::DictionaryStore::create(path, records).isOk());
    auto store = openOk(path);
    ASSERT_TRUE(store);
    ASSERT_EQ(store->size(), records.size());
    for (int i = 0; i < 5000; ++i) {
        const std::string number = std::to_string(i);
        const dict::DictRecord* r = store->find("W" + number);
        ASSERT_NE(r, nullptr) << i;
        EXPECT_EQ((*r)[dict::kWordNoun], number);
    }
    EXPECT_EQ(store->find("w5000"), nullptr);
}

TEST(Lookup, FindFoldsOnlyAsciiLettersAtEveryKeyLength) {
    // Keys of every length around the hash's eight-byte steps, with letters
    // next to the characters just outside A-Z ('@', '[') and Thai bytes.
    TempDir dir;
    const std::string path = dir.file("dict.db");
    std::vector<std::string> words;
    const std::string alphabet = "aZ@[m\xE0\xB8\x81q_y`{";
    for (std::size_t n = 1; n <= 20; ++n)
        words.push_back(alphabet.substr(0, std::min(n, alphabet.size())) +
                        std::string(n > alphabet.size() ? n - alphabet.size() : 0, 'k'));
    std::vector<dict::DictRecord> records;
    for (const auto& w : words) records.push_back(rec(w, {{dict::kWordNoun, w}}));
    ASSERT_TRUE(dict::DictionaryStore::create(path, records).isOk());
    auto store = openOk(path);
    ASSERT_TRUE(store);
    for (const auto& w : words) {
        std::string upper = w, lower = w;
        for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
        for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        EXPECT_NE(store->find(upper), nullptr) << upper;
        EXPECT_NE(store->find(lower), nullptr) << lower;
        std::string shifted = w;
        for (char& c : shifted) {
            if (c == '@')
                c = '`';  // differ only in the bit that folds letters
            else if (c == '[')
                c = '{';
        }
        if (shifted != w && std::find(words.begin(), words.end(), shifted) == words.end()) {
            EXPECT_EQ(store->find(shifted), nullptr) << shifted;
        }
    }
}
