// One document through the translator as a stream: read a piece, translate
// it, write what is final, and keep only what a later piece needs.
#pragma once

#include <optional>
#include <string>

#include "cli/input.h"
#include "cli/output.h"
#include "engine/document_stream.h"

namespace dict {
class LookupView;
}

namespace cli {

// What a translation writes.
enum class OutputFormat {
    kPlain,  // the Thai document, the input's line ends kept, written as it is made
    kJson,   // one JSON object with every list of the run, at the end
    kJsonl,  // one JSON object per line of input, and one for the end
};

struct StreamOptions {
    OutputFormat format = OutputFormat::kPlain;
    // The encoding of a document without a byte-order mark, when not found out.
    std::optional<engine::DocumentEncoding> unmarked;
};

// Translates the document of `in` with the dictionary of `view` (nullptr:
// every word is missing) and writes the result to `out`. The output is the
// same as that of one run over the whole document; in plain form it goes out
// as each piece is read, in constant memory. A document that is not text
// (see TextOnlySource) fails with "not a text file"; from a file before any
// output. Returns why it failed, or the empty text.
std::string translateStream(ByteSource& in, ByteSink& out, const dict::LookupView* view,
                            const StreamOptions& options);

}  // namespace cli
