#include "dictionary/table_image.h"

#include <algorithm>
#include <cstring>

#include "dictionary/linear_probing.h"

namespace dict {
namespace {

// The eight bytes of w with every ASCII capital letter folded to lower case.
constexpr std::uint64_t foldWord(std::uint64_t w) {
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    const std::uint64_t low7 = w & (0x7F * ones);
    const std::uint64_t atLeastA = low7 + (0x80 - 'A') * ones;   // high bit: byte >= 'A'
    const std::uint64_t pastZ = low7 + (0x80 - 'Z' - 1) * ones;  // high bit: byte > 'Z'
    const std::uint64_t upper = atLeastA & ~pastZ & ~w & (0x80 * ones);
    return w | (upper >> 2);
}

std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

// 64-bit hash of the folded key, eight bytes at a time.
std::uint64_t hashKey(std::string_view key) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ key.size();
    std::size_t i = 0;
    for (; i + 8 <= key.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, key.data() + i, 8);
        h = (h ^ foldWord(w)) * 0x100000001b3ull;
        h ^= h >> 29;
    }
    if (i < key.size()) {
        std::uint64_t w = 0;
        for (std::size_t k = i; k < key.size(); ++k)
            w |= std::uint64_t{static_cast<unsigned char>(key[k])} << (8 * (k - i));
        h = (h ^ foldWord(w)) * 0x100000001b3ull;
    }
    return mix(h);
}

bool keyLess(const TableImage::Entry* a, const TableImage::Entry* b) {
    return compareKeys(a->key(), b->key()) < 0;
}

}  // namespace

std::size_t FoldedCounts::probe(std::string_view key, std::uint64_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    for (; m_slots[i].count != 0; i = (i + 1) & mask) {
        const Slot& s = m_slots[i];
        if (s.hash == hash && keysEqual(m_texts[s.text], key)) break;
    }
    return i;
}

bool FoldedCounts::contains(std::string_view key) const {
    if (m_slots.empty()) return false;
    return m_slots[probe(key, hashKey(key))].count != 0;
}

void FoldedCounts::grow() {
    rehashSlots(m_slots, std::max<std::size_t>(64, m_slots.size() * 2));
}

void FoldedCounts::add(std::string_view key) {
    if ((m_used + 1) * 2 > m_slots.size()) grow();
    const std::uint64_t hash = hashKey(key);
    Slot& s = m_slots[probe(key, hash)];
    if (s.count++ != 0) return;
    s.hash = hash;
    if (m_freeTexts.empty()) {
        s.text = static_cast<std::uint32_t>(m_texts.size());
        m_texts.emplace_back(key);
    } else {
        s.text = m_freeTexts.back();
        m_freeTexts.pop_back();
        m_texts[s.text].assign(key);
    }
    ++m_used;
}

void FoldedCounts::remove(std::string_view key) {
    if (m_slots.empty()) return;
    const std::size_t hole = probe(key, hashKey(key));
    if (m_slots[hole].count == 0 || --m_slots[hole].count != 0) return;
    m_freeTexts.push_back(m_slots[hole].text);
    --m_used;
    eraseSlot(m_slots, hole);
}

void TableImage::reserve(std::size_t n) {
    m_order.reserve(n);
    m_byRowid.reserve(n);
}

bool TableImage::load(std::int64_t rowid, DictRecord record) {
    auto e = std::make_unique<Entry>();
    e->rowid = rowid;
    e->record = std::move(record);
    Entry* entry = e.get();
    if (!m_byRowid.emplace(rowid, std::move(e)).second) return false;
    m_order.push_back(entry);
    return true;
}

bool TableImage::index(std::string* duplicate) {
    std::size_t capacity = 64;
    while (capacity < m_order.size() * 2 + 2) capacity *= 2;
    m_slots.assign(capacity, Slot{});
    for (Entry* e : m_order) {
        if (!indexInsertUnique(e)) {
            *duplicate = std::string(e->key());
            return false;
        }
    }
    // A plain table scan is several times cheaper than walking the index; files
    // written by DictionaryStore::create() hold their rows in key order, and
    // rows added later come after them. So past the part in order, the records
    // out of order are set apart, sorted and put in their places: few, as a rule.
    const auto sortedEnd = std::is_sorted_until(m_order.begin(), m_order.end(), keyLess);
    if (sortedEnd == m_order.end()) return true;
    std::vector<Entry*> inOrder(m_order.begin(), sortedEnd), apart;
    for (auto it = sortedEnd; it != m_order.end(); ++it) {
        const bool fits =
            keyLess(inOrder.back(), *it) && (it + 1 == m_order.end() || keyLess(*it, *(it + 1)));
        (fits ? inOrder : apart).push_back(*it);
    }
    std::sort(apart.begin(), apart.end(), keyLess);
    m_order.clear();
    auto from = inOrder.begin();
    for (Entry* e : apart) {
        const auto at = std::lower_bound(from, inOrder.end(), e, keyLess);
        m_order.insert(m_order.end(), from, at);
        m_order.push_back(e);
        from = at;
    }
    m_order.insert(m_order.end(), from, inOrder.end());
    return true;
}

