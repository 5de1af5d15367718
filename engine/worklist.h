// Ordered lists of text items with the four operations the engine needs:
// clear, append, count and read item i.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

// Texts stored end to end in one buffer, with the end of each: one allocation
// for a whole run instead of one per item. Reading an item at or past the end
// yields the empty text.
class TextList final {
public:
    void clear() {
        m_chars.clear();
        m_ends.clear();
    }
    void append(std::string_view item) {
        m_chars.append(item);
        m_ends.push_back(m_chars.size());
    }
    // Appends one item made of two parts written together.
    void append(std::string_view first, std::string_view second) {
        m_chars.append(first).append(second);
        m_ends.push_back(m_chars.size());
    }
    std::size_t count() const { return m_ends.size(); }
    std::string_view view(std::size_t index) const {
        if (index >= m_ends.size()) return {};
        const std::size_t begin = index == 0 ? 0 : m_ends[index - 1];
        return std::string_view(m_chars).substr(begin, m_ends[index] - begin);
    }
    // A copy of item index (the empty text past the end).
    std::string at(std::size_t index) const { return std::string(view(index)); }
    // Every item end to end: for the output tokens, the joined document.
    std::string_view joined() const { return m_chars; }
    // Copies of all items, for tests and small lists.
    std::vector<std::string> items() const;

private:
    std::string m_chars;
    std::vector<std::size_t> m_ends;
};

inline std::vector<std::string> TextList::items() const {
    std::vector<std::string> out;
    out.reserve(count());
    for (std::size_t i = 0; i < count(); ++i) out.emplace_back(view(i));
    return out;
}

// A list the engine appends to and reads back; never sorts. Reading an item at
// or past the end yields the empty text. The host implements the visible ones.
class WorkList {
public:
    virtual ~WorkList() = default;
    virtual void clear() = 0;
    virtual void append(std::string_view item) = 0;
    virtual std::size_t count() const = 0;
    // Item index, valid until the list changes.
    virtual std::string_view item(std::size_t index) const = 0;
};

// A WorkList kept in memory, for hosts without a window.
class MemoryWorkList final : public WorkList {
public:
    void clear() override { m_list.clear(); }
    void append(std::string_view item) override { m_list.append(item); }
    std::size_t count() const override { return m_list.count(); }
    std::string_view item(std::size_t index) const override { return m_list.view(index); }

    const TextList& list() const { return m_list; }
    std::vector<std::string> items() const { return m_list.items(); }

private:
    TextList m_list;
};

}  // namespace engine
