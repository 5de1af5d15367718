// Subtitles translated in their structure: every line that is not a cue's
// text (cue numbers and identifiers, timings, the WebVTT header, notes and
// style blocks, blank lines) is written as it was, line end included, and
// each cue's text is replaced by its translation.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/input.h"
#include "cli/output.h"
#include "documents/formats/format.h"
#include "engine/document_stream.h"

namespace dict {
class LookupView;
}

namespace cli {

// Translates the subtitles of kind `format` (kSubRip or kWebVtt) read from
// `in` (decoded as readDocument() decodes, `unmarked` naming the encoding of
// a file without a byte-order mark) to `out`, a cue at a time. Each cue is
// translated on its own, its markup left out; its Thai lines take the line
// end of its English ones, and a line that translates to nothing is left out
// so that no blank line splits the cue. Returns why it failed, or the empty
// text.
std::string translateSubtitles(ByteSource& in, formats::Format format, ByteSink& out,
                               const dict::LookupView* view,
                               std::optional<engine::DocumentEncoding> unmarked);

// The Thai plain output of `english` (UTF-8), as translateStream() writes it
// for a document that holds just that text.
std::string translateText(std::string_view english, const dict::LookupView* view);

}  // namespace cli
