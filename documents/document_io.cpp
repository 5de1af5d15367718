#include "documents/document_io.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringView>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/codepage.h"

namespace documents {

QString openDialogCaption(const QString& path) {
    return kProductText + QStringLiteral("  ") + QStringLiteral("  ") + path;
}

QString directoryPanelCaption(const QString& path) {
    return kProductText + path;
}

QString withTxtExtension(const QString& name) {
    if (name.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
        return name;
    }
    return name + QStringLiteral(".txt");
}

ReadResult readDocument(const QString& path, bool allowLarge, std::int64_t sizeLimit) {
    ReadResult result;
    QFile file(path);
    const QFileInfo info(path);
    if (info.isDir()) {
        result.error = QStringLiteral("Is a directory");
        return result;
    }
    // A pipe or a device would block the window or never end.
    if (info.exists() && !info.isFile()) {
        result.error = QStringLiteral("Not a regular file");
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    if (!allowLarge && file.size() > sizeLimit) {
        result.status = ReadResult::Status::kTooLarge;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    const std::string utf8 =
        engine::documentBytesToUtf8(std::string_view(bytes.constData(), bytes.size()));
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    result.status = ReadResult::Status::kOk;
    // UTF-16 holds zero bytes in every ASCII character: only NUL characters
    // of the decoded text make a file suspicious.
    if (text.contains(QChar(u'\0'))) {
        // A text box cannot hold NUL characters; show where they were.
        text.replace(QChar(u'\0'), QChar(0xFFFD));
        result.status = ReadResult::Status::kNotText;
    }
    result.text = std::move(text);
    return result;
}

bool forEachUtf8Slice(const QString& text, const std::function<bool(const QByteArray&)>& write) {
    constexpr qsizetype kSlice = 1 << 20;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype n = std::min(kSlice, text.size() - at);
        if (at + n < text.size() && text.at(at + n - 1).isHighSurrogate()) {
            ++n;
        }
        if (!write(QStringView(text).mid(at, n).toUtf8())) return false;
        at += n;
    }
    return true;
}

QString writeDocument(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    // Qt reports a write past a file size limit as "Unknown error"; the
    // system's reason is then still in errno, cleared before each call.
    const auto failed = [&file] {
        const QString reason =
            errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
        file.cancelWriting();
        return reason;
    };
    const bool written = forEachUtf8Slice(text, [&](const QByteArray& bytes) {
        errno = 0;
        return file.write(bytes) == bytes.size();
    });
    if (!written) {
        return failed();
    }
    // What the buffer still holds is written here: a full disk or a file size
    // limit may show only now. The data must reach the disk before the old
    // file is replaced; commit() would not report a failing sync.
    errno = 0;
    if (!file.flush() || ::fsync(file.handle()) != 0) {
        return failed();
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return QString();
}

}  // namespace documents
