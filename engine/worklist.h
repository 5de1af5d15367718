// Ordered lists of text items with the four operations the engine needs:
// clear, append, count and read item i.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text_list.h"

namespace engine {

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
