// Where the programs find their dictionary, and the read-only shipped copy
// that the first write copies to the user's place. This test program lives
// outside the build's bin/ folder so that no dict.db sits beside it.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "dictionary/locate.h"
#include "test_util.h"

using dicttest::bytes;
using dicttest::rec;
using dicttest::ScopedEnv;
using dicttest::TempDir;
namespace fs = std::filesystem;

namespace {

void writeDictionary(const std::string& path, const std::string& meaning) {
    fs::create_directories(fs::path(path).parent_path());
    ASSERT_TRUE(
        dict::DictionaryStore::create(path, {rec("love", {{dict::kWordVerb, meaning}})}).isOk());
}

// A shipped dictionary in a read-only folder, and an empty user data folder.
struct ShippedSetup {
    TempDir dir;
    std::string shipped = dir.file("shipped/vantrel/dict.db");
    std::string user = dir.file("home/data/vantrel/dict.db");
    ScopedEnv named{"VANTREL_DICT", nullptr};
    ScopedEnv dataHome{"XDG_DATA_HOME", dir.file("home/data").c_str()};
    ScopedEnv dataDirs{"XDG_DATA_DIRS", dir.file("shipped").c_str()};

    ShippedSetup() {
        writeDictionary(shipped, "รัก");
        ::chmod(shipped.c_str(), 0444);
        ::chmod(fs::path(shipped).parent_path().c_str(), 0555);
    }
    ~ShippedSetup() { ::chmod(fs::path(shipped).parent_path().c_str(), 0755); }
};

}  // namespace

TEST(Locate, FirstExistingPlaceWins) {
    TempDir dir;
    const std::string home = dir.file("home");
    const std::string user = dir.file("home/.local/share/vantrel/dict.db");
    const std::string xdgUser = dir.file("xdg/vantrel/dict.db");
    const std::string first = dir.file("a/vantrel/dict.db");
    const std::string second = dir.file("b/vantrel/dict.db");
    ScopedEnv homeEnv("HOME", home.c_str());
    ScopedEnv dirs("XDG_DATA_DIRS",
                   ("relative/ignored:" + dir.file("a") + "/:" + dir.file("b")).c_str());
    ScopedEnv named("VANTREL_DICT", nullptr);
    ScopedEnv dataHome("XDG_DATA_HOME", nullptr);

    // Nothing exists yet: every place was looked at, in order.
    dict::DictionaryLocation none = dict::locateDictionary();
    EXPECT_TRUE(none.path.empty());
    ASSERT_GE(none.searched.size(), 4u);
    EXPECT_EQ(none.searched[0], dict::executableFolder() + "/dict.db");
    EXPECT_EQ(none.searched[1], user);
    EXPECT_EQ(none.searched[2], first);
    EXPECT_EQ(none.searched[3], second);
    EXPECT_NE(dict::describeLocation(none).find(second), std::string::npos);

    writeDictionary(second, "2");
    EXPECT_EQ(dict::locateDictionary().path, second);
    writeDictionary(first, "1");
    EXPECT_EQ(dict::locateDictionary().path, first);
    EXPECT_EQ(dict::locateDictionary().origin, dict::DictionaryOrigin::kShipped);
    writeDictionary(user, "u");
    EXPECT_EQ(dict::locateDictionary().path, user);
    EXPECT_EQ(dict::locateDictionary().origin, dict::DictionaryOrigin::kUserCopy);
    // The user's copy lies over the first shipped copy, also when named.
    EXPECT_EQ(dict::locateDictionary().shipped, first);
    const dict::DictionaryLocation byName =
        dict::locateDictionary(dir.file("home/.local/../.local/share/vantrel/dict.db"));
    EXPECT_EQ(byName.origin, dict::DictionaryOrigin::kUserCopy);
    EXPECT_EQ(byName.shipped, first);
    EXPECT_NE(dict::describeLocation(byName).find(first), std::string::npos);
    EXPECT_TRUE(dict::locateDictionary(first).shipped.empty());
    {
        ScopedEnv xdg("XDG_DATA_HOME", dir.file("xdg").c_str());
        EXPECT_EQ(dict::userDictionaryPath(), xdgUser);
        EXPECT_EQ(dict::locateDictionary().path, first);  // the copy under HOME no longer counts
    }
    {
        ScopedEnv env("VANTREL_DICT", "/named/by/env.db");
        EXPECT_EQ(dict::locateDictionary().path, "/named/by/env.db");
        EXPECT_EQ(dict::locateDictionary("/named/by/option.db").path, "/named/by/option.db");
        EXPECT_EQ(dict::locateDictionary().origin, dict::DictionaryOrigin::kNamed);
    }
}

