// vantrel-dict stats: record count and per-field meaning counts.
#include <array>
#include <iomanip>

#include "dictionary/tool/command.h"
#include "dictionary/tool/tsv.h"

namespace dict::tool {

int runStats(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::unique_ptr<DictionaryStore> store;
    if (const int code = openOnlyDictionary("stats", args, err, &store); code != kExitOk)
        return code;
    std::array<std::size_t, kFieldCount> nonNull{};
    std::array<std::size_t, kFieldCount> nonEmpty{};
    store->forEach([&](const DictRecord& record) {
        for (int pos = 1; pos < kFieldCount; ++pos) {
            if (!record[pos]) continue;
            ++nonNull[static_cast<std::size_t>(pos)];
            if (!record[pos]->empty()) ++nonEmpty[static_cast<std::size_t>(pos)];
        }
    });
    out << "records: " << store->size() << "\n"
        << std::left << std::setw(16) << "field" << std::right << std::setw(10) << "non-null"
        << std::setw(11) << "non-empty"
        << "\n";
    for (int pos = 1; pos < kFieldCount; ++pos) {
        const auto i = static_cast<std::size_t>(pos);
        out << std::left << std::setw(16) << kFieldNames[i] << std::right << std::setw(10)
            << nonNull[i] << std::setw(11) << nonEmpty[i] << "\n";
    }
    return kExitOk;
}

}  // namespace dict::tool
