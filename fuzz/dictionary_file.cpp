// Fuzzes opening a dictionary file: the input is the file's bytes, opened
// through the store's usual open path (read-only or read-write, as the first
// byte says) and then looked up, browsed and, when writable, changed. Every
// failure must come back as a Status; SQLite's own checks stay on.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "dictionary/store.h"
#include "fuzz/check.h"

namespace {

std::string g_path;

bool writeFile(const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(g_path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

constexpr const char* kKeys[] = {"a", "A", "cat", "ice cream", "", "zz", "the", "walk"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsetup::lightSqlite();
    const char* shm = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    g_path = std::string(shm) + "/vantrel-fuzz-dict-" + std::to_string(getpid()) + ".db";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    // A journal or write-ahead log left by an earlier input would be rolled
    // into this one.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) std::remove((g_path + suffix).c_str());
    if (!writeFile(data + 1, size - 1)) return 0;
    dict::OpenOptions options;
    options.readOnly = (mode & 1) != 0;
    std::unique_ptr<dict::DictionaryStore> store;
    const dict::Status opened = dict::DictionaryStore::open(g_path, options, &store);
    if (!opened.isOk()) {
        CHECK(store == nullptr && !opened.message().empty());
        return 0;
    }
    dict::LookupView& lookup = store->lookup();
    CHECK(lookup.setIndex("PrimaryKey").isOk());
    dict::FieldValue value;
    for (const char* key : kKeys) {
        lookup.seek(key);
        const dict::DictRecord* found = store->find(key);
        CHECK(found == lookup.current());
        if (found) {
            CHECK(lookup.field(dict::kWordEn, &value).isOk() && value.has_value());
            CHECK(dict::keysEqual(*value, key));
        }
        (void)store->startsPhrase(key);
    }
    // Walk the ordered view; each record is found again by its headword.
    dict::BrowseView& browse = store->browse();
    std::size_t walked = 0;
    dict::BrowseView::Bookmark mark;
    if (browse.moveFirst().isOk()) {
        while (!browse.eof() && walked <= store->size()) {
            CHECK(browse.field(dict::kWordEn, &value).isOk() && value.has_value());
            CHECK(store->find(*value) != nullptr);
            if (walked == 0) CHECK(browse.bookmark(&mark).isOk());
            ++walked;
            CHECK(browse.moveNext().isOk());
        }
    }
    CHECK(walked == store->size());
    CHECK(static_cast<std::size_t>(browse.recordCount()) == store->size());
    if (walked > 0) {
        CHECK(browse.setBookmark(mark).isOk());
        CHECK(browse.absolutePosition() == 0);
    }
    // A change, and an addition, when the file may be written: a failure is a
    // Status, and the views agree with the table afterwards.
    if (!options.readOnly && walked > 0 && (mode & 2)) {
        if (browse.edit().isOk() && browse.setField(dict::kWordNoun, std::string("x")).isOk()) {
            if (!browse.update().isOk()) browse.cancelUpdate();
        }
        if (browse.addNew().isOk() &&
            browse.setField(dict::kWordEn, std::string("zz fuzz")).isOk()) {
            if (browse.update().isOk()) CHECK(store->find("zz fuzz") != nullptr);
            else browse.cancelUpdate();
        }
        CHECK(static_cast<std::size_t>(browse.recordCount()) == store->size());
    }
    return 0;
}
