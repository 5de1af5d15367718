// Where the programs find their dictionary file, the same for all three:
// the file named by --dict or VANTREL_DICT; dict.db beside the executable
// (build trees and portable copies); the user's own copy under
// $XDG_DATA_HOME/vantrel; the shipped copy under the folders of
// $XDG_DATA_DIRS; last, the data folder of the prefix the programs were
// installed into. The first that exists wins.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dict {

// Which rule of the search found the dictionary.
enum class DictionaryOrigin {
    kNamed,          // --dict FILE or VANTREL_DICT
    kBesideProgram,  // dict.db in the executable's folder
    kUserCopy,       // $XDG_DATA_HOME/vantrel/dict.db
    kShipped,        // vantrel/dict.db under a data folder: never written
};

struct DictionaryLocation {
    std::string path;  // the file to open; empty when nothing was found
    DictionaryOrigin origin = DictionaryOrigin::kNamed;
    std::vector<std::string> searched;  // every file looked for, in order
    // For the user's copy: the shipped copy it follows (the first that
    // exists), or empty when there is none.
    std::string shipped;
};

// The dictionary's file name.
constexpr std::string_view kDictionaryFileName = "dict.db";

// True when both paths name one existing file.
bool isSameFile(const std::string& a, const std::string& b);

// The folder that holds the running executable.
std::string executableFolder();

// The user's copy: $XDG_DATA_HOME/vantrel/dict.db, $HOME/.local/share when
// XDG_DATA_HOME is unset or not absolute.
std::string userDictionaryPath();

// The folders searched for the shipped copy: those of $XDG_DATA_DIRS
// (/usr/local/share:/usr/share when unset or empty) that are absolute, then
// the installed data folder relative to the executable.
std::vector<std::string> shippedDictionaryPaths();

// Runs the search. A non-empty `named` (the --dict value) wins, then
// VANTREL_DICT; a named file is taken even when it does not exist, so that
// opening it reports the problem (and counts as the user's copy when it is
// that file). Otherwise path is empty when no file exists.
DictionaryLocation locateDictionary(std::string_view named = {});

// One line for --help and the editor: the file in use and, for the shipped
// copy, where the first change will be saved.
std::string describeLocation(const DictionaryLocation& location);

}  // namespace dict
