// The meaning shown for the word under the pointer: the dictionary look-up
// with the plural "s" stripped, formatted for the pane's tool tip and the
// meaning panel.
#pragma once

#include <QString>

namespace dict {
class LookupView;
}

namespace hover {

// The tip text when the word is not in the dictionary, after the word.
extern const QString kNotFoundSuffix;

struct MeaningTip {
    QString toolTip;     // the new tool tip of the pane
    bool found = false;  // a record matched: the meaning panel shows toolTip too
};

// Looks word up, dropping one final "s" or "S" at a time while nothing
// matches, and formats the result: "key = meaning  [tag]" from the first of
// the noun, verb, adverb, adjective, preposition, conjunction and idiom fields
// that is neither absent nor a single space, or "key= ไม่พบคำศัพท์ในฐานข้อมูล".
// A null view finds nothing.
MeaningTip meaningTip(const QString& word, const dict::LookupView* view);

}  // namespace hover
