#include "documents/document_io.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QSaveFile>
#include <QStringView>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "documents/formats/document_reader.h"
#include "documents/formats/subtitles.h"
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

QString readFailureText(const formats::Status& status) {
    using Kind = formats::Status::Kind;
    switch (status.kind()) {
        case Kind::kOk:
            return QString();
        case Kind::kUnreadable:
            return QString::fromStdString(status.detail());
        case Kind::kDamaged:
            return QStringLiteral("แฟ้มเสียหายหรือถูกตัดขาด อ่านเนื้อหาไม่ได้");
        case Kind::kPasswordProtected:
            return QStringLiteral("เอกสารนี้ถูกป้องกันด้วยรหัสผ่าน "
                                  "กรุณาบันทึกสำเนาที่ไม่มีรหัสผ่านแล้วเปิดใหม่");
        case Kind::kNoTextLayer:
            return QStringLiteral("PDF นี้ไม่มีชั้นข้อความ (หน้าเป็นภาพสแกน) "
                                  "ต้องแปลงด้วยโปรแกรมรู้จำอักขระ (OCR) ก่อน");
        case Kind::kUnpackTooLarge:
            return QStringLiteral("เนื้อหาที่บีบอัดไว้จะขยายเกิน 200 MB "
                                  "หรือเกิน 100 เท่าของขนาดแฟ้ม จึงไม่เปิด");
        case Kind::kUnsafeXml:
            return QStringLiteral("เอกสารมี entity ของ XML ที่อ้างถึงแฟ้มภายนอกหรือขยายตัวซ้อนกัน "
                                  "จึงไม่เปิดเพื่อความปลอดภัย");
        case Kind::kTooLarge:
            return QStringLiteral("เอกสารที่มีรูปแบบใหญ่เกิน 1 GB จึงไม่เปิด");
        case Kind::kUnsupported:
            return QStringLiteral("ไม่ใช่เอกสารชนิดที่โปรแกรมเปิดได้");
    }
    return QString::fromStdString(status.message());
}

namespace {

QStringList documentPatterns() {
    QStringList patterns;
    for (const std::string& pattern : formats::documentPatterns()) {
        patterns << QString::fromStdString(pattern);
    }
    return patterns;
}

}  // namespace

QString openDialogFilter() {
    return QStringLiteral("เอกสารที่เปิดได้ทั้งหมด (%1);;"
                          "เอกสารข้อความ (*.txt);;"
                          "เอกสาร PDF (*.pdf);;"
                          "เอกสาร Word (*.docx);;"
                          "เอกสาร OpenDocument (*.odt);;"
                          "หนังสือ EPUB (*.epub);;"
                          "หน้าเว็บ (*.html *.htm *.xhtml);;"
                          "คำบรรยายภาพยนตร์ (*.srt *.vtt);;"
                          "ทุกแฟ้ม (*)")
        .arg(documentPatterns().join(QLatin1Char(' ')));
}

QString documentPattern() {
    return documentPatterns().join(QLatin1Char(';'));
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
    // The kind of document, found by its content, decides how its text is
    // taken out; a formatted one gives plain text, subtitles their cues.
    formats::Format format = formats::Format::kPlainText;
    const std::string name = path.toStdString();
    formats::Status status = formats::detectFile(file.handle(), name, &format);
    if (status.isOk() && formats::isFormatted(format)) {
        std::string text;
        status = formats::readFormattedFile(file.handle(), format, [&text](std::string_view piece) {
            text.append(piece);
            return true;
        });
        if (status.isOk()) {
            result.status = ReadResult::Status::kOk;
            result.text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
            return result;
        }
    }
    if (!status.isOk()) {
        result.error = readFailureText(status);
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    std::string utf8 =
        engine::documentBytesToUtf8(std::string_view(bytes.constData(), bytes.size()));
    if (formats::isSubtitles(format)) utf8 = formats::subtitleText(utf8, format);
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
