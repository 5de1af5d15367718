// A document file's English text, whatever its kind: the entry point the
// window and the command-line tool share.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "documents/formats/format.h"
#include "documents/formats/status.h"
#include "documents/formats/text_layout.h"

namespace formats {

// Reads the formatted document held in `bytes`, of kind `format` as
// detectFormat() found it (isFormatted()), and hands its text (UTF-8, lines
// ended by "\n") to `sink` a piece at a time. A document larger than
// Limits::maxDocumentBytes is refused unread. *found, when given, gets the
// kind read (a zip container's kind, told by its members).
Status readFormatted(std::string_view bytes, Format format, const TextLayout::Sink& sink,
                     const Limits& limits = Limits(), Format* found = nullptr);

// A file's bytes, mapped into memory read-only for as long as it lives.
class MappedFile final {
public:
    // Maps the regular file open at `fd` (which may be closed afterwards).
    static Status map(int fd, std::unique_ptr<MappedFile>* file);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    std::string_view bytes() const { return m_bytes; }

private:
    MappedFile() = default;
    std::string_view m_bytes;
};

// The kind of the regular file open at `fd`, by its first bytes (read without
// moving the file offset); `name` gives the extension that may tip the
// balance.
Status detectFile(int fd, std::string_view name, Format* format);

// Reads the formatted file open at `fd` as readFormatted() does; a file past
// the size limit is refused without being read.
Status readFormattedFile(int fd, Format format, const TextLayout::Sink& sink,
                         const Limits& limits = Limits(), Format* found = nullptr);

}  // namespace formats
