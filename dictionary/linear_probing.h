// Open addressing with linear probing over a vector of slots whose size is a
// power of two: the two steps the hash tables of the dictionary and of the
// engine share. A slot type tells whether it is taken (taken()) and carries
// the hash of what it holds (hash); a default-made slot is free.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace dict {

// Moves every taken slot into a new table of `capacity` slots (a power of two).
template <typename Slot>
void rehashSlots(std::vector<Slot>& slots, std::size_t capacity) {
    std::vector<Slot> old = std::move(slots);
    slots.assign(capacity, Slot{});
    const std::size_t mask = capacity - 1;
    for (const Slot& s : old) {
        if (!s.taken()) continue;
        std::size_t i = s.hash & mask;
        while (slots[i].taken()) i = (i + 1) & mask;
        slots[i] = s;
    }
}

// Frees the slot at `hole` by backward-shift deletion (no tombstones): a slot
// further on moves into the hole unless its home lies cyclically in (hole, j].
template <typename Slot>
void eraseSlot(std::vector<Slot>& slots, std::size_t hole) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t j = (hole + 1) & mask; slots[j].taken(); j = (j + 1) & mask) {
        const std::size_t home = slots[j].hash & mask;
        const bool stays = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
        if (!stays) {
            slots[hole] = slots[j];
            hole = j;
        }
    }
    slots[hole] = Slot{};
}

}  // namespace dict
