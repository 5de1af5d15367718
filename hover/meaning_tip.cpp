#include "hover/meaning_tip.h"

#include <array>
#include <string>

#include "dictionary/store.h"

namespace hover {

const QString kNotFoundSuffix = QStringLiteral("= ไม่พบคำศัพท์ในฐานข้อมูล");

namespace {

struct TaggedField {
    int pos;
    const char* tag;
};

// The fields consulted, in order; the question and reading fields are not.
constexpr std::array<TaggedField, 7> kTaggedFields{{
    {dict::kWordNoun, "Noun"},
    {dict::kWordVerb, "Verb"},
    {dict::kWordAdv, "Adv"},
    {dict::kWordAdj, "Adj"},
    {dict::kWordPP, "PP"},
    {dict::kWordConj, "Conj"},
    {dict::kWordIdiom, "IDium"},
}};

}  // namespace

MeaningTip meaningTip(const QString& word, const dict::LookupView* view) {
    // One keyed look-up per try; the store keeps its index in memory.
    std::string key = word.toStdString();
    const dict::DictRecord* record = nullptr;
    for (;;) {
        // The empty key (no word under the pointer) never matches, even a
        // record stored with an empty headword.
        record = view && !key.empty() ? view->find(key) : nullptr;
        if (record || key.empty() || (key.back() != 's' && key.back() != 'S')) break;
        key.pop_back();
    }
    const QString keyText = QString::fromStdString(key);
    if (!record) return {keyText + kNotFoundSuffix, false};

    QString meaning;
    QString tag;
    for (const TaggedField& f : kTaggedFields) {
        const dict::FieldValue& value = (*record)[f.pos];
        if (value && *value != " ") {
            meaning = QString::fromStdString(*value);
            tag = QString::fromLatin1(f.tag);
            break;
        }
    }
    return {keyText + QStringLiteral(" = ") + meaning + QStringLiteral("  [") + tag +
                QStringLiteral("]"),
            true};
}

}  // namespace hover
