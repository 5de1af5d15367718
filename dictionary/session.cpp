#include "dictionary/session.h"

namespace dict {
namespace {

std::unique_ptr<DictionaryStore>& current() {
    static std::unique_ptr<DictionaryStore> store;
    return store;
}

}  // namespace

Status reopenDictionary() { return reopenDictionary(dictionaryPathBesideExecutable()); }

Status reopenDictionary(const std::string& path) {
    std::unique_ptr<DictionaryStore> store;
    Status s = DictionaryStore::open(path, &store);
    if (s.isOk()) current() = std::move(store);
    return s;
}

DictionaryStore* currentDictionary() { return current().get(); }

void setCurrentDictionary(std::unique_ptr<DictionaryStore> store) { current() = std::move(store); }

}  // namespace dict
