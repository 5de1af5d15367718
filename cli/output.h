// Writing the command-line translator's results: bytes to a file or a pipe,
// and the run's lists as JSON.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/output_join.h"
#include "engine/text_list.h"

namespace cli {

// Where the results go.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False once a write has failed (see error()).
    virtual bool write(std::string_view bytes) = 0;
    // Passes on what is buffered, so that a reader at the other end sees it.
    virtual bool flush() = 0;
    virtual std::string error() const = 0;
};

// A buffered sink over an open file descriptor, which it does not close.
class FdSink final : public ByteSink {
public:
    explicit FdSink(int fd) : m_fd(fd) {}
    ~FdSink() override { flush(); }
    bool write(std::string_view bytes) override;
    bool flush() override;
    std::string error() const override { return m_error; }

private:
    bool writeAll(std::string_view bytes);

    int m_fd;
    std::string m_buffer;
    std::string m_error;
};

// A sink that keeps what is written.
class StringSink final : public ByteSink {
public:
    bool write(std::string_view bytes) override {
        text.append(bytes);
        return true;
    }
    bool flush() override { return true; }
    std::string error() const override { return std::string(); }
    std::string text;
};

// The run's lists as JSON: one string, one array of strings, and the whole
// object with its keys in order, laid out as nlohmann::json's dump() lays
// them out (indent 0 writes one line).
void appendJsonString(std::string_view text, std::string* out);

// The lists of one run (or of one piece of it), the visible missing words,
// and the joiner that makes "thai" of the tokens after the pieces before.
struct RunLists {
    const engine::TextList& tokens;
    const engine::InternedTextList& arrangement;
    const engine::TextList& arrangementWords;
    const engine::TextList& missingRaw;
    const engine::TextList& missing;
    engine::OutputJoiner& joiner;
};

// Writes the object {"arrangement", "arrangementWords", "missing",
// "missingRaw", "thai", "tokens"}, with `indent` spaces per level (0: one
// line), a little at a time.
bool writeJsonObject(const RunLists& lists, int indent, ByteSink& sink);

}  // namespace cli