TableImage::Entry* TableImage::find(std::string_view key, std::uint64_t h) const {
    if (m_slots.empty()) return nullptr;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = h & mask;; i = (i + 1) & mask) {
        const Slot& s = m_slots[i];
        if (!s.entry) return nullptr;
        if (s.hash == h && keysEqual(s.entry->key(), key)) return s.entry;
    }
}

std::uint64_t TableImage::hash(std::string_view key) {
    return hashKey(key);
}

void TableImage::prefetch(std::uint64_t hash) const {
#if defined(__GNUC__)
    if (!m_slots.empty()) __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
#else
    (void)hash;
#endif
}

TableImage::Entry* TableImage::at(std::int64_t rowid) const {
    auto it = m_byRowid.find(rowid);
    return it == m_byRowid.end() ? nullptr : it->second.get();
}

bool TableImage::startsPhrase(std::string_view prefix) const {
    return !m_prefixes.empty() && m_prefixes.contains(prefix);
}

std::size_t TableImage::lowerBound(std::string_view key) const {
    return static_cast<std::size_t>(std::lower_bound(m_order.begin(), m_order.end(), key,
                                                     [](const Entry* e, std::string_view k) {
                                                         return compareKeys(e->key(), k) < 0;
                                                     }) -
                                    m_order.begin());
}

std::size_t TableImage::upperBound(std::string_view key) const {
    return static_cast<std::size_t>(std::upper_bound(m_order.begin(), m_order.end(), key,
                                                     [](std::string_view k, const Entry* e) {
                                                         return compareKeys(k, e->key()) < 0;
                                                     }) -
                                    m_order.begin());
}

void TableImage::add(std::int64_t rowid, DictRecord record) {
    auto e = std::make_unique<Entry>();
    e->rowid = rowid;
    e->record = std::move(record);
    Entry* p = e.get();
    m_byRowid.emplace(rowid, std::move(e));
    indexInsert(p);
    orderInsert(p);
}

void TableImage::replace(Entry* e, DictRecord record) {
    indexErase(e);
    orderErase(e);
    e->record = std::move(record);
    indexInsert(e);
    orderInsert(e);
}

void TableImage::erase(Entry* e) {
    indexErase(e);
    orderErase(e);
    m_byRowid.erase(e->rowid);
}

void TableImage::countPrefixes(const Entry* e, int delta) {
    const std::string_view key = e->key();
    for (std::size_t space = key.find(' '); space != std::string_view::npos;
         space = key.find(' ', space + 1)) {
        if (delta > 0) {
            m_prefixes.add(key.substr(0, space));
        } else {
            m_prefixes.remove(key.substr(0, space));
        }
    }
}

void TableImage::rehash(std::size_t capacity) {
    rehashSlots(m_slots, capacity);
}

void TableImage::indexInsert(Entry* e) {
    countPrefixes(e, +1);
    if ((m_used + 1) * 2 > m_slots.size()) rehash(std::max<std::size_t>(64, m_slots.size() * 2));
    const std::uint64_t h = hashKey(e->key());
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = h & mask;
    while (m_slots[i].entry) i = (i + 1) & mask;
    m_slots[i] = Slot{e, h};
    ++m_used;
}

// Inserts e unless an entry with the same key is there already; one probe
// sequence serves both the check and the insert.
bool TableImage::indexInsertUnique(Entry* e) {
    if ((m_used + 1) * 2 > m_slots.size()) rehash(std::max<std::size_t>(64, m_slots.size() * 2));
    const std::uint64_t h = hashKey(e->key());
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = h & mask;
    for (; m_slots[i].entry; i = (i + 1) & mask) {
        if (m_slots[i].hash == h && keysEqual(m_slots[i].entry->key(), e->key())) return false;
    }
    m_slots[i] = Slot{e, h};
    ++m_used;
    countPrefixes(e, +1);
    return true;
}

// Removes e from the hash index by backward-shift deletion (no tombstones).
void TableImage::indexErase(Entry* e) {
    countPrefixes(e, -1);
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hashKey(e->key()) & mask;
    while (m_slots[i].entry != e) i = (i + 1) & mask;
    eraseSlot(m_slots, i);
    --m_used;
}

void TableImage::orderInsert(Entry* e) {
    m_order.insert(m_order.begin() + static_cast<std::ptrdiff_t>(lowerBound(e->key())), e);
}

void TableImage::orderErase(Entry* e) {
    const std::size_t pos = lowerBound(e->key());
    if (pos < m_order.size() && m_order[pos] == e)
        m_order.erase(m_order.begin() + static_cast<std::ptrdiff_t>(pos));
}

}  // namespace dict
