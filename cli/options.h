// The command line of vantrel-translate.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/stream.h"

namespace cli {

extern const char* const kUsage;

struct Options {
    std::string dictPath;  // empty: the dictionary search (VANTREL_DICT, beside the program, ...)
    StreamOptions stream;
    std::string outputDir;            // set: each input is translated into a file there
    unsigned jobs = 0;                // files translated at a time; 0: one per processor core
    std::vector<std::string> inputs;  // none: standard input
};

enum class Parsed { kRun, kHelp, kVersion, kError };

// Reads the arguments (without the program name) into *options; on kError,
// *error says what is wrong.
Parsed parseOptions(const std::vector<std::string>& args, Options* options, std::string* error);

}  // namespace cli
