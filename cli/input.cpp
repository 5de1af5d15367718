#include "cli/input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <memory>

namespace cli {
namespace {

// Bytes held back while a piped document's encoding is not known yet: in
// memory up to a limit, then in a temporary file that is gone once closed.
class HeldBytes final {
public:
    ~HeldBytes() {
        if (m_file) std::fclose(m_file);
    }

    // False, with a reason in *error, when the temporary file fails.
    bool append(std::string_view bytes, std::string* error) {
        if (!m_file && m_memory.size() + bytes.size() <= kMemoryLimit) {
            m_memory.append(bytes);
            return true;
        }
        if (!m_file) {
            m_file = std::tmpfile();
            if (!m_file) {
                *error = std::string("cannot hold the input in a temporary file: ") +
                         std::strerror(errno);
                return false;
            }
        }
        if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
            *error = "cannot write the temporary file";
            return false;
        }
        return true;
    }

    // Hands every byte held, in order, to `piece` and forgets them.
    bool replay(const std::function<bool(std::string_view)>& piece, std::string* error) {
        // In pieces of the usual size, so that the translation of each stays small.
        for (std::size_t at = 0; at < m_memory.size(); at += kReadSize) {
            if (!piece(std::string_view(m_memory).substr(at, kReadSize))) return false;
        }
        m_memory = std::string();
        if (!m_file) return true;
        std::rewind(m_file);
        std::string buffer(kReadSize, '\0');
        for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), m_file)) > 0;) {
            if (!piece(std::string_view(buffer.data(), n))) return false;
        }
        if (std::ferror(m_file)) {
            *error = "cannot read the temporary file";
            return false;
        }
        return true;
    }

private:
    static constexpr std::size_t kMemoryLimit = 8u << 20;
    std::string m_memory;
    std::FILE* m_file = nullptr;
};

// A document in a known encoding: decodes what follows `head` to the sink.
class Decoding final {
public:
    Decoding(engine::DocumentEncoding encoding, const TextSink& sink)
        : m_decoder(encoding), m_sink(sink) {}

    bool push(std::string_view bytes) {
        m_text.clear();
        m_decoder.decode(bytes, &m_text);
        return m_text.empty() || m_sink(m_text);
    }
    bool finish() {
        m_text.clear();
        m_decoder.finish(&m_text);
        return m_text.empty() || m_sink(m_text);
    }

private:
    engine::DocumentDecoder m_decoder;
    const TextSink& m_sink;
    std::string m_text;
};

}  // namespace

std::size_t FdSource::read(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, capacity);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno == EINTR) continue;
        m_error = std::strerror(errno);
        return 0;
    }
}

FdSource::FdSource(int fd) : m_fd(fd), m_start(-1) {
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) m_start = ::lseek(fd, 0, SEEK_CUR);
}

bool FdSource::rewind() {
    return m_start >= 0 && ::lseek(m_fd, static_cast<off_t>(m_start), SEEK_SET) == m_start;
}

std::size_t TextOnlySource::read(char* buffer, std::size_t capacity) {
    if (!m_error.empty()) return 0;
    const std::size_t n = m_inner.read(buffer, capacity);
    if (m_head.size() < 2) m_head.append(buffer, std::min<std::size_t>(n, 2 - m_head.size()));
    const bool utf16 = m_head == "\xFF\xFE" || m_head == "\xFE\xFF";
    if (!utf16 && std::memchr(buffer, 0, n) != nullptr) {
        m_error = "not a text file";
        return 0;
    }
    return n;
}

bool TextOnlySource::rewind() {
    m_head.clear();
    m_error.clear();
    return m_inner.rewind();
}

std::string checkWholeSourceIsText(ByteSource& source) {
    if (!source.rewind()) return std::string();
    TextOnlySource text(source);
    std::string buffer(kReadSize, '\0');
    while (text.read(buffer.data(), buffer.size()) > 0) {
    }
    if (!text.error().empty()) return text.error();
    return source.rewind() ? std::string() : "cannot read the file a second time";
}