TEST(Locate, UnsetDataDirsMeanTheSystemFolders) {
    ScopedEnv dirs("XDG_DATA_DIRS", nullptr);
    const std::vector<std::string> paths = dict::shippedDictionaryPaths();
    ASSERT_GE(paths.size(), 2u);
    EXPECT_EQ(paths[0], "/usr/local/share/vantrel/dict.db");
    EXPECT_EQ(paths[1], "/usr/share/vantrel/dict.db");
}

TEST(ShippedCopy, ReadsWithoutWritingAndCopiesOnTheFirstWrite) {
    ShippedSetup setup;
    const std::string before = bytes(setup.shipped);
    const dict::DictionaryLocation location = dict::locateDictionary();
    ASSERT_EQ(location.path, setup.shipped);
    EXPECT_NE(dict::describeLocation(location).find(setup.user), std::string::npos);

    // Look-ups only: no copy place, and a write is refused.
    std::unique_ptr<dict::DictionaryStore> reader;
    ASSERT_TRUE(dict::openLocated(location, dict::Access::kRead, &reader).isOk());
    ASSERT_TRUE(reader->browse().addNew().isOk());
    ASSERT_TRUE(reader->browse().setField(dict::kWordEn, "hate").isOk());
    EXPECT_FALSE(reader->browse().update().isOk());
    EXPECT_FALSE(fs::exists(setup.user));

    // Editing: the views keep their place across the copy; a duplicate is
    // refused before anything is copied.
    std::unique_ptr<dict::DictionaryStore> store;
    ASSERT_TRUE(dict::openLocated(location, dict::Access::kEdit, &store).isOk());
    EXPECT_TRUE(store->options().readOnly);
    dict::BrowseView& browse = store->browse();
    ASSERT_TRUE(browse.addNew().isOk());
    ASSERT_TRUE(browse.setField(dict::kWordEn, "LOVE").isOk());
    EXPECT_TRUE(browse.update().isDuplicateKey());
    EXPECT_FALSE(fs::exists(setup.user));
    ASSERT_TRUE(browse.setField(dict::kWordEn, "hate").isOk());
    ASSERT_TRUE(browse.setField(dict::kWordVerb, "เกลียด").isOk());
    ASSERT_TRUE(browse.update().isOk());
    EXPECT_EQ(store->path(), setup.user);
    EXPECT_FALSE(store->options().readOnly);
    EXPECT_TRUE(store->options().lenient);  // reopened as any file opened for editing
    EXPECT_EQ(store->shippedPath(), setup.shipped);
    ASSERT_TRUE(browse.findFirst("love").isOk());
    ASSERT_TRUE(browse.edit().isOk());
    ASSERT_TRUE(browse.setField(dict::kWordVerb, "ชอบ").isOk());
    ASSERT_TRUE(browse.update().isOk());

    EXPECT_EQ(bytes(setup.shipped), before);
    EXPECT_EQ(dict::locateDictionary().path, setup.user);
    std::unique_ptr<dict::DictionaryStore> reopened;
    ASSERT_TRUE(dict::DictionaryStore::open(setup.user, &reopened).isOk());
    ASSERT_NE(reopened->find("hate"), nullptr);
    EXPECT_EQ(*(*reopened->find("love"))[dict::kWordVerb], "ชอบ");
    EXPECT_EQ(reopened->size(), 2u);
    for (const auto& entry : fs::directory_iterator(fs::path(setup.user).parent_path()))
        EXPECT_EQ(entry.path().filename(), "dict.db");  // no temporary file left behind
}

TEST(ShippedCopy, NeverReplacesAUserCopyAndReportsWhyItCannotCopy) {
    ShippedSetup setup;
    std::unique_ptr<dict::DictionaryStore> store;
    ASSERT_TRUE(dict::openLocated(dict::locateDictionary(), dict::Access::kEdit, &store).isOk());

    // A copy made meanwhile (another window) stays as it is.
    writeDictionary(setup.user, "ของผู้ใช้");
    const std::string mine = bytes(setup.user);
    EXPECT_FALSE(store->browse().remove().isOk());
    EXPECT_EQ(bytes(setup.user), mine);
    EXPECT_TRUE(store->options().readOnly);

    // A user data folder that cannot be made (a file stands in its way).
    fs::remove_all(fs::path(setup.user).parent_path().parent_path());
    std::ofstream(setup.dir.file("home/data")) << "not a folder";
    const dict::Status s = store->makeWritable();
    EXPECT_FALSE(s.isOk());
    EXPECT_NE(s.message().find(setup.user), std::string::npos) << s.message();
    EXPECT_TRUE(store->options().readOnly);
    EXPECT_NE(store->find("love"), nullptr);
}
