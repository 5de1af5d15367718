#include "cli/output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <nlohmann/json.hpp>

#include "engine/utf8.h"

namespace cli {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

// Writes one array of strings, the items after the first each on a line of
// their own when indented.
template <typename List>
bool writeArray(const List& items, int indent, ByteSink& sink, std::string* out) {
    if (items.count() == 0) {
        out->append("[]");
        return true;
    }
    const std::string itemIndent(static_cast<std::size_t>(indent) * 2, ' ');
    const std::string closeIndent(static_cast<std::size_t>(indent), ' ');
    out->push_back('[');
    for (std::size_t i = 0; i < items.count(); ++i) {
        if (i > 0) out->push_back(',');
        if (indent > 0) out->append("\n").append(itemIndent);
        appendJsonString(items.view(i), out);
        if (out->size() >= kBufferSize) {
            if (!sink.write(*out)) return false;
            out->clear();
        }
    }
    if (indent > 0) out->append("\n").append(closeIndent);
    out->push_back(']');
    return true;
}

}  // namespace

bool FdSink::write(std::string_view bytes) {
    if (!m_error.empty()) return false;
    if (m_buffer.size() + bytes.size() > kBufferSize) {
        if (!flush()) return false;
        if (bytes.size() >= kBufferSize) return writeAll(bytes);
    }
    m_buffer.append(bytes);
    return true;
}

bool FdSink::flush() {
    if (!m_error.empty()) return false;
    const bool ok = writeAll(m_buffer);
    m_buffer.clear();
    return ok;
}

bool FdSink::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            m_error = std::strerror(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool ThaiWriter::write(std::string_view thai) {
    m_scratch.clear();
    for (const char c : thai) {
        if (c == '\r') {
            m_scratch.push_back('\n');
            m_afterCarriageReturn = true;
            continue;
        }
        if (!(c == '\n' && m_afterCarriageReturn)) m_scratch.push_back(c);
        m_afterCarriageReturn = false;
    }
    return m_scratch.empty() || m_sink.write(m_scratch);
}

namespace {

// The characters of text as they stand between the quotes of a JSON string.
void appendJsonEscaped(std::string_view text, std::string* out) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out->append("\\\"");
                break;
            case '\\':
                out->append("\\\\");
                break;
            case '\b':
                out->append("\\b");
                break;
            case '\f':
                out->append("\\f");
                break;
            case '\n':
                out->append("\\n");
                break;
            case '\r':
                out->append("\\r");
                break;
            case '\t':
                out->append("\\t");
                break;
            default:
                if (b < 0x20) {
                    out->append("\\u00");
                    out->push_back(kHex[b >> 4]);
                    out->push_back(kHex[b & 0xF]);
                } else {
                    out->push_back(c);
                }
        }
    }
}

}  // namespace

void appendJsonString(std::string_view text, std::string* out) {
    if (!engine::isValidUtf8(text)) {
        // What the library writes for bytes that are no UTF-8: U+FFFD.
        out->append(nlohmann::json(std::string(text))
                        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        return;
    }
    out->push_back('"');
    appendJsonEscaped(text, out);
    out->push_back('"');
}

bool writeJsonObject(const RunLists& lists, int indent, ByteSink& sink) {
    const std::string keyIndent(static_cast<std::size_t>(indent), ' ');
    const char* const keySeparator = indent > 0 ? ": " : ":";
    std::string out = "{";
    const auto key = [&](std::string_view name, bool first) {
        if (!first) out.push_back(',');
        if (indent > 0) out.append("\n").append(keyIndent);
        appendJsonString(name, &out);
        out.append(keySeparator);
    };
    const auto array = [&](std::string_view name, const auto& items, bool first) {
        key(name, first);
        return writeArray(items, indent, sink, &out);
    };
    if (!array("arrangement", lists.arrangement, true) ||
        !array("arrangementWords", lists.arrangementWords, false) ||
        !array("missing", lists.missing, false) || !array("missingRaw", lists.missingRaw, false)) {
        return false;
    }
    key("thai", false);
    // The document is the tokens joined, written a token at a time.
    if (engine::isValidUtf8(lists.tokens.joined())) {
        out.push_back('"');
        for (std::size_t i = 0; i < lists.tokens.count(); ++i) {
            if (lists.joiner.spaceBefore(lists.tokens.view(i))) out.push_back(' ');
            appendJsonEscaped(lists.tokens.view(i), &out);
            if (out.size() >= kBufferSize) {
                if (!sink.write(out)) return false;
                out.clear();
            }
        }
        out.push_back('"');
    } else {
        std::string spaced;
        appendJsonString(lists.joiner.join(lists.tokens, &spaced), &out);
    }
    if (!array("tokens", lists.tokens, false)) return false;
    if (indent > 0) out.append("\n");
    out.push_back('}');
    return sink.write(out);
}

}  // namespace cli
