// Every setting the program reads or writes: section, key and the default used
// when the key is absent. Names are matched without regard to letter case, so
// the spellings that differ only in case address the same value.
#pragma once

#include <QString>
#include <QtGlobal>

namespace settings {

struct SettingKey {
    const char* section;
    const char* key;
    const char* def;
};

namespace keys {

// Background colour of the English document pane.
inline constexpr SettingKey kEnglishBackground{"Options", "ColorEn", "16777215"};
// Background colour of the Thai document pane.
inline constexpr SettingKey kThaiBackground{"Options", "ColorTh", "16777215"};
// Text colours shown by the options window's samples (system button-text colour by default).
inline constexpr SettingKey kEnglishTextColour{"Options", "ColorTxtEn", "-2147483630"};
inline constexpr SettingKey kThaiTextColour{"Options", "ColorTxtTh", "-2147483630"};
// Background colour used while translating, and whether to use it.
inline constexpr SettingKey kTranslatingBackground{"Options", "Colorbeforepal", "12640511"};
inline constexpr SettingKey kUseTranslatingBackground{"Options", "chkbeforeforepal", "0"};
// Translate the selected English text as soon as it is clicked.
inline constexpr SettingKey kTranslateOnSelect{"Options", "Selectpal", "0"};
// Sound when a translation ends.
inline constexpr SettingKey kSoundWhenDone{"Options", "Sound", "0"};
// Report the words without a meaning when a translation ends (kept in lower-case "options").
inline constexpr SettingKey kReportMissingWords{"options", "Datafound", "0"};
// The missing-words panel is shown.
inline constexpr SettingKey kShowMissingWords{"Options", "ChkNoWord", "0"};
// The word-arrangement panel is shown: written as "ArrangWord", read as "Arrangword".
inline constexpr SettingKey kShowArrangement{"Options", "ArrangWord", "0"};
inline constexpr SettingKey kShowArrangementRead{"Options", "Arrangword", "0"};
// The meaning panel and hover look-up are on: written as "Chktooltip" when
// checked and "ChkTooltip" when unchecked, read as "Chktooltip".
inline constexpr SettingKey kShowMeaning{"Options", "Chktooltip", "0"};
inline constexpr SettingKey kShowMeaningUnchecked{"Options", "ChkTooltip", "0"};

// The folder last used for English documents (opened or saved) and for saved
// Thai documents; the file dialogs start there.
inline constexpr SettingKey kEnglishFolder{"Folders", "English", ""};
inline constexpr SettingKey kThaiFolder{"Folders", "Thai", ""};

}  // namespace keys

// The stored text of `k`, or its default when absent.
QString getSetting(const SettingKey& k);

// Stores `value` under `k`.
void saveSetting(const SettingKey& k, const QString& value);

// The stored value of `k` as a number; absent or non-numeric text gives the key's default.
int getNumber(const SettingKey& k);

// True unless the stored text of `k` (or its default) is exactly "0": any other
// text, a "2" or a letter included, counts as checked.
bool isFlagSet(const SettingKey& k);

// The stored colour value of `k`; text that is not a number gives the key's default.
qint32 getColorValue(const SettingKey& k);

// Stores a check-box state as "1" (checked) or "0".
void saveFlag(const SettingKey& k, bool checked);

}  // namespace settings
