#include "dictionary/session.h"

namespace dict {
namespace {

std::unique_ptr<DictionaryStore>& current() {
    static std::unique_ptr<DictionaryStore> store;
    return store;
}

Status replaceWith(Status opened, std::unique_ptr<DictionaryStore> store) {
    if (opened.isOk()) current() = std::move(store);
    return opened;
}

}  // namespace

Status reopenDictionary() {
    if (!current()) return reopenDictionary(locateDictionary());
    std::unique_ptr<DictionaryStore> store;
    Status s = DictionaryStore::open(current()->path(), current()->options(), &store);
    return replaceWith(std::move(s), std::move(store));
}

Status reopenDictionary(const DictionaryLocation& location) {
    std::unique_ptr<DictionaryStore> store;
    Status s = openLocated(location, Access::kEdit, &store);
    return replaceWith(std::move(s), std::move(store));
}

Status reopenDictionary(const std::string& path) {
    // Named, the user's own copy still lies over the shipped one.
    return reopenDictionary(locateDictionary(path));
}

DictionaryStore* currentDictionary() {
    return current().get();
}

void setCurrentDictionary(std::unique_ptr<DictionaryStore> store) {
    current() = std::move(store);
}

}  // namespace dict
