#include "settings/keys.h"

#include "settings/colors.h"
#include "settings/store.h"

namespace settings {

QString getSetting(const SettingKey& k) {
    return getSetting(QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                      QString::fromLatin1(k.def));
}

void saveSetting(const SettingKey& k, const QString& value) {
    saveSetting(QString::fromLatin1(k.section), QString::fromLatin1(k.key), value);
}

int getNumber(const SettingKey& k) {
    return getNumber(QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                     QString::fromLatin1(k.def).toInt());
}

bool isFlagSet(const SettingKey& k) {
    return getSetting(k) != QStringLiteral("0");
}

qint32 getColorValue(const SettingKey& k) {
    return storedFromText(getSetting(k), QString::fromLatin1(k.def).toInt());
}

void saveFlag(const SettingKey& k, bool checked) {
    saveSetting(k, checked ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace settings
