// The document commands of the main window: new, open, save of either pane,
// loading from the directory panel, and printing of both documents.
#pragma once

#include <QObject>
#include <QPrinter>
#include <QString>

#include "documents/document_io.h"
#include "platform/platform.h"

class QPlainTextEdit;
class QWidget;

namespace documents {

class MirrorFile;

class DocumentCommands final : public QObject {
    Q_OBJECT

public:
    // Dialog titles.
    static inline const QString kSaveEnglishTitle = QStringLiteral("บันทึกเอกสารภาษาอังกฤษ");
    static inline const QString kSaveThaiTitle = QStringLiteral("บันทึกเอกสารที่แปล");
    static inline const QString kPrintTitle = QStringLiteral("พิมพ์");

    // Commands over `window` (its caption), the panes and the mirror (none owned).
    DocumentCommands(QWidget* window, QPlainTextEdit* englishPane, QPlainTextEdit* thaiPane,
                     MirrorFile* mirror);

    // Loads a file named on the command line into the English pane.
    void openFile(const QString& path);
    // Loads a file chosen in the directory panel into the English pane.
    void openFromPanel(const QString& path);

    // Loads `path` into the English pane and sets the caption to `caption`; a
    // file that is not text or very large is loaded only when the user agrees.
    // Reports a failure and leaves the pane and the caption as they were;
    // returns whether it loaded.
    bool loadEnglish(const QString& path, const QString& caption);
    // Writes `text` to `path`; a failure is reported with the file name and reason.
    bool saveText(const QString& path, const QString& text);

    // Files larger than `bytes` ask before they are loaded.
    void setLargeFileBytes(std::int64_t bytes) { m_largeFileBytes = bytes; }

    // The printer every print goes to (tests point it at a PDF file).
    QPrinter& printer() { return m_printer; }

public Q_SLOTS:
    // Empties both panes (the Thai one last, so the mirror follows) and
    // focuses the English pane; the panes no longer belong to a file.
    void newDocument();
    // Asks for a file and loads it into the English pane; a cancelled dialog
    // changes nothing. The dialog starts on the current English file, else in
    // the folder last used for English documents.
    void openDocument();
    // Ask for a name and write the English or the Thai pane there (".txt"
    // added when missing). The English dialog starts like the open dialog;
    // the Thai one on the file last saved, else on NAME.th.txt for the English
    // file NAME.txt, in the folder last used for Thai documents.
    void saveEnglish();
    void saveThai();
    // The print dialog over the printer; prints the selection of the English
    // pane or the whole document.
    void printEnglish();
    // Writes the mirror and opens it in the desktop's text editor, without waiting.
    void printThai();
    // Shows the print dialog as printEnglish last left it (untitled, with page
    // numbers, before any print); nothing is read back.
    void printerSetup();

private:
    // Asks for a name (the dialog starting at `start`) and writes `pane` there;
    // returns the path written, or the empty text.
    QString save(QPlainTextEdit* pane, const QString& title, const QString& start);
    // Where the dialogs for English and for Thai documents start: the current
    // document's file (NAME.txt for a formatted one, whose English is saved as
    // plain text), else the folder last used for that kind of document.
    QString englishStart() const;
    QString thaiStart() const;
    // The English document now lives at `path`; its folder is remembered.
    void rememberEnglish(const QString& path);

    QWidget* m_window;
    QPlainTextEdit* m_englishPane;
    QPlainTextEdit* m_thaiPane;
    MirrorFile* m_mirror;
    QString m_englishPath;  // file of the English pane's document, once opened or saved
    QString m_thaiPath;     // file the Thai pane was last saved to
    std::int64_t m_largeFileBytes = kLargeFileBytes;
    QPrinter m_printer;
    platform::PrintRequest m_printRequest;  // kept for the set-up dialog
};

}  // namespace documents
