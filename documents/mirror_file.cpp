#include "documents/mirror_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include "documents/document_io.h"
#include "platform/platform.h"

namespace documents {

namespace {

const char kFileName[] = "tmp.txt";

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Closes a descriptor when it goes.
struct Descriptor final {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// Opens the mirror's folder, creating it for the user alone when missing. A
// symbolic link at its path is taken for a planted one and replaced by a real
// folder (the link's target is not touched); a folder of another user is
// refused; a folder of the user that others may enter is closed to them.
// Returns the empty text and fills `folder`, else the reason.
QString openFolder(const QString& directory, Descriptor* folder) {
    const QByteArray path = QFile::encodeName(directory);
    QDir().mkpath(QFileInfo(directory).absolutePath());
    struct stat sb {};
    if (::lstat(path.constData(), &sb) == 0 && S_ISLNK(sb.st_mode) &&
        ::unlink(path.constData()) != 0) {
        return systemReason(errno);
    }
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        return systemReason(errno);
    }
    folder->fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder->fd < 0) {
        return errno == ENOTDIR || errno == ELOOP
                   ? QStringLiteral("%1 is not a folder").arg(directory)
                   : systemReason(errno);
    }
    if (::fstat(folder->fd, &sb) != 0) {
        return systemReason(errno);
    }
    if (sb.st_uid != ::geteuid()) {
        return QStringLiteral("the folder %1 belongs to another user").arg(directory);
    }
    if ((sb.st_mode & 077) != 0 && ::fchmod(folder->fd, 0700) != 0) {
        return systemReason(errno);
    }
    return QString();
}

// Writes all of `bytes` to `fd`; false with errno set on failure.
bool writeAll(int fd, const QByteArray& bytes) {
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

// Writes `text` as UTF-8 into a new owner-only file in `folder` and renames
// it over the mirror, so that whatever stood at the mirror's name (a planted
// link included) is replaced, never written through. Returns the reason of a
// failure, else the empty text.
QString replaceMirror(int folder, const QString& text) {
    QByteArray temporary;
    Descriptor file;
    for (int attempt = 0; file.fd < 0; ++attempt) {
        temporary = QByteArray(kFileName) + ".new-" +
                    QByteArray::number(QRandomGenerator::global()->generate(), 36);
        file.fd = ::openat(folder, temporary.constData(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (file.fd < 0 && (errno != EEXIST || attempt > 8)) {
            return systemReason(errno);
        }
    }
    const auto fail = [&](int error) {
        ::unlinkat(folder, temporary.constData(), 0);
        return systemReason(error);
    };
    if (::fchmod(file.fd, 0600) != 0) {
        return fail(errno);
    }
    if (!forEachUtf8Slice(text, [&](const QByteArray& bytes) { return writeAll(file.fd, bytes); })) {
        return fail(errno);
    }
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0) {
        return fail(errno);
    }
    if (::renameat(folder, temporary.constData(), folder, kFileName) != 0) {
        return fail(errno);
    }
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
    return m_directory + QLatin1Char('/') + QLatin1String(kFileName);
}

bool MirrorFile::write(const QString& text, QWidget* parent) {
    Descriptor folder;
    QString reason = openFolder(m_directory, &folder);
    if (reason.isEmpty()) {
        reason = replaceMirror(folder.fd, text);
    }
    if (reason.isEmpty()) {
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