std::string readDocument(ByteSource& source, std::optional<engine::DocumentEncoding> unmarked,
                         const TextSink& sink) {
    std::string buffer(kReadSize, '\0');
    const auto readPiece = [&]() {
        const std::size_t n = source.read(buffer.data(), buffer.size());
        return std::string_view(buffer.data(), n);
    };
    // The first bytes tell whether a byte-order mark starts the document; a
    // slow pipe is not waited for once they cannot begin one.
    std::string head;
    while (engine::markMayFollow(head)) {
        const std::string_view piece = readPiece();
        if (piece.empty()) break;
        head.append(piece);
    }
    if (!source.error().empty()) return source.error();

    // Hands `start` and the rest of the source to `decoding`, then finishes it.
    const auto decodeRest = [&](Decoding& decoding, std::string_view start) {
        if (!decoding.push(start)) return std::string();
        for (std::string_view piece; !(piece = readPiece()).empty();) {
            if (!decoding.push(piece)) return std::string();
        }
        if (!source.error().empty()) return source.error();
        decoding.finish();
        return std::string();
    };
    // The same from a fresh start in a known encoding.
    const auto decodeAll = [&](engine::DocumentEncoding encoding, std::string_view start) {
        Decoding decoding(encoding, sink);
        return decodeRest(decoding, start);
    };

    if (const auto mark = engine::findByteOrderMark(head)) {
        return decodeAll(mark->encoding, std::string_view(head).substr(mark->length));
    }
    if (unmarked) return decodeAll(*unmarked, head);

    if (source.rewind()) {
        // A file, back at its start: one pass finds out whether it is UTF-8,
        // the next translates it.
        engine::Utf8Check check;
        for (std::string_view piece; check.valid() && !(piece = readPiece()).empty();) {
            check.feed(piece);
        }
        if (!source.error().empty()) return source.error();
        const bool utf8 = check.finish();
        if (!source.rewind()) return "cannot read the file a second time";
        return decodeAll(
            utf8 ? engine::DocumentEncoding::kUtf8 : engine::DocumentEncoding::kWindows874,
            std::string_view());
    }

    // A pipe: ASCII reads the same in both encodings and goes on at once; from
    // the first other byte on, the input is held until it is known.
    std::string error;
    HeldBytes held;
    engine::Utf8Check check;
    bool holding = false;
    std::string_view piece = head;
    for (;;) {
        if (piece.empty()) {
            piece = readPiece();
            if (piece.empty()) break;
        }
        if (!holding) {
            std::size_t ascii = 0;
            while (ascii < piece.size() && static_cast<unsigned char>(piece[ascii]) < 0x80) ++ascii;
            if (ascii > 0 && !sink(piece.substr(0, ascii))) return std::string();
            piece.remove_prefix(ascii);
            if (piece.empty()) continue;
            holding = true;
        }
        check.feed(piece);
        if (!check.valid()) {
            // Not UTF-8: what was held, this piece and the rest are Windows-874.
            Decoding decoding(engine::DocumentEncoding::kWindows874, sink);
            if (!held.replay([&](std::string_view b) { return decoding.push(b); }, &error)) {
                return error;
            }
            return decodeRest(decoding, piece);
        }
        if (!held.append(piece, &error)) return error;
        piece = std::string_view();
    }
    if (!source.error().empty()) return source.error();
    if (!holding) return std::string();
    const engine::DocumentEncoding encoding =
        check.finish() ? engine::DocumentEncoding::kUtf8 : engine::DocumentEncoding::kWindows874;
    Decoding decoding(encoding, sink);
    if (!held.replay([&](std::string_view b) { return decoding.push(b); }, &error)) return error;
    decoding.finish();
    return std::string();
}

}  // namespace cli
