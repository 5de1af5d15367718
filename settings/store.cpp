#include "settings/store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "settings/ini_text.h"

namespace settings {

namespace {

QString g_overridePath;

// QSettings compares names with letter case on Linux, so every name is stored
// lower-cased; "ArrangWord" and "Arrangword" then address the same value.
QString storedKey(const QString& section, const QString& key) {
    return section.toLower() + QLatin1Char('/') + key.toLower();
}

}  // namespace

QString applicationName() {
    if (QCoreApplication::instance() != nullptr) {
        const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
        if (!name.isEmpty()) {
            return name;
        }
    }
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("vantrel") : name;
}

QString settingsFilePath() {
    if (!g_overridePath.isEmpty()) {
        return g_overridePath;
    }
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return dir + QLatin1Char('/') + applicationName() + QStringLiteral(".ini");
}

void useSettingsFile(const QString& iniPath) {
    g_overridePath = iniPath;
}

QString getSetting(const QString& section, const QString& key, const QString& defaultValue) {
    const QSettings store(settingsFilePath(), iniTextFormat());
    const QVariant value = store.value(storedKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

void saveSetting(const QString& section, const QString& key, const QString& value) {
    const QString path = settingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings store(path, iniTextFormat());
    store.setValue(storedKey(section, key), value);
    store.sync();
}

int getNumber(const QString& section, const QString& key, int defaultValue) {
    bool ok = false;
    const int number = getSetting(section, key, QString()).trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

}  // namespace settings
