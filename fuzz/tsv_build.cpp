// Fuzzes the `vantrel-dict build` path: the input is a TSV word list, read by
// the tool's reader and record collector and compiled into a dictionary (in
// memory: the same statements as the file). A list the collector accepts
// must compile, and the dictionary must hold exactly the collected records.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "dictionary/store.h"
#include "dictionary/tool/tsv.h"
#include "fuzz/check.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsetup::lightSqlite();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    dict::tsv::RecordCollector collector;
    std::string error;
    for (const dict::tsv::Line& line : dict::tsv::parse(text)) {
        CHECK(line.number > 0 && !line.cells.empty());
        if (!collector.add("input.tsv", line, &error)) {
            CHECK(!error.empty());
            return 0;
        }
    }
    const std::vector<dict::DictRecord>& records = collector.records();
    std::unique_ptr<dict::DictionaryStore> store;
    CHECK(dict::DictionaryStore::createInMemory(records, &store).isOk());
    CHECK(store->size() == records.size());
    for (const dict::DictRecord& rec : records) {
        const dict::DictRecord* found = store->find(*rec[dict::kWordEn]);
        CHECK(found != nullptr && *found == rec);
    }
    // The ordered view walks every record once.
    dict::BrowseView& browse = store->browse();
    std::size_t walked = 0;
    if (browse.moveFirst().isOk()) {
        while (!browse.eof()) {
            ++walked;
            CHECK(browse.moveNext().isOk());
        }
    }
    CHECK(walked == records.size());
    return 0;
}
