#include "settings/store.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include "platform/platform.h"
#include "settings/ini_text.h"

namespace settings {

namespace {

QString g_overridePath;

// QSettings compares names with letter case on Linux, so every name is stored
// lower-cased; "ArrangWord" and "Arrangword" then address the same value.
QString storedKey(const QString& section, const QString& key) {
    return section.toLower() + QLatin1Char('/') + key.toLower();
}

// QSettings tells only that a write failed. The reason is the one the file
// gave while being written, or else the one opening it for writing gives now.
QString writeFailureReason(const QString& path) {
    const QString reason = takeIniWriteError();
    if (!reason.isEmpty()) {
        return reason;
    }
    QSaveFile probe(path);
    if (!probe.open(QIODevice::WriteOnly)) {
        return probe.errorString();
    }
    probe.cancelWriting();
    return QStringLiteral("Unknown error");
}

// A setting is saved on every click of an option, so a file that cannot be
// written is reported once, not at each click.
void reportWriteFailure(const QString& path, const QString& reason) {
    static QString reportedPath;
    if (reportedPath == path) {
        return;
    }
    reportedPath = path;
    platform::platform().message(
        QApplication::activeWindow(),
        QStringLiteral("ไม่สามารถบันทึกค่าที่ตั้งไว้ลงแฟ้ม %1 ได้: %2").arg(path, reason), QString(),
        platform::Buttons::kOk, platform::Icon::kCritical);
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

bool saveSetting(const QString& section, const QString& key, const QString& value) {
    const QString path = settingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings store(path, iniTextFormat());
    store.setValue(storedKey(section, key), value);
    takeIniWriteError();
    store.sync();
    if (store.status() == QSettings::NoError) {
        return true;
    }
    reportWriteFailure(path, writeFailureReason(path));
    return false;
}

int getNumber(const QString& section, const QString& key, int defaultValue) {
    bool ok = false;
    const int number = getSetting(section, key, QString()).trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

}  // namespace settings
