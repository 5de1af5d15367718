// The program's per-user settings: section, key and a text value, kept in an
// INI file. Section and key names match without regard to letter case.
#pragma once

#include <QString>

namespace settings {

// The stored text of `key` in `section`, or `defaultValue` when it is absent
// (also from a file that is missing, unreadable or damaged at that line).
QString getSetting(const QString& section, const QString& key, const QString& defaultValue);

// Stores `value` under `section`/`key` and writes the file at once; false when
// the file could not be written, which is shown to the user once per file.
bool saveSetting(const QString& section, const QString& key, const QString& value);

// The stored value read as a decimal number; absent or non-numeric text gives `defaultValue`.
int getNumber(const QString& section, const QString& key, int defaultValue);

// Reads and writes `iniPath` from now on; the empty path goes back to the default file.
void useSettingsFile(const QString& iniPath);

// The file the settings are read from and written to.
QString settingsFilePath();

// The application name the default file is named after: the executable's name
// without its extension.
QString applicationName();

}  // namespace settings
