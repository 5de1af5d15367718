// A record of the dictionary table: the headword and nine Thai meanings filed
// by part of speech, and the key semantics of headwords (ASCII letter case
// ignored, as the table's NOCASE index compares them).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dict {

// Field positions of a record, in the table's fixed column order.
enum Field : int {
    kWordEn = 0,
    kWordNoun = 1,
    kWordVerb = 2,
    kWordAdv = 3,
    kWordAdj = 4,
    kWordPP = 5,
    kWordConj = 6,
    kWordRead = 7,
    kWordQuestion = 8,
    kWordIdiom = 9,
};
constexpr int kFieldCount = 10;

// Column names in position order, as the schema spells them.
extern const std::array<std::string_view, kFieldCount> kFieldNames;

// Position of a field named without regard to ASCII letter case, or -1.
int fieldIndex(std::string_view name);

// A field value: absent (NULL) or a text, which may be empty or a single space.
using FieldValue = std::optional<std::string>;

// One row of table `dict`: ten fields in fixed order; position 0 is the key.
struct DictRecord {
    std::array<FieldValue, kFieldCount> fields;

    const FieldValue& operator[](int pos) const { return fields[static_cast<std::size_t>(pos)]; }
    FieldValue& operator[](int pos) { return fields[static_cast<std::size_t>(pos)]; }
    bool operator==(const DictRecord&) const = default;
};

// ASCII case folding, the key semantics of the table (NOCASE collation): only
// the letters A to Z match their lower-case forms.
bool keysEqual(std::string_view a, std::string_view b);
int compareKeys(std::string_view a, std::string_view b);

// The text with the letters A to Z lower-cased and every other byte kept: two
// texts are keysEqual() exactly when their folded forms are equal.
std::string foldCase(std::string_view text);

}  // namespace dict
