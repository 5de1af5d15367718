// Reading and writing document files as plain text, and the window captions
// and file names that go with them.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>

#include "documents/formats/status.h"

namespace documents {

// The product text every caption after a load begins with.
inline const QString kProductText = QStringLiteral("Vantrel Translator 1.4.0 Beta 2");

// Files larger than this ask before they are loaded.
constexpr std::int64_t kLargeFileBytes = 50LL * 1024 * 1024;

// The caption after a load through the open dialog.
QString openDialogCaption(const QString& path);

// The caption after a load from the directory panel.
QString directoryPanelCaption(const QString& path);

// `name` with ".txt" appended unless it already ends in ".txt" (any letter case).
QString withTxtExtension(const QString& name);

// What reading a document found.
struct ReadResult {
    enum class Status {
        kOk,        // `text` holds the document
        kTooLarge,  // larger than the limit; nothing read
        kNotText,   // holds NUL characters; `text` holds the document with them replaced
        kFailed,    // could not be read; `error` says why
    };
    Status status = Status::kFailed;
    QString text;
    QString error;
};

// Reads the English text of the document `path`, its kind found by its
// content: PDF, Word, OpenDocument text, EPUB and web pages give their text,
// subtitles the text of their cues, and anything else is plain text (UTF-16
// or UTF-8 with a byte-order mark, UTF-8, else Windows-874); line ends become
// "\n". A file over `sizeLimit` bytes is not read unless `allowLarge` is
// set; a folder, pipe or device is not read at all. A document that cannot
// be read gives kFailed with the reason in Thai.

ReadResult readDocument(const QString& path, bool allowLarge = false,
                        std::int64_t sizeLimit = kLargeFileBytes);

// Why a document could not be read, in Thai.
QString readFailureText(const formats::Status& status);

// The open dialog's filter: every kind of document first, then each kind.
QString openDialogFilter();

// The directory panel's pattern for every kind of document ("*.txt;*.pdf;...").
QString documentPattern();

// Writes `text` to `path` as UTF-8, replacing the file only when the whole text
// was written and synced to disk; returns the empty text on success, else the reason.
QString writeDocument(const QString& path, const QString& text);

// Hands `text` to `write` as UTF-8 a slice of about a megabyte at a time, so a
// long document is never held twice, a surrogate pair kept in one slice; stops
// and returns false as soon as `write` does.
bool forEachUtf8Slice(const QString& text, const std::function<bool(const QByteArray&)>& write);

}  // namespace documents
