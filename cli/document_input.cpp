#include "cli/document_input.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/subtitle_output.h"
#include "documents/formats/document_reader.h"
#include "documents/formats/subtitles.h"

namespace cli {
namespace {

// A temporary file that is gone once closed.
class TemporaryFile final {
public:
    TemporaryFile() : m_file(std::tmpfile()) {}
    ~TemporaryFile() {
        if (m_file) std::fclose(m_file);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    std::FILE* get() const { return m_file; }

private:
    std::FILE* m_file;
};

}  // namespace

std::size_t StringSource::read(char* buffer, std::size_t capacity) {
    const std::size_t n = std::min(capacity, m_text.size() - m_at);
    std::memcpy(buffer, m_text.data() + m_at, n);
    m_at += n;
    return n;
}

// A pipe: the bytes read to find its kind, then the rest of it.
class DocumentInput::PipeSource final : public ByteSource {
public:
    PipeSource(std::string head, ByteSource& rest) : m_head(std::move(head)), m_rest(rest) {}
    std::size_t read(char* buffer, std::size_t capacity) override {
        if (m_at < m_head.size()) {
            const std::size_t n = std::min(capacity, m_head.size() - m_at);
            std::memcpy(buffer, m_head.data() + m_at, n);
            m_at += n;
            return n;
        }
        return m_rest.read(buffer, capacity);
    }
    bool rewind() override { return false; }
    std::string error() const override { return m_rest.error(); }

private:
    std::string m_head;
    std::size_t m_at = 0;
    ByteSource& m_rest;
};

// The text of a formatted document: held in memory up to a limit, then in a
// temporary file, and read back as a source.
class DocumentInput::TextSpool final : public ByteSource {
public:
    bool append(std::string_view text) {
        if (!m_error.empty()) return false;
        if (!m_file && m_memory.size() + text.size() <= kMemoryLimit) {
            m_memory.append(text);
            return true;
        }
        if (!m_file) {
            m_file = std::make_unique<TemporaryFile>();
            if (!m_file->get()) return fail("cannot hold the text in a temporary file");
            if (!write(m_memory)) return false;
            m_memory = std::string();
        }
        return write(text);
    }

    std::size_t read(char* buffer, std::size_t capacity) override {
        if (!m_file) {
            const std::size_t n = std::min(capacity, m_memory.size() - m_at);
            std::memcpy(buffer, m_memory.data() + m_at, n);
            m_at += n;
            return n;
        }
        const std::size_t n = std::fread(buffer, 1, capacity, m_file->get());
        if (n == 0 && std::ferror(m_file->get())) fail("cannot read the temporary file");
        return n;
    }
    bool rewind() override {
        m_at = 0;
        return !m_file || std::fseek(m_file->get(), 0, SEEK_SET) == 0;
    }
    std::string error() const override { return m_error; }

private:
    static constexpr std::size_t kMemoryLimit = 8u << 20;

    bool write(std::string_view text) {
        if (std::fwrite(text.data(), 1, text.size(), m_file->get()) == text.size()) return true;
        return fail(std::string("cannot write the temporary file: ") + std::strerror(errno));
    }
    bool fail(std::string error) {
        if (m_error.empty()) m_error = std::move(error);
        return false;
    }

    std::string m_memory;
    std::size_t m_at = 0;
    std::unique_ptr<TemporaryFile> m_file;
    std::string m_error;
};

DocumentInput::DocumentInput(int fd, std::string name)
    : m_fd(fd), m_name(std::move(name)), m_fdSource(fd) {}

DocumentInput::~DocumentInput() = default;

ByteSource& DocumentInput::source() {
    if (m_pipe) return *m_pipe;
    return m_fdSource;
}

std::string DocumentInput::detect() {
    struct stat st;
    m_file = ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode);
    if (m_file) {
        const formats::Status status = formats::detectFile(m_fd, m_name, &m_format);
        return status.isOk() ? std::string() : status.message();
    }
    // A pipe tells its kind from as few bytes as will do, so that a slow one
    // is not waited for.
    const std::string extension = formats::extensionOf(m_name);
    std::string head;
    std::string buffer(kReadSize, '\0');
    for (;;) {
        const std::size_t n = m_fdSource.read(buffer.data(), buffer.size());
        if (!m_fdSource.error().empty()) return m_fdSource.error();
        head.append(buffer.data(), n);
        if (const auto format = formats::detectFormat(head, n == 0, extension)) {
            m_format = *format;
            break;
        }
    }
    m_pipe = std::make_unique<PipeSource>(std::move(head), m_fdSource);
    return std::string();
}

std::string DocumentInput::translate(ByteSink& out, const dict::LookupView* view,
                                     const StreamOptions& options) {
    const formats::Limits limits;
    if (m_format == formats::Format::kPlainText) return translateStream(source(), out, view, options);

    StreamOptions utf8 = options;
    utf8.unmarked = engine::DocumentEncoding::kUtf8;
    if (formats::isSubtitles(m_format)) {
        if (options.format == OutputFormat::kPlain) {
            return translateSubtitles(source(), m_format, out, view, options.unmarked);
        }
        // The lists of one run over the English of the cues.
        if (std::string refused = checkWholeSourceIsText(source()); !refused.empty()) return refused;
        TextOnlySource checked(source());
        std::string text;
        bool tooLarge = false;
        std::string error = readDocument(checked, options.unmarked, [&](std::string_view piece) {
            text.append(piece);
            tooLarge = text.size() > limits.maxDocumentBytes;
            return !tooLarge;
        });
        if (!error.empty()) return error;
        if (tooLarge) {
            return formats::Status::make(formats::Status::Kind::kTooLarge,
                                         "subtitles over 1 GB, whose lists would not fit")
                .message();
        }
        const std::string english = formats::subtitleText(text, m_format);
        StringSource cues(english);
        return translateStream(cues, out, view, utf8);
    }

    if (!m_text) {
        if (std::string error = load(); !error.empty()) return error;
    }
    m_text->rewind();
    return translateStream(*m_text, out, view, utf8);
}

std::string DocumentInput::load() {
    if (!formats::isFormatted(m_format) || m_text) return std::string();
    // A formatted document is read whole before its translation starts; from
    // a pipe it is first kept in a temporary file.
    const formats::Limits limits;
    int fd = m_fd;
    TemporaryFile piped;
    if (!m_file) {
        if (!piped.get()) return std::string("cannot keep the input in a temporary file: ") +
                                 std::strerror(errno);
        std::string buffer(kReadSize, '\0');
        std::uint64_t total = 0;
        for (std::size_t n; (n = source().read(buffer.data(), buffer.size())) > 0;) {
            total += n;
            if (total > limits.maxDocumentBytes) {
                return formats::Status::make(formats::Status::Kind::kTooLarge,
                                             "more than the 1 GB read at most")
                    .message();
            }
            if (std::fwrite(buffer.data(), 1, n, piped.get()) != n) {
                return std::string("cannot write the temporary file: ") + std::strerror(errno);
            }
        }
        if (!source().error().empty()) return source().error();
        if (std::fflush(piped.get()) != 0) {
            return std::string("cannot write the temporary file: ") + std::strerror(errno);
        }
        fd = fileno(piped.get());
    }
    auto text = std::make_unique<TextSpool>();
    const formats::Status status = formats::readFormattedFile(
        fd, m_format, [&](std::string_view piece) { return text->append(piece); }, limits,
        &m_format);
    if (!text->error().empty()) return text->error();
    if (!status.isOk()) return status.message();
    m_text = std::move(text);
    return std::string();
}

}  // namespace cli
