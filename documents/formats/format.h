// The kinds of document the programs read, and how a file's kind is found:
// by its content, the name's extension only deciding what the content leaves
// open.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

enum class Format {
    kPlainText,
    kPdf,
    kZip,       // a zip container: Word, OpenDocument or EPUB, told by its members
    kDocx,
    kOdt,
    kEpub,
    kCompound,  // an OLE compound file: an encrypted Office document or a legacy .doc
    kHtml,
    kSubRip,
    kWebVtt,
};

// True for the formats whose text is taken out of their markup or layout (all
// but plain text and subtitles); these have a size limit, plain text has none.
bool isFormatted(Format format);
bool isSubtitles(Format format);

// A short English name ("PDF", "Word document", ...), for messages.
const char* formatName(Format format);

// The kind of the document whose first bytes are `head`: magic bytes, then
// the markup of HTML and the cue syntax of subtitles. `complete` says that
// `head` is the whole document. Returns nothing while more bytes are needed to
// tell (a pipe's first piece may be short); with kDetectBytes of head or a
// complete one it always decides. `extension` (lower case, without the dot)
// tips the balance for an HTML fragment. A zip container is kZip until its
// members are looked at.
std::optional<Format> detectFormat(std::string_view head, bool complete,
                                   std::string_view extension = {});

// The bytes detectFormat() may need.
constexpr std::size_t kDetectBytes = 4096;

// The lower-case extension of a file name, without the dot; empty without one.
std::string extensionOf(std::string_view path);

// Name patterns of the files the programs read, for file dialogs and lists:
// {"*.txt", "*.pdf", ...}.
const std::vector<std::string>& documentPatterns();

// Limits that keep a hostile document from using unbounded memory or time.
struct Limits {
    // A formatted document larger than this is refused unread.
    std::uint64_t maxDocumentBytes = 1ull << 30;
    // Zip members may unpack to no more than this in all ...
    std::uint64_t maxUnpackedBytes = 200ull << 20;
    // ... nor to more than this many times the size of the file.
    std::uint64_t maxUnpackRatio = 100;
    // XML entity references may add no more than this many bytes of text.
    std::uint64_t maxEntityBytes = 1ull << 20;
};

}  // namespace formats
