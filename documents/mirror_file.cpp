#include "documents/mirror_file.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "documents/document_io.h"
#include "platform/platform.h"

namespace documents {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kOwnerFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// Creates `directory` readable by the user only when it is missing.
QString ensureFolder(const QString& directory) {
    if (QDir(directory).exists()) {
        return QString();
    }
    if (!QDir().mkpath(directory)) {
        return QStringLiteral("cannot create folder %1").arg(directory);
    }
    QFile::setPermissions(directory, kOwnerFolder);
    return QString();
}

}  // namespace

MirrorFile::MirrorFile(QString directory) : m_directory(std::move(directory)) {
    if (m_directory.isEmpty()) {
        m_directory = defaultDirectory();
    }
}

QString MirrorFile::defaultDirectory() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty()) {
        base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    return base + QStringLiteral("/vantrel");
}

QString MirrorFile::path() const {
    return m_directory + QStringLiteral("/tmp.txt");
}

bool MirrorFile::write(const QString& text, QWidget* parent) {
    QString reason = ensureFolder(m_directory);
    if (reason.isEmpty()) {
        reason = writeDocument(path(), text);
    }
    if (reason.isEmpty()) {
        QFile::setPermissions(path(), kOwnerOnly);
        m_failureReported = false;
        return true;
    }
    if (!m_failureReported) {
        m_failureReported = true;
        platform::platform().message(
            parent, QStringLiteral("ไม่สามารถเขียนแฟ้ม %1 ได้: %2").arg(path(), reason), QString(),
            platform::Buttons::kOk, platform::Icon::kWarning);
    }
    return false;
}

}  // namespace documents
