// An ordered list of text items with the four operations the engine needs.
#pragma once

#include <string>
#include <vector>

namespace engine {

// A list the engine appends to and reads back; never sorts. Reading an item at
// or past the end yields the empty text.
class WorkList {
public:
    virtual ~WorkList() = default;
    virtual void clear() = 0;
    virtual void append(std::string item) = 0;
    virtual std::size_t count() const = 0;
    virtual std::string item(std::size_t index) const = 0;
};

// A WorkList kept in memory; the engine's hidden lists are of this kind.
class VectorWorkList final : public WorkList {
public:
    void clear() override { m_items.clear(); }
    void append(std::string item) override { m_items.push_back(std::move(item)); }
    std::size_t count() const override { return m_items.size(); }
    std::string item(std::size_t index) const override {
        return index < m_items.size() ? m_items[index] : std::string();
    }
    // Reference to item index, or to an empty text past the end; no copy.
    const std::string& at(std::size_t index) const {
        static const std::string empty;
        return index < m_items.size() ? m_items[index] : empty;
    }
    const std::vector<std::string>& items() const { return m_items; }

private:
    std::vector<std::string> m_items;
};

}  // namespace engine
