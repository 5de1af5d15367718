// The program-wide open dictionary. Every opening replaces it as a whole, and
// the translator, the hover look-up and the editor always use the one opened
// last.
#pragma once

#include <memory>

#include "dictionary/store.h"

namespace dict {

// Opens dict.db beside the executable and makes it the current dictionary;
// on failure the current one is left as it was.
Status reopenDictionary();

// Opens the file at path and makes it the current dictionary (tests, tools).
Status reopenDictionary(const std::string& path);

// The dictionary opened last, or nullptr before the first successful opening.
DictionaryStore* currentDictionary();

// Replaces the current dictionary (nullptr closes it).
void setCurrentDictionary(std::unique_ptr<DictionaryStore> store);

}  // namespace dict
