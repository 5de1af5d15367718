#include "documents/formats/text_layout.h"

#include "engine/text.h"
#include "engine/utf8.h"

namespace formats {
namespace {

constexpr std::size_t kFlushBytes = 1 << 16;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

Status TextLayout::overflowStatus() const {
    if (!m_overflowed) return Status::ok();
    const std::uint64_t kilobytes = (m_maxBytes + 1023) / 1024;
    return Status::make(Status::Kind::kUnpackTooLarge,
                        "its text passes " + (kilobytes >= 1024 ? std::to_string(kilobytes / 1024) + " MB"
                                                                : std::to_string(kilobytes) + " KB"));
}

void TextLayout::text(std::string_view text) {
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (isSpace(c)) {
            m_space = true;
            continue;
        }
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) continue;  // control characters show nothing
        std::string_view character = text.substr(k, 1);
        if (b >= 0x80) {
            char32_t codePoint;
            const std::size_t length = engine::decodeUtf8(text, k, &codePoint);
            character = text.substr(k, length);
            k += length - 1;
            // A soft hyphen only shows where a word is broken; C1 controls never.
            if (codePoint == 0xAD || (codePoint >= 0x80 && codePoint < 0xA0)) continue;
            // Bytes that are no UTF-8 become the replacement character.
            if (codePoint == engine::kReplacementCharacter && length == 1) {
                character = "\xEF\xBF\xBD";
            }
        }
        if (m_space && !m_line.empty()) m_line.push_back(' ');
        m_space = false;
        m_line.append(character);
    }
    if (size() + m_block.size() + m_line.size() > m_maxBytes) {
        m_overflowed = true;
        m_line.clear();
        m_block.clear();
    }
}

void TextLayout::preformatted(std::string_view text) {
    for (std::size_t newline; (newline = text.find('\n')) != std::string_view::npos;) {
        this->text(text.substr(0, newline));
        lineBreak();
        text.remove_prefix(newline + 1);
    }
    this->text(text);
}

void TextLayout::endLine() {
    if (m_line.empty()) return;
    if (m_blankPending && !m_block.empty()) m_block.push_back('\n');
    m_blankPending = false;
    m_block.append(m_line).push_back('\n');
    m_line.clear();
    m_space = false;
}

void TextLayout::lineBreak() {
    if (m_line.empty()) {
        m_blankPending = !m_block.empty();
        return;
    }
    endLine();
}

void TextLayout::endBlock(Block kind) {
    endLine();
    m_blankPending = false;
    if (m_block.empty()) return;
    if (m_anyBlock && !(kind == Block::kItem && m_lastKind == Block::kItem)) append("\n");
    append(m_block);
    m_block.clear();
    m_anyBlock = true;
    m_lastKind = kind;
    if (m_out.size() >= kFlushBytes) flush();
}

void TextLayout::appendBlock(std::string_view lines, Block kind) {
    endBlock(Block::kParagraph);
    if (lines.empty()) return;
    if (m_anyBlock) append("\n");
    append(lines);
    m_anyBlock = true;
    m_lastKind = kind;
}

bool TextLayout::finish() {
    endBlock(Block::kParagraph);
    flush();
    return m_ok;
}

void TextLayout::append(std::string_view bytes) {
    if (m_overflowed) return;
    if (size() + bytes.size() > m_maxBytes) {
        m_overflowed = true;
        return;
    }
    m_out.append(bytes);
}

void TextLayout::flush() {
    if (m_out.empty()) return;
    if (m_ok) m_ok = m_sink(m_out);
    m_written += m_out.size();
    m_out.clear();
}

int Notes::refer(const std::string& key) {
    const auto [it, added] = m_numbers.emplace(key, static_cast<int>(m_texts.size()) + 1);
    if (added) m_texts.emplace_back();
    return it->second;
}

int Notes::number(const std::string& key) const {
    const auto it = m_numbers.find(key);
    return it == m_numbers.end() ? 0 : it->second;
}

void Notes::setText(int number, std::string_view text) {
    if (number >= 1 && static_cast<std::size_t>(number) <= m_texts.size()) {
        m_texts[static_cast<std::size_t>(number) - 1] = engine::collapseSpaces(text);
    }
}

std::string Notes::mark(int number) {
    std::string text = "[";
    text += std::to_string(number);
    text += ']';
    return text;
}

std::string Notes::lines() const {
    std::string out;
    for (std::size_t i = 0; i < m_texts.size(); ++i) {
        if (m_texts[i].empty()) continue;
        out += mark(static_cast<int>(i) + 1);
        out += ' ';
        out += m_texts[i];
        out += '\n';
    }
    return out;
}

}  // namespace formats
