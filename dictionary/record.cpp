#include "dictionary/record.h"

#include <algorithm>

namespace dict {

const std::array<std::string_view, kFieldCount> kFieldNames = {
    "Word_en", "Word_Noun", "Word_verb", "Word_adv",      "Word_Adj",
    "Word_pp", "Word_Conj", "Word_read", "Word_Question", "Word_idiom",
};

namespace {

constexpr unsigned char foldByte(unsigned char c) {
    return static_cast<unsigned char>(c + ((static_cast<unsigned>(c - 'A') < 26u) << 5));
}

}  // namespace

int fieldIndex(std::string_view name) {
    for (int i = 0; i < kFieldCount; ++i)
        if (keysEqual(kFieldNames[static_cast<std::size_t>(i)], name)) return i;
    return -1;
}

bool keysEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldByte(static_cast<unsigned char>(a[i])) !=
            foldByte(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int compareKeys(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = foldByte(static_cast<unsigned char>(a[i]));
        const unsigned char y = foldByte(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string foldCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(foldByte(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace dict
