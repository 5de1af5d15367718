#include "documents/document_commands.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QWidget>

#include "documents/mirror_file.h"

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
}

void DocumentCommands::openDocument() {
    const QString path = platform::platform().openFileName(m_window, QString(), kTextFilter);
    if (path.isEmpty()) {
        return;
    }
    loadEnglish(path, openDialogCaption(path));
}

void DocumentCommands::openFromPanel(const QString& path) {
    loadEnglish(path, directoryPanelCaption(path));
}

bool DocumentCommands::loadEnglish(const QString& path, const QString& caption) {
    ReadResult read = readDocument(path, false, m_largeFileBytes);
    if (read.status == ReadResult::Status::kTooLarge) {
        const QString size = QString::number(QFileInfo(path).size() / (1024.0 * 1024.0), 'f', 1);
        if (!askYesNo(m_window, QStringLiteral("แฟ้ม %1 มีขนาด %2 MB ซึ่งใหญ่มาก "
                                               "การเปิดอาจใช้เวลานาน ต้องการเปิดหรือไม่")
                                    .arg(path, size))) {
            return false;
        }
        read = readDocument(path, true);
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

void DocumentCommands::save(QPlainTextEdit* pane, const QString& title) {
    const QString name = platform::platform().saveFileName(m_window, title, kTextFilter);
    if (name.isEmpty()) {
        return;
    }
    saveText(withTxtExtension(name), pane->toPlainText());
}

void DocumentCommands::saveEnglish() {
    save(m_englishPane, kSaveEnglishTitle);
}

void DocumentCommands::saveThai() {
    save(m_thaiPane, kSaveThaiTitle);
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
