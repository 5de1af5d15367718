#include "documents/document_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QWidget>

#include "documents/formats/format.h"
#include "documents/mirror_file.h"
#include "settings/keys.h"
#include "settings/store.h"

namespace documents {

namespace {

const QString kTextFilter = QStringLiteral("เอกสารข้อความ (*.txt);;ทุกแฟ้ม (*)");

bool askYesNo(QWidget* parent, const QString& text) {
    return platform::platform().message(parent, text, QString(), platform::Buttons::kYesNo,
                                        platform::Icon::kQuestion) == platform::Answer::kYes;
}

void reportError(QWidget* parent, const QString& text) {
    platform::platform().message(parent, text, QString(), platform::Buttons::kOk,
                                 platform::Icon::kCritical);
}

}  // namespace

DocumentCommands::DocumentCommands(QWidget* window, QPlainTextEdit* englishPane,
                                   QPlainTextEdit* thaiPane, MirrorFile* mirror)
    : m_window(window), m_englishPane(englishPane), m_thaiPane(thaiPane), m_mirror(mirror) {}

void DocumentCommands::newDocument() {
    m_englishPane->setPlainText(QString());
    m_thaiPane->setPlainText(QString());
    m_englishPane->setFocus();
    m_englishPath.clear();
    m_thaiPath.clear();
}

QString DocumentCommands::englishStart() const {
    if (m_englishPath.isEmpty()) return settings::getSetting(settings::keys::kEnglishFolder);
    // The English of "story.pdf" is saved as plain text: offered as "story.txt".
    const QFileInfo english(m_englishPath);
    const QString extension = QStringLiteral("*.") + english.suffix().toLower();
    for (const std::string& pattern : formats::documentPatterns()) {
        if (extension != QStringLiteral("*.txt") && extension == QString::fromStdString(pattern)) {
            return english.dir().filePath(english.completeBaseName() + QStringLiteral(".txt"));
        }
    }
    return m_englishPath;
}

QString DocumentCommands::thaiStart() const {
    if (!m_thaiPath.isEmpty()) {
        return m_thaiPath;
    }
    QString folder = settings::getSetting(settings::keys::kThaiFolder);
    if (m_englishPath.isEmpty()) {
        return folder;
    }
    // The translation of "story.txt" is offered as "story.th.txt".
    const QFileInfo english(m_englishPath);
    if (folder.isEmpty()) {
        folder = english.absolutePath();
    }
    return QDir(folder).filePath(english.completeBaseName() + QStringLiteral(".th.txt"));
}

void DocumentCommands::rememberEnglish(const QString& path) {
    m_englishPath = QFileInfo(path).absoluteFilePath();
    settings::saveSetting(settings::keys::kEnglishFolder, QFileInfo(path).absolutePath());
}

void DocumentCommands::openDocument() {
    const QString path =
        platform::platform().openFileName(m_window, QString(), openDialogFilter(), englishStart());
    if (path.isEmpty()) {
        return;
    }
    openFile(path);
}

void DocumentCommands::openFile(const QString& path) {
    if (loadEnglish(path, openDialogCaption(path))) {
        rememberEnglish(path);
    }
}

void DocumentCommands::openFromPanel(const QString& path) {
    if (loadEnglish(path, directoryPanelCaption(path))) {
        rememberEnglish(path);
    }
}

bool DocumentCommands::loadEnglish(const QString& path, const QString& caption) {
    // Taking the text out of a long PDF or book takes a moment.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ReadResult read = readDocument(path, false, m_largeFileBytes);
    QGuiApplication::restoreOverrideCursor();
    if (read.status == ReadResult::Status::kTooLarge) {
        const QString size = QString::number(QFileInfo(path).size() / (1024.0 * 1024.0), 'f', 1);
        if (!askYesNo(m_window, QStringLiteral("แฟ้ม %1 มีขนาด %2 MB ซึ่งใหญ่มาก "
                                               "การเปิดอาจใช้เวลานาน ต้องการเปิดหรือไม่")
                                    .arg(path, size))) {
            return false;
        }
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        read = readDocument(path, true);
        QGuiApplication::restoreOverrideCursor();
    }
    if (read.status == ReadResult::Status::kNotText &&
        !askYesNo(m_window, QStringLiteral("แฟ้ม %1 ไม่ใช่เอกสารข้อความ ต้องการเปิดหรือไม่").arg(path))) {
        return false;
    }
    if (read.status == ReadResult::Status::kFailed) {
        reportError(m_window, QStringLiteral("ไม่สามารถเปิดแฟ้ม %1 ได้: %2").arg(path, read.error));
        return false;
    }
    m_englishPane->setPlainText(read.text);
    m_window->setWindowTitle(caption);
    return true;
}

bool DocumentCommands::saveText(const QString& path, const QString& text) {
    const QString reason = writeDocument(path, text);
    if (reason.isEmpty()) {
        return true;
    }
    reportError(m_window, QStringLiteral("ไม่สามารถบันทึกแฟ้ม %1 ได้: %2").arg(path, reason));
    return false;
}

QString DocumentCommands::save(QPlainTextEdit* pane, const QString& title, const QString& start) {
    const QString name = platform::platform().saveFileName(m_window, title, kTextFilter, start);
    if (name.isEmpty()) {
        return QString();
    }
    const QString path = withTxtExtension(name);
    return saveText(path, pane->toPlainText()) ? path : QString();
}

void DocumentCommands::saveEnglish() {
    const QString path = save(m_englishPane, kSaveEnglishTitle, englishStart());
    if (!path.isEmpty()) {
        rememberEnglish(path);
    }
}

void DocumentCommands::saveThai() {
    const QString path = save(m_thaiPane, kSaveThaiTitle, thaiStart());
    if (!path.isEmpty()) {
        m_thaiPath = QFileInfo(path).absoluteFilePath();
        settings::saveSetting(settings::keys::kThaiFolder, QFileInfo(path).absolutePath());
    }
}

void DocumentCommands::printEnglish() {
    const bool hasSelection = m_englishPane->textCursor().hasSelection();
    m_printRequest.title = kPrintTitle;
    m_printRequest.pageNumbersEnabled = false;
    m_printRequest.selectionAvailable = hasSelection;
    m_printRequest.selectionChosen = hasSelection;
    const platform::PrintChoice choice =
        platform::platform().print(m_window, m_printer, m_printRequest);
    if (choice == platform::PrintChoice::kCancelled) {
        return;
    }
    // The pane's own print prints only the selection when the range says so.
    m_printer.setPrintRange(choice == platform::PrintChoice::kSelection && hasSelection
                                ? QPrinter::Selection
                                : QPrinter::AllPages);
    m_englishPane->print(&m_printer);
}

void DocumentCommands::printThai() {
    if (m_mirror->write(m_thaiPane->toPlainText(), m_window) &&
        !platform::platform().openWithDefaultApp(m_mirror->path())) {
        reportError(m_window, QStringLiteral("ไม่พบโปรแกรมสำหรับเปิดแฟ้ม %1").arg(m_mirror->path()));
    }
}

void DocumentCommands::printerSetup() {
    platform::platform().print(m_window, m_printer, m_printRequest);
}

}  // namespace documents
