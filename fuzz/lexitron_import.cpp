// Fuzzes the import of LEXiTRON data: the input is one source file (the
// thaidict JSON or the etlex tagged text, as the first byte says, or a plain
// TSV list), read, turned into records and laid under a small core as
// `vantrel-dict import` does. The records it writes must read back through
// the TSV reader of `vantrel-dict build` unchanged (its collector then
// hands the store only records it can compile).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/import/import.h"
#include "dictionary/store.h"
#include "dictionary/tool/tsv.h"
#include "fuzz/check.h"

namespace {

std::vector<dict::DictRecord> g_core;

dict::DictRecord record(std::string word, int field, std::string meaning) {
    dict::DictRecord r;
    r[dict::kWordEn] = std::move(word);
    if (field > 0) r[field] = std::move(meaning);
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsetup::lightSqlite();
    g_core = {record("the", dict::kWordAdj, ""), record("cat", dict::kWordNoun, "แมว"),
              record("walk", dict::kWordVerb, "เดิน"), record("ice cream", dict::kWordNoun, "ไอศกรีม"),
              record("good", dict::kWordAdj, "ดี"), record("book", dict::kWordNoun, "หนังสือ")};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    dictimport::Source source;
    std::string error;
    bool read = false;
    switch (data[0] % 4) {
        case 0: read = dictimport::readThaidictJson(text, &source, &error); break;
        case 1: read = dictimport::readEtlex(text, &source, &error); break;
        case 2: read = dictimport::readTsv(text, &source, &error); break;
        default: read = dictimport::readBackTsv(text, &source, &error); break;
    }
    if (!read) {
        CHECK(!error.empty());
        return 0;
    }
    dictimport::Report report;
    std::vector<dict::DictRecord> records = dictimport::buildRecords(source, &report);
    if (data[0] & 4) records = dictimport::layUnder(g_core, records, &report);
    std::ostringstream printed;
    report.print(printed);

    // Written as the import writes them, read back as build reads them.
    std::ostringstream tsvText;
    std::vector<dict::DictRecord> written;
    for (const dict::DictRecord& r : records) {
        CHECK(r[dict::kWordEn].has_value());
        if (dict::tsv::writeRecord(tsvText, r, &error)) written.push_back(r);
    }
    dict::tsv::RecordCollector collector;
    for (const dict::tsv::Line& line : dict::tsv::parse(tsvText.str()))
        CHECK(collector.add("import.tsv", line, &error));
    CHECK(collector.records() == written);
    return 0;
}
