// Text helpers of the engine: the separator set, phrase splitting, white
// space collapsed, the endings the stem rules take off and the
// case-insensitive removal of repeated values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace engine {

// True for the codes that end a word: 9, 10, 11, 13, 32-47, 58-64, 91-94, 96
// and 123-126. Digits, letters, "_" and every code from 128 up are word
// characters.
bool isWordSeparator(int code);

// Removes from text the part before the first delimiter and the delimiter
// itself, returning that part; returns false (and leaves text) when the
// delimiter is absent.
bool cutFirstPiece(std::string& text, std::string_view delimiter, std::string* piece);

// The pieces of text cut at every occurrence of delimiter (case-sensitive),
// keeping empty pieces; an empty delimiter stands for " ".
std::vector<std::string> splitText(std::string_view text, std::string_view delimiter);

// The text with every run of ASCII white space (space, tab, line feed,
// carriage return, vertical tab, form feed) as one space and none at either end.
std::string collapseSpaces(std::string_view text);

// True when `s` ends with `a` or with `b`, both of the same length (an ending
// in lower and in upper case).
bool endsWithEither(std::string_view s, std::string_view a, std::string_view b);

// The ending the stem rules take off a word the dictionary lacks, before the
// headwords of several words that start with it are tried: a plural "s" (a
// word of three letters or more, not after an apostrophe), "ed", "ion" or
// "ing", each in lower or upper case.
enum class StemEnding { kNone, kPlural, kEd, kIon, kIng };
StemEnding stemEnding(std::string_view word);

// Each distinct value once, in the order of first occurrence; values that
// differ only in the letter case of A to Z count as the same.
std::vector<std::string> removeDuplicates(const std::vector<std::string>& values);

// A look-up key with its typographic quotes written straight: U+2018 and
// U+2019 as the apostrophe, U+201C, U+201D and U+201E as the double quote.
// Returns key itself when it holds none, otherwise the straight copy, which
// is kept in *scratch.
std::string_view straightQuotes(std::string_view key, std::string* scratch);

}  // namespace engine
