// The program-wide open dictionary. Every opening replaces it as a whole, and
// the translator, the hover look-up and the editor always use the one opened
// last.
#pragma once

#include <memory>

#include "dictionary/locate.h"
#include "dictionary/store.h"

namespace dict {

// Reopens the dictionary opened last the way it was opened (after a copy on
// write: its copy); before any, locates one for editing. Makes it the
// current dictionary; on failure the current one is left as it was.
Status reopenDictionary();

// Opens the located file for editing (see openLocated) and makes it the
// current dictionary.
Status reopenDictionary(const DictionaryLocation& location);

// Opens the file at path read-write (leniently: see OpenOptions::lenient;
// when it is the user's own copy, over the shipped one) and makes it the
// current dictionary.
Status reopenDictionary(const std::string& path);

// The dictionary opened last, or nullptr before the first successful opening.
DictionaryStore* currentDictionary();

// Replaces the current dictionary (nullptr closes it).
void setCurrentDictionary(std::unique_ptr<DictionaryStore> store);

}  // namespace dict
