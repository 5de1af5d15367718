// Reading a document for the command-line translator: its bytes come from a
// file or a pipe a piece at a time, and its text goes on as UTF-8 as soon as
// its encoding is known.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/document_stream.h"

namespace cli {

// Where the bytes of a document come from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `capacity` bytes; 0 at the end or on an error (see error()).
    virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
    // Starts over at the first byte; false when the source cannot (a pipe).
    virtual bool rewind() = 0;
    // Why the last read failed; empty when it did not.
    virtual std::string error() const = 0;
};

// A source over an open file descriptor, which it does not close; it starts
// over where the descriptor stood when the source was made.
class FdSource final : public ByteSource {
public:
    explicit FdSource(int fd);
    std::size_t read(char* buffer, std::size_t capacity) override;
    bool rewind() override;
    std::string error() const override { return m_error; }

private:
    int m_fd;
    long long m_start;  // the offset to start over at; -1 for a pipe or a terminal
    std::string m_error;
};

// A source that refuses what is not text: a NUL byte, unless the document
// starts with a UTF-16 byte-order mark (whose text holds zero bytes), ends
// the reading with the error "not a text file". Programs and other binary
// files are caught that way; invalid UTF-8 is still text (Windows-874).
class TextOnlySource final : public ByteSource {
public:
    explicit TextOnlySource(ByteSource& inner) : m_inner(inner) {}
    std::size_t read(char* buffer, std::size_t capacity) override;
    bool rewind() override;
    std::string error() const override { return m_error.empty() ? m_inner.error() : m_error; }

private:
    ByteSource& m_inner;
    std::string m_head;  // the first two bytes, which may be a UTF-16 mark
    std::string m_error;
};

// Reads a source that can start over (a file) to its end through a
// TextOnlySource and starts it over; returns why it is not text (or cannot
// be read), or the empty text. A source that cannot start over is left alone.
std::string checkWholeSourceIsText(ByteSource& source);

// Receives the document's text, a piece of UTF-8 at a time (a piece may end
// inside a character); false stops the reading.
using TextSink = std::function<bool(std::string_view text)>;

// Reads the whole document from `source` and hands its text to `sink`. The
// encoding follows documentBytesToUtf8(): a byte-order mark decides, then
// valid UTF-8 is taken as it is and anything else is read as Windows-874;
// `unmarked` (kUtf8Marked or kWindows874) names the encoding of a document
// without a mark instead. Text goes on as soon as it is certain: from a file,
// which is checked for UTF-8 first, at once; from a pipe, its ASCII start at
// once and the rest once the input ends or shows a byte that is not UTF-8
// (held meanwhile in a temporary file). Returns why reading failed, or the
// empty text.
std::string readDocument(ByteSource& source, std::optional<engine::DocumentEncoding> unmarked,
                         const TextSink& sink);

// Bytes read from a source at a time.
constexpr std::size_t kReadSize = 1 << 16;

}  // namespace cli
