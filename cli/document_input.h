// The command-line translator over documents of every kind the readers know:
// the kind found by content, a formatted document read into text before any
// translation is written, subtitles translated cue by cue in their structure,
// plain text streamed as before.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "cli/input.h"
#include "cli/output.h"
#include "cli/stream.h"
#include "documents/formats/format.h"

namespace dict {
class LookupView;
}

namespace cli {

// A source over text held in memory; it can start over.
class StringSource final : public ByteSource {
public:
    explicit StringSource(std::string_view text) : m_text(text) {}
    std::size_t read(char* buffer, std::size_t capacity) override;
    bool rewind() override {
        m_at = 0;
        return true;
    }
    std::string error() const override { return std::string(); }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

// The kind of the document open at `fd` (a file or a pipe), by its first
// bytes; `name` (empty for standard input) gives the extension that may tip
// the balance. A file is left at its start; a pipe's first bytes are kept for
// translateDocument(). Returns why reading failed, or the empty text.
class DocumentInput final {
public:
    DocumentInput(int fd, std::string name);
    ~DocumentInput();
    DocumentInput(const DocumentInput&) = delete;
    DocumentInput& operator=(const DocumentInput&) = delete;

    std::string detect();
    formats::Format format() const { return m_format; }

    // Reads a formatted document whole (detect() first); nothing for plain
    // text and subtitles, which stream. Returns why it cannot be read, or the
    // empty text. translate() calls it when it was not called before.
    std::string load();

    // Translates the document (detect() first) to `out`, as translateStream()
    // does plain text. Subtitles in plain output keep their structure: cue
    // numbers, timings, notes and blank lines as they were, each cue's text
    // translated. A formatted document is read whole first: when it cannot
    // be, nothing is written. Returns why it failed, or the empty text.
    std::string translate(ByteSink& out, const dict::LookupView* view,
                          const StreamOptions& options);

private:
    class PipeSource;
    class TextSpool;
    // The source a translation reads: the file, or the pipe with its first bytes.
    ByteSource& source();

    int m_fd;
    std::string m_name;
    formats::Format m_format = formats::Format::kPlainText;
    bool m_file = false;
    FdSource m_fdSource;
    std::unique_ptr<PipeSource> m_pipe;
    std::unique_ptr<TextSpool> m_text;  // a formatted document's text, once loaded
};

}  // namespace cli
