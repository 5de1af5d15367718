// An ordered list of texts stored end to end in one buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Texts stored end to end in one buffer, with the end of each: one allocation
// for a whole run instead of one per item. The buffers grow in place where the
// system allows it (realloc), and the ends take four bytes each until the text
// passes 4 GiB. Reading an item at or past the end yields the empty text.
class TextList final {
public:
    TextList() = default;
    ~TextList();
    TextList(const TextList&) = delete;
    TextList& operator=(const TextList&) = delete;

    // Empties the list, keeping its buffers for the next items.
    void clear() {
        m_size = 0;
        m_count = 0;
    }
    // Empties the list and gives its buffers back.
    void release();

    void append(std::string_view item) { append(item, std::string_view()); }
    // Appends one item made of two parts written together.
    void append(std::string_view first, std::string_view second);

    // Takes the last item off (nothing when the list is empty).
    void removeLast() {
        if (m_count == 0) return;
        --m_count;
        m_size = m_count == 0 ? 0 : end(m_count - 1);
    }

    std::size_t count() const { return m_count; }
    std::string_view view(std::size_t index) const {
        if (index >= m_count) return {};
        const std::size_t begin = index == 0 ? 0 : end(index - 1);
        return std::string_view(m_chars + begin, end(index) - begin);
    }
    // A copy of item index (the empty text past the end).
    std::string at(std::size_t index) const { return std::string(view(index)); }
    // Every item end to end: for the output tokens, the joined document.
    std::string_view joined() const { return std::string_view(m_chars, m_size); }
    // Copies of all items, for tests and small lists.
    std::vector<std::string> items() const;

private:
    std::size_t end(std::size_t index) const {
        return m_wideEnds ? static_cast<const std::uint64_t*>(m_ends)[index]
                          : static_cast<const std::uint32_t*>(m_ends)[index];
    }
    void growChars(std::size_t needed);
    void growEnds();
    void widenEnds();

    char* m_chars = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    void* m_ends = nullptr;  // uint32_t or, once wide, uint64_t
    std::size_t m_count = 0;
    std::size_t m_endsCapacity = 0;
    bool m_wideEnds = false;
};

// A list of texts that repeat: each distinct text is stored once, and each
// item is the four-byte index of its text. A long run's arrangement entries
// repeat the same few thousand lines over and over.
class InternedTextList final {
public:
    void clear();
    // Empties the list and gives its buffers back.
    void release();
    void append(std::string_view item);

    std::size_t count() const { return m_items.size(); }
    std::string_view view(std::size_t index) const {
        return index < m_items.size() ? m_texts.view(m_items[index]) : std::string_view();
    }
    std::string at(std::size_t index) const { return std::string(view(index)); }
    std::vector<std::string> items() const;

private:
    // A slot of the hash index over m_texts: the text's index + 1 (0 when
    // free) and its hash, compared before the text itself.
    struct Slot {
        std::uint32_t text = 0;
        std::uint32_t hash = 0;
        bool taken() const { return text != 0; }
    };
    void growSlots();

    TextList m_texts;                    // each distinct text once
    std::vector<std::uint32_t> m_items;  // the text of each item
    std::vector<Slot> m_slots;           // a power of two, at most half full
};

}  // namespace engine
