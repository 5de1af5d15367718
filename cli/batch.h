// Many files at once: each FILE translated to DIR/NAME.th.txt (subtitles to
// NAME.th.srt or NAME.th.vtt), several at a time.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/stream.h"
#include "documents/formats/format.h"

namespace dict {
class LookupView;
}

namespace cli {

// Where the translation of `input`, a document of kind `format`, goes in
// `dir`: NAME.th.srt and NAME.th.vtt for subtitles, else NAME.th.txt, NAME
// being the file name without its last extension.
std::string outputPathFor(const std::string& input, const std::string& dir,
                          formats::Format format = formats::Format::kPlainText);

// The kind of the file `input` by its content; plain text when it cannot be read.
formats::Format formatOfFile(const std::string& input);

// Translates every file of `inputs` into `dir` (made when missing) with
// `jobs` threads (0: one per processor core), all reading the dictionary of
// `view`. A file that fails is named with the reason on `report`, and leaves
// no output; the others are all written. When `report` is a terminal, a
// progress line on it counts the files done. Returns how many failed.
std::size_t translateFiles(const std::vector<std::string>& inputs, const std::string& dir,
                           unsigned jobs, const dict::LookupView* view,
                           const StreamOptions& options, std::FILE* report);

}  // namespace cli
