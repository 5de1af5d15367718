// A document's text laid out as lines for translation: each block (a
// paragraph, heading, list item or table cell) on a line of its own, a blank
// line between blocks but none between the items of a list or the cells of a
// table, runs of white space as one space, every line ended by "\n".
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "documents/formats/status.h"

namespace formats {

class TextLayout final {
public:
    enum class Block {
        kParagraph,  // paragraphs and headings: a blank line around them
        kItem,       // list items and table cells: one after the other
    };
    // Receives the text, whole lines at a time; false stops the layout.
    using Sink = std::function<bool(std::string_view text)>;

    // Text past `maxBytes` is dropped and overflowed() set.
    explicit TextLayout(Sink sink, std::uint64_t maxBytes = std::numeric_limits<std::uint64_t>::max())
        : m_sink(std::move(sink)), m_maxBytes(maxBytes) {}

    // Inline text (UTF-8) of the current block.
    void text(std::string_view text);
    // Text whose line ends stay line ends (preformatted text).
    void preformatted(std::string_view text);
    // A forced line break inside the block; two in a row leave a blank line.
    void lineBreak();
    // Ends the current block, whose kind decides the line before it. A block
    // without text leaves nothing.
    void endBlock(Block kind = Block::kParagraph);
    // Lines laid out elsewhere (each ended by "\n") as one block of `kind`,
    // after the current block.
    void appendBlock(std::string_view lines, Block kind);
    // Ends the last block and hands over what is left; false when the sink
    // refused some text.
    bool finish();

    // True once text was dropped for passing the limit.
    bool overflowed() const { return m_overflowed; }
    // True until the sink refuses text.
    bool ok() const { return m_ok; }
    // Why the text was cut off, once overflowed(); else ok.
    Status overflowStatus() const;
    // Bytes laid out so far.
    std::uint64_t size() const { return m_written + m_out.size(); }

private:
    void append(std::string_view bytes);
    void endLine();
    void flush();

    Sink m_sink;
    std::uint64_t m_maxBytes;
    std::uint64_t m_written = 0;
    bool m_overflowed = false;
    bool m_ok = true;

    std::string m_line;   // the line being gathered
    bool m_space = false; // white space seen since the line's last character
    std::string m_block;  // the finished lines of the current block
    bool m_blankPending = false;
    bool m_anyBlock = false;
    Block m_lastKind = Block::kParagraph;
    std::string m_out;    // laid out, not yet handed over
};

// Footnotes and endnotes, numbered in the order the text refers to them, to
// be laid out after the text as "[1] text" lines.
class Notes final {
public:
    // The number of note `key`, given at its first reference.
    int refer(const std::string& key);
    // The number of note `key`, or 0 when the text never referred to it.
    int number(const std::string& key) const;
    // The text of note `number`.
    void setText(int number, std::string_view text);
    // The mark the text shows where it refers to note `number`: "[N]".
    static std::string mark(int number);
    // One "[N] text" line per note with text, in number order.
    std::string lines() const;

private:
    std::unordered_map<std::string, int> m_numbers;
    std::vector<std::string> m_texts;  // by number - 1
};

}  // namespace formats
