// The settings file's text: INI sections of "key=value" lines, written the
// way QSettings writes text values, but read back as text only. QSettings'
// own INI reading turns values such as "@Variant(...)" into objects and can be
// crashed by a damaged file; this reading never does.
#pragma once

#include <QSettings>

namespace settings {

// The QSettings format that reads and writes settings files through
// readIniText and writeIniText.
QSettings::Format iniTextFormat();

// Reads every "section/key" of the INI text in `device` as a text value; a
// value written as a list (unquoted commas) is read as its items joined by
// ", ". Damaged lines are skipped. Always true: what could be read is kept.
bool readIniText(QIODevice& device, QSettings::SettingsMap& map);

// Writes `map` as INI text, each value as text, one section per name before
// the first "/"; true when the device took it all (a file: flushed).
bool writeIniText(QIODevice& device, const QSettings::SettingsMap& map);

// The reason the last failed writeIniText gave, or the empty text; clears it.
QString takeIniWriteError();

}  // namespace settings
