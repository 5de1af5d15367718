#include "engine/text_list.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <new>

#include "dictionary/linear_probing.h"

namespace engine {
namespace {

// Grows a malloc'ed buffer to `bytes`; large buffers are moved by remapping
// their pages rather than copied.
void* grow(void* buffer, std::size_t bytes) {
    void* grown = std::realloc(buffer, bytes);
    if (grown == nullptr) throw std::bad_alloc();
    return grown;
}

constexpr std::size_t kNarrowLimit = std::numeric_limits<std::uint32_t>::max();

}  // namespace

TextList::~TextList() {
    release();
}

void TextList::release() {
    std::free(m_chars);
    std::free(m_ends);
    m_chars = nullptr;
    m_ends = nullptr;
    m_size = m_capacity = m_count = m_endsCapacity = 0;
    m_wideEnds = false;
}

void TextList::append(std::string_view first, std::string_view second) {
    const std::size_t size = m_size + first.size() + second.size();
    if (size > m_capacity) growChars(size);
    if (!first.empty()) std::memcpy(m_chars + m_size, first.data(), first.size());
    if (!second.empty()) std::memcpy(m_chars + m_size + first.size(), second.data(), second.size());
    m_size = size;
    if (m_count == m_endsCapacity) growEnds();
    if (!m_wideEnds && size > kNarrowLimit) widenEnds();
    if (m_wideEnds) {
        static_cast<std::uint64_t*>(m_ends)[m_count] = size;
    } else {
        static_cast<std::uint32_t*>(m_ends)[m_count] = static_cast<std::uint32_t>(size);
    }
    ++m_count;
}

void TextList::growChars(std::size_t needed) {
    std::size_t capacity = m_capacity < 256 ? 256 : m_capacity + m_capacity / 2;
    if (capacity < needed) capacity = needed;
    m_chars = static_cast<char*>(grow(m_chars, capacity));
    m_capacity = capacity;
}

void TextList::growEnds() {
    const std::size_t capacity = m_endsCapacity < 64 ? 64 : m_endsCapacity + m_endsCapacity / 2;
    m_ends = grow(m_ends, capacity * (m_wideEnds ? 8 : 4));
    m_endsCapacity = capacity;
}

void TextList::widenEnds() {
    // From the last end backwards, so that no narrow end is overwritten before it is read.
    m_ends = grow(m_ends, m_endsCapacity * 8);
    auto* narrow = static_cast<std::uint32_t*>(m_ends);
    auto* wide = static_cast<std::uint64_t*>(m_ends);
    for (std::size_t i = m_count; i-- > 0;) wide[i] = narrow[i];
    m_wideEnds = true;
}

std::vector<std::string> TextList::items() const {
    std::vector<std::string> out;
    out.reserve(m_count);
    for (std::size_t i = 0; i < m_count; ++i) out.emplace_back(view(i));
    return out;
}

namespace {

std::uint32_t hashText(std::string_view text) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(text));
}

}  // namespace

void InternedTextList::clear() {
    m_texts.clear();
    m_items.clear();
    m_slots.clear();
}

void InternedTextList::release() {
    m_texts.release();
    m_items = {};
    m_slots = {};
}

void InternedTextList::append(std::string_view item) {
    if ((m_texts.count() + 1) * 2 > m_slots.size()) growSlots();
    const std::uint32_t hash = hashText(item);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    for (; m_slots[i].text != 0; i = (i + 1) & mask) {
        if (m_slots[i].hash == hash && m_texts.view(m_slots[i].text - 1) == item) {
            m_items.push_back(m_slots[i].text - 1);
            return;
        }
    }
    const auto index = static_cast<std::uint32_t>(m_texts.count());
    m_texts.append(item);
    m_slots[i] = Slot{index + 1, hash};
    m_items.push_back(index);
}

void InternedTextList::growSlots() {
    dict::rehashSlots(m_slots, m_slots.empty() ? 64 : m_slots.size() * 2);
}

std::vector<std::string> InternedTextList::items() const {
    std::vector<std::string> out;
    out.reserve(count());
    for (std::size_t i = 0; i < count(); ++i) out.emplace_back(view(i));
    return out;
}

}  // namespace engine
