// Document bytes turned into UTF-8 a piece at a time, by the rules of
// documentBytesToUtf8(): a document read this way, in pieces cut anywhere,
// gives the same text as the whole document read at once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

// How the bytes of a document are read.
enum class DocumentEncoding {
    kUtf8,        // valid UTF-8, taken as it is
    kUtf8Marked,  // UTF-8 after its byte-order mark: a bad sequence becomes U+FFFD
    kUtf16Le,     // UTF-16 after its byte-order mark, as Notepad writes it
    kUtf16Be,
    kWindows874,  // anything else
};

// A byte-order mark: the encoding it names and its length in bytes.
struct ByteOrderMark {
    DocumentEncoding encoding;
    std::size_t length;
};

// The byte-order mark a document starts with, if any; `head` holds its first
// bytes, as many as markMayFollow() asks for, or the whole document.
std::optional<ByteOrderMark> findByteOrderMark(std::string_view head);

// True while `head` is a proper beginning of a byte-order mark: more bytes
// are needed before findByteOrderMark() can tell.
bool markMayFollow(std::string_view head);

// Turns the bytes of a document of known encoding (after any mark) into
// UTF-8. Bytes that may belong to a character not complete yet wait for the
// next piece.
class DocumentDecoder final {
public:
    explicit DocumentDecoder(DocumentEncoding encoding) : m_encoding(encoding) {}

    // Appends the text of the next bytes to *out.
    void decode(std::string_view bytes, std::string* out);
    // Appends the text of the bytes still waiting at the end of the document.
    void finish(std::string* out);

private:
    // Decodes bytes, keeping in m_pending what may go on; `last` decodes all.
    void decodeAll(std::string_view bytes, bool last, std::string* out);

    DocumentEncoding m_encoding;
    std::string m_pending;
    std::string m_carry;
};

// Whether the bytes of a document are valid UTF-8 (isValidUtf8()), checked a
// piece at a time.
class Utf8Check final {
public:
    void feed(std::string_view bytes);
    // True while no invalid sequence has been seen.
    bool valid() const { return m_valid; }
    // The verdict once the document has ended.
    bool finish();

private:
    void check(std::string_view bytes, bool last);

    bool m_valid = true;
    std::string m_pending;
    std::string m_carry;
};

}  // namespace engine
