#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "documents/directory_panel.h"
#include "documents/document_commands.h"
#include "documents/document_io.h"
#include "documents/mirror_file.h"
#include "../formats/make_documents.h"
#include "platform/scripted_platform.h"
#include "settings/store.h"

using documents::DocumentCommands;
using documents::ReadResult;
using platform::Answer;
using platform::PlatformCall;
using platform::PrintChoice;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int pdfPageCount(const QString& path) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return static_cast<int>(QString::fromLatin1(readBytes(path)).count(page));
}

// True when the one message shown names `path` and a reason after it.
bool namesFileAndReason(const std::vector<PlatformCall>& messages, const QString& path) {
    return !messages.empty() &&
           !messages.back().text.section(path + QStringLiteral(" ได้: "), 1).trimmed().isEmpty();
}

bool isRoot() {
    return qEnvironmentVariable("USER") == QStringLiteral("root") ||
           QDir::homePath() == QStringLiteral("/root");
}

// A main window stand-in: the two panes, the mirror following the Thai pane,
// and the commands over them.
struct Window {
    explicit Window(const QString& mirrorDir) : mirror(mirrorDir) {
        window.setWindowTitle(QStringLiteral("designed caption"));
        QObject::connect(thaiPane, &QPlainTextEdit::textChanged,
                         [this] { mirror.write(thaiPane->toPlainText(), &window); });
    }
    QWidget window;
    QPlainTextEdit* englishPane = new QPlainTextEdit(&window);
    QPlainTextEdit* thaiPane = new QPlainTextEdit(&window);
    documents::MirrorFile mirror;
    DocumentCommands commands{&window, englishPane, thaiPane, &mirror};
};

}  // namespace

class TestDocuments final : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_platform = std::make_unique<platform::ScriptedPlatform>();
        platform::setPlatform(m_platform.get());
        settings::useSettingsFile(m_dir->filePath("config/settings.ini"));
    }
    void cleanup() {
        platform::setPlatform(nullptr);
        settings::useSettingsFile(QString());
        QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
    }

    void txtExtensionIsAddedOnlyWhenMissing_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("bare") << "/d/report"
                              << "/d/report.txt";
        QTest::newRow("has .txt") << "/d/report.txt"
                                  << "/d/report.txt";
        QTest::newRow("upper case") << "/d/REPORT.TXT"
                                    << "/d/REPORT.TXT";
        QTest::newRow("mixed case") << "/d/a.TxT"
                                    << "/d/a.TxT";
        QTest::newRow("other extension") << "/d/a.md"
                                         << "/d/a.md.txt";
        QTest::newRow("txt inside") << "/d/a.txt.bak"
                                    << "/d/a.txt.bak.txt";
        QTest::newRow("no dot") << "/d/atxt"
                                << "/d/atxt.txt";
    }
    void txtExtensionIsAddedOnlyWhenMissing() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QCOMPARE(documents::withTxtExtension(chosen), written);
    }

    void captionsJoinProductAndPath() {
        QCOMPARE(documents::openDialogCaption("/home/u/a.txt"),
                 QStringLiteral("Vantrel Translator 1.4.0 Beta 2    /home/u/a.txt"));
        QCOMPARE(documents::directoryPanelCaption("/home/u/a.txt"),
                 QStringLiteral("Vantrel Translator 1.4.0 Beta 2/home/u/a.txt"));
    }

    void readingDecodesUtf8AndWindows874_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("status");
        const QString thai = QStringLiteral("สวัสดี");
        const int ok = static_cast<int>(ReadResult::Status::kOk);
        QTest::newRow("utf-8") << thai.toUtf8() << thai << ok;
        QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF") + thai.toUtf8() << thai << ok;
        QTest::newRow("windows-874") << QByteArray("\xCA\xC7\xD1\xCA\xB4\xD5") << thai << ok;
        QTest::newRow("crlf and cr")
            << QByteArray("a\r\nb\rc\n") << QStringLiteral("a\nb\nc\n") << ok;
        QTest::newRow("empty") << QByteArray() << QString() << ok;
        // As Windows Notepad writes UTF-16: a byte-order mark, CR LF line ends.
        const QString notepad = thai + QStringLiteral(" cat\r\n");
        QByteArray le("\xFF\xFE"), be("\xFE\xFF");
        for (const QChar c : notepad) {
            le += char(c.unicode() & 0xFF), le += char(c.unicode() >> 8);
            be += char(c.unicode() >> 8), be += char(c.unicode() & 0xFF);
        }
        QTest::newRow("utf-16le notepad") << le << thai + QStringLiteral(" cat\n") << ok;
        QTest::newRow("utf-16be") << be << thai + QStringLiteral(" cat\n") << ok;
        QTest::newRow("nul bytes") << QByteArray("a\0b", 3) << QStringLiteral("a\uFFFDb")
                                   << static_cast<int>(ReadResult::Status::kNotText);
    }
    void readingDecodesUtf8AndWindows874() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(int, status);
        const QString path = m_dir->filePath("doc.txt");
        writeBytes(path, bytes);
        const ReadResult r = documents::readDocument(path);
        QCOMPARE(static_cast<int>(r.status), status);
        QCOMPARE(r.text, text);
    }

    void readingLargeOrMissingFilesReadsNothing() {
        const QString path = m_dir->filePath("big.txt");
        writeBytes(path, QByteArray(100, 'a'));
        QCOMPARE(documents::readDocument(path, false, 99).status, ReadResult::Status::kTooLarge);
        QVERIFY(documents::readDocument(path, false, 99).text.isEmpty());
        QCOMPARE(documents::readDocument(path, true, 99).text.size(), 100);

        const ReadResult missing = documents::readDocument(m_dir->filePath("none.txt"));
        QCOMPARE(missing.status, ReadResult::Status::kFailed);
        QVERIFY(!missing.error.isEmpty());
        QCOMPARE(documents::readDocument(m_dir->path()).status, ReadResult::Status::kFailed);
    }

    void writingIsUtf8AndAFailureKeepsTheOldFile() {
        const QString path = m_dir->filePath("out.txt");
        QVERIFY(documents::writeDocument(path, QStringLiteral("ไทย\n")).isEmpty());
        QCOMPARE(readBytes(path), QStringLiteral("ไทย\n").toUtf8());
        QVERIFY(!documents::writeDocument(m_dir->filePath("no/such/dir.txt"), "x").isEmpty());
        if (isRoot()) {
            QSKIP("permissions do not bind the superuser");
        }
        QVERIFY(
            QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const QString reason = documents::writeDocument(path, QStringLiteral("new"));
        QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(readBytes(path), QStringLiteral("ไทย\n").toUtf8());
    }

    void mirrorIsPrivateAndFollowsTheThaiPane() {
        Window w(m_dir->filePath("cache"));
        QCOMPARE(QFileInfo(w.mirror.path()).fileName(), QStringLiteral("tmp.txt"));
        w.thaiPane->setPlainText(QStringLiteral("แปล"));
        QCOMPARE(readBytes(w.mirror.path()), QStringLiteral("แปล").toUtf8());
        // Owner bits only: nothing for the group or the others, on the file and its folder.
        const auto file = QFile::permissions(w.mirror.path());
        QVERIFY(file.testFlag(QFileDevice::ReadOwner) && file.testFlag(QFileDevice::WriteOwner));
        QCOMPARE(file.toInt() & 0x00FF, 0);
        QCOMPARE(QFile::permissions(QFileInfo(w.mirror.path()).path()).toInt() & 0x00FF, 0);
        w.thaiPane->moveCursor(QTextCursor::End);
        w.thaiPane->textCursor().insertText(QStringLiteral("!"));
        QCOMPARE(readBytes(w.mirror.path()), QStringLiteral("แปล!").toUtf8());
        QVERIFY(!documents::MirrorFile::defaultDirectory().startsWith(QDir::tempPath()));
        QVERIFY(m_platform->calls().empty());
    }

    void mirrorNeverFollowsPlantedLinks_data() {
        QTest::addColumn<QString>("planted");
        QTest::newRow("folder open to others") << "loose folder";
        QTest::newRow("link at the file") << "file link";
        QTest::newRow("dangling link at the file") << "dangling link";
        QTest::newRow("link at the folder") << "folder link";
        QTest::newRow("folder of another user") << "foreign folder";
    }
    void mirrorNeverFollowsPlantedLinks() {
        QFETCH(QString, planted);
        QDir dir(m_dir->path());
        const QString folder = dir.filePath("cache/vantrel");
        const QString victim = dir.filePath("victim.txt");
        const QString elsewhere = dir.filePath("elsewhere");
        QVERIFY(dir.mkpath("cache") && dir.mkpath("elsewhere"));
        if (planted == "folder link") {
            QVERIFY(QFile::link(elsewhere, folder));
        } else {
            QVERIFY(dir.mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7755)));
        }
        if (planted == "file link" || planted == "dangling link") {
            if (planted == "file link") writeBytes(victim, "secret");
            QVERIFY(QFile::link(victim, folder + "/tmp.txt"));
        }
        if (planted == "foreign folder" && (!isRoot() || ::chown(QFile::encodeName(folder), 65534, 65534) != 0)) {
            QSKIP("only the superuser can give a folder to another user");
        }
        documents::MirrorFile mirror(folder);
        const bool written = mirror.write(QStringLiteral("แปล"));
        QCOMPARE(written, planted != "foreign folder");
        QCOMPARE(m_platform->callsOf(PlatformCall::Kind::kMessage).size(), written ? 0u : 1u);
        // A planted link's target is never touched.
        QCOMPARE(readBytes(victim), planted == "file link" ? QByteArray("secret") : QByteArray());
        QVERIFY(!QFile::exists(elsewhere + "/tmp.txt"));
        if (!written) {
            QVERIFY(m_platform->calls()[0].text.contains(mirror.path()));
            return;
        }
        struct stat sb {};
        QCOMPARE(::lstat(QFile::encodeName(folder), &sb), 0);
        QVERIFY(S_ISDIR(sb.st_mode));
        QCOMPARE(sb.st_mode & 0777, 0700u);
        QCOMPARE(::lstat(QFile::encodeName(mirror.path()), &sb), 0);
        QVERIFY(S_ISREG(sb.st_mode));
        QCOMPARE(sb.st_mode & 0777, 0600u);
        QCOMPARE(readBytes(mirror.path()), QStringLiteral("แปล").toUtf8());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"tmp.txt"}));
    }

    void unopenableFilesKeepThePane_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"folder", "pipe", "unreadable", "missing"}) {
            QTest::newRow(kind) << kind;
        }
    }
    void unopenableFilesKeepThePane() {
        QFETCH(QString, kind);
        const QString path = m_dir->filePath("doc.txt");
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(path), 0600), 0);  // reading would wait for ever
        } else if (kind == "unreadable") {
            if (isRoot()) QSKIP("file modes do not bind the superuser");
            writeBytes(path, "secret");
            QVERIFY(QFile::setPermissions(path, {}));
        }
        Window w(m_dir->filePath("cache"));
        w.englishPane->setPlainText("kept");
        w.commands.openFile(path);  // as from the command line
        m_platform->queueFileName(path);
        w.commands.openDocument();
        QCOMPARE(w.englishPane->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(w.window.windowTitle(), QStringLiteral("designed caption"));
        const auto messages = m_platform->callsOf(PlatformCall::Kind::kMessage);
        QCOMPARE(messages.size(), 2u);
        QVERIFY(namesFileAndReason(messages, path));
    }

    void aFiftyMegabyteFileOpens() {
        const QString path = m_dir->filePath("large.txt");
        const QByteArray bytes = QByteArray("The quick brown fox jumps over the lazy dog.\n").repeated(
            50'000'000 / 45);
        writeBytes(path, bytes);
        Window w(m_dir->filePath("cache"));
        w.commands.openFile(path);
        QVERIFY(m_platform->calls().empty());
        QCOMPARE(w.englishPane->document()->characterCount() - 1, bytes.size());
        QCOMPARE(w.window.windowTitle(), documents::openDialogCaption(path));
    }

    void failedSavesKeepTheOldFile_data() {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<int>("length");  // of the text saved
        QTest::newRow("read-only folder") << "read-only" << 10;
        // Small enough to wait in the write buffer: the error comes at commit.
        QTest::newRow("disk full at commit") << "size limit" << 5000;
        QTest::newRow("disk full while writing") << "size limit" << 3'000'000;
    }
    void failedSavesKeepTheOldFile() {
        QFETCH(QString, cause);
        QFETCH(int, length);
        const QString folder = m_dir->filePath("out");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/saved.txt";
        writeBytes(path, "old");
        Window w(m_dir->filePath("cache"));
        w.englishPane->setPlainText(QString(length, QLatin1Char('a')));
        m_platform->queueFileName(path);
        rlimit limit {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit saved = limit;
        void (*savedHandler)(int) = SIG_DFL;
        if (cause == "read-only") {
            if (isRoot()) QSKIP("file modes do not bind the superuser");
            QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        } else {
            savedHandler = ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead
            limit.rlim_cur = 1000;
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        }
        w.commands.saveEnglish();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, savedHandler);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        const auto messages = m_platform->callsOf(PlatformCall::Kind::kMessage);
        QCOMPARE(messages.size(), 1u);
        QVERIFY(namesFileAndReason(messages, path));
        QVERIFY2(!messages[0].text.endsWith("Unknown error"), qPrintable(messages[0].text));
        QCOMPARE(readBytes(path), QByteArray("old"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"saved.txt"}));
    }

    void aFailingMirrorIsReportedOncePerFailureRun() {
        const QString blocker = m_dir->filePath("blocker");
        writeBytes(blocker, "file, not folder");
        documents::MirrorFile mirror(blocker);
        QVERIFY(!mirror.write("a"));
        QVERIFY(!mirror.write("ab"));
        QCOMPARE(m_platform->callsOf(PlatformCall::Kind::kMessage).size(), 1u);
        QVERIFY(m_platform->calls()[0].text.contains(mirror.path()));
        QFile::remove(blocker);
        QVERIFY(mirror.write("abc"));
        QDir(blocker).removeRecursively();
        writeBytes(blocker, "again");
        QVERIFY(!mirror.write("abcd"));
        QCOMPARE(m_platform->callsOf(PlatformCall::Kind::kMessage).size(), 2u);
    }

    void newDocumentEmptiesBothPanesAndTheMirror() {
        Window w(m_dir->path());
        w.englishPane->setPlainText("english");
        w.thaiPane->setPlainText("thai");
        w.commands.newDocument();
        QVERIFY(w.englishPane->toPlainText().isEmpty());
        QVERIFY(w.thaiPane->toPlainText().isEmpty());
        QCOMPARE(readBytes(w.mirror.path()), QByteArray());
    }

    void openLoadsTheChosenFileAndSetsTheCaption() {
        Window w(m_dir->path());
        const QString path = m_dir->filePath("in.txt");
        writeBytes(path, "Hello world.\r\n");
        m_platform->queueFileName(path);
        w.commands.openDocument();
        QCOMPARE(w.englishPane->toPlainText(), QStringLiteral("Hello world.\n"));
        QCOMPARE(w.window.windowTitle(), documents::openDialogCaption(path));

        w.commands.openFromPanel(path);
        QCOMPARE(w.window.windowTitle(), documents::directoryPanelCaption(path));
    }

    void fileDialogsStartWhereTheDocumentsAre() {
        QDir dir(m_dir->path());
        QVERIFY(dir.mkpath("english") && dir.mkpath("thai"));
        const QString story = dir.filePath("english/story.txt");
        writeBytes(story, "The cat.\n");
        const auto lastStart = [this] { return m_platform->calls().back().text; };
        {
            Window w(m_dir->path());
            w.commands.openDocument();  // cancelled: nowhere remembered yet
            QCOMPARE(lastStart(), QString());
            m_platform->queueFileName(story);
            w.commands.openDocument();
            w.commands.saveEnglish();  // cancelled, but started on the open file
            QCOMPARE(lastStart(), story);
            w.commands.saveThai();  // the translation's name beside it
            QCOMPARE(lastStart(), dir.filePath("english/story.th.txt"));
            m_platform->queueFileName(dir.filePath("thai/story-th"));
            w.commands.saveThai();
            w.commands.saveThai();
            QCOMPARE(lastStart(), dir.filePath("thai/story-th.txt"));
            w.commands.newDocument();  // the panes no longer belong to a file
            w.commands.saveEnglish();
            QCOMPARE(lastStart(), dir.filePath("english"));
        }
        // A later run starts in the folders last used for each kind.
        Window again(m_dir->path());
        again.commands.openDocument();
        QCOMPARE(lastStart(), dir.filePath("english"));
        again.commands.saveThai();
        QCOMPARE(lastStart(), dir.filePath("thai"));
    }

    void cancelledOrFailedOpenChangesNothing() {
        Window w(m_dir->path());
        w.englishPane->setPlainText("kept");
        w.commands.openDocument();  // no name queued: cancelled
        QVERIFY(m_platform->callsOf(PlatformCall::Kind::kMessage).empty());
        const QString missing = m_dir->filePath("missing.txt");
        m_platform->queueFileName(missing);
        w.commands.openDocument();
        QCOMPARE(w.englishPane->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(w.window.windowTitle(), QStringLiteral("designed caption"));
        const auto messages = m_platform->callsOf(PlatformCall::Kind::kMessage);
        QCOMPARE(messages.size(), 1u);
        QVERIFY(messages[0].text.contains(missing));
        QCOMPARE(messages[0].icon, platform::Icon::kCritical);
    }

    void suspiciousFilesAskFirst_data() {
        QTest::addColumn<bool>("large");
        QTest::addColumn<bool>("agree");
        QTest::newRow("nul, no") << false << false;
        QTest::newRow("nul, yes") << false << true;
        QTest::newRow("large, no") << true << false;
        QTest::newRow("large, yes") << true << true;
    }
    void suspiciousFilesAskFirst() {
        QFETCH(bool, large);
        QFETCH(bool, agree);
        Window w(m_dir->path());
        w.englishPane->setPlainText("kept");
        const QString path = m_dir->filePath("odd.bin");
        if (large) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("text");
            f.write(QByteArray(2000, 'a'));
            w.commands.setLargeFileBytes(1000);
        } else {
            writeBytes(path, QByteArray("MZ\0\0\x90", 5));
        }
        m_platform->queueMessageAnswer(agree ? Answer::kYes : Answer::kNo);
        m_platform->queueMessageAnswer(agree ? Answer::kYes : Answer::kNo);  // large with NULs
        QCOMPARE(w.commands.loadEnglish(path, "caption"), agree);
        const auto asked = m_platform->callsOf(PlatformCall::Kind::kMessage);
        QVERIFY(!asked.empty());
        QCOMPARE(asked[0].buttons, platform::Buttons::kYesNo);
        QVERIFY(asked[0].text.contains(path));
        QCOMPARE(w.englishPane->toPlainText() == QStringLiteral("kept"), !agree);
        QCOMPARE(w.window.windowTitle() == QStringLiteral("caption"), agree);
    }

    void savesWriteThePaneUnderTheTitledDialog_data() {
        QTest::addColumn<bool>("thai");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("english bare") << false << "e"
                                      << "e.txt";
        QTest::newRow("english with .txt") << false << "e.txt"
                                           << "e.txt";
        QTest::newRow("thai bare") << true << "t"
                                   << "t.txt";
        QTest::newRow("thai upper .TXT") << true << "t.TXT"
                                         << "t.TXT";
    }
    void savesWriteThePaneUnderTheTitledDialog() {
        QFETCH(bool, thai);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        Window w(m_dir->filePath("cache"));
        w.englishPane->setPlainText(QStringLiteral("Good morning."));
        w.thaiPane->setPlainText(QStringLiteral("อรุณสวัสดิ์"));
        m_platform->queueFileName(m_dir->filePath(chosen));
        thai ? w.commands.saveThai() : w.commands.saveEnglish();
        const auto dialogs = m_platform->callsOf(PlatformCall::Kind::kSaveFile);
        QCOMPARE(dialogs.size(), 1u);
        QCOMPARE(dialogs[0].title,
                 thai ? QStringLiteral("บันทึกเอกสารที่แปล") : QStringLiteral("บันทึกเอกสารภาษาอังกฤษ"));
        QCOMPARE(QString::fromUtf8(readBytes(m_dir->filePath(written))),
                 thai ? w.thaiPane->toPlainText() : w.englishPane->toPlainText());
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 1);
    }

    void cancelledOrFailedSaveWritesNothing() {
        Window w(m_dir->path());
        w.englishPane->setPlainText("text");
        w.commands.saveEnglish();  // cancelled
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 0);
        QVERIFY(m_platform->callsOf(PlatformCall::Kind::kMessage).empty());
        const QString bad = m_dir->filePath("no/such/folder/x");
        m_platform->queueFileName(bad);
        w.commands.saveEnglish();
        const auto messages = m_platform->callsOf(PlatformCall::Kind::kMessage);
        QCOMPARE(messages.size(), 1u);
        QVERIFY(messages[0].text.contains(bad + ".txt"));
    }

    void printEnglishPrintsAllOrTheSelection_data() {
        QTest::addColumn<bool>("select");
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("pages");  // -1: more than one
        QTest::newRow("all") << false << static_cast<int>(PrintChoice::kAll) << -1;
        QTest::newRow("selection") << true << static_cast<int>(PrintChoice::kSelection) << 1;
        QTest::newRow("selection, all chosen") << true << static_cast<int>(PrintChoice::kAll) << -1;
        QTest::newRow("cancelled") << false << static_cast<int>(PrintChoice::kCancelled) << 0;
    }
    void printEnglishPrintsAllOrTheSelection() {
        QFETCH(bool, select);
        QFETCH(int, choice);
        QFETCH(int, pages);
        Window w(m_dir->filePath("cache"));
        QStringList lines;
        for (int i = 0; i < 300; ++i) {
            lines << QStringLiteral("Line %1 of a long English document.").arg(i);
        }
        w.englishPane->setPlainText(lines.join('\n'));
        if (select) {
            QTextCursor c = w.englishPane->textCursor();
            c.setPosition(0);
            c.setPosition(20, QTextCursor::KeepAnchor);
            w.englishPane->setTextCursor(c);
        }
        const QString pdf = m_dir->filePath("en.pdf");
        w.commands.printer().setOutputFormat(QPrinter::PdfFormat);
        w.commands.printer().setOutputFileName(pdf);
        m_platform->queuePrintChoice(static_cast<PrintChoice>(choice));
        w.commands.printEnglish();

        const auto dialogs = m_platform->callsOf(PlatformCall::Kind::kPrint);
        QCOMPARE(dialogs.size(), 1u);
        QCOMPARE(dialogs[0].printRequest.title, QStringLiteral("พิมพ์"));
        QVERIFY(!dialogs[0].printRequest.pageNumbersEnabled);
        QCOMPARE(dialogs[0].printRequest.selectionChosen, select);
        if (pages == 0) {
            QVERIFY(!QFile::exists(pdf));
        } else if (pages < 0) {
            QVERIFY(pdfPageCount(pdf) > 1);
        } else {
            QCOMPARE(pdfPageCount(pdf), pages);
        }
        QVERIFY(m_platform->callsOf(PlatformCall::Kind::kMessage).empty());

        // The set-up dialog shows what the last print left and prints nothing.
        QFile::remove(pdf);
        m_platform->queuePrintChoice(PrintChoice::kAll);
        w.commands.printerSetup();
        const auto again = m_platform->callsOf(PlatformCall::Kind::kPrint);
        QCOMPARE(again.size(), 2u);
        QCOMPARE(again[1].printRequest.title, QStringLiteral("พิมพ์"));
        QCOMPARE(again[1].printRequest.selectionChosen, select);
        QVERIFY(!QFile::exists(pdf));
    }

    void printerSetupBeforeAnyPrintShowsTheDialogAsDesigned() {
        Window w(m_dir->filePath("cache"));
        w.commands.printerSetup();
        const auto dialogs = m_platform->callsOf(PlatformCall::Kind::kPrint);
        QCOMPARE(dialogs.size(), 1u);
        QVERIFY(dialogs[0].printRequest.title.isEmpty());
        QVERIFY(dialogs[0].printRequest.pageNumbersEnabled);
        QVERIFY(!dialogs[0].printRequest.selectionChosen);
    }

    void printThaiOpensTheCurrentMirror() {
        Window w(m_dir->filePath("cache"));
        w.thaiPane->setPlainText(QStringLiteral("คำแปล"));
        w.commands.printThai();
        auto opened = m_platform->callsOf(PlatformCall::Kind::kOpenApp);
        QCOMPARE(opened.size(), 1u);
        QCOMPARE(opened[0].text, w.mirror.path());
        QCOMPARE(readBytes(w.mirror.path()), QStringLiteral("คำแปล").toUtf8());

        m_platform->setOpenWithDefaultAppResult(false);
        w.thaiPane->setPlainText(QString());
        w.commands.printThai();
        QCOMPARE(readBytes(w.mirror.path()), QByteArray());
        QCOMPARE(m_platform->callsOf(PlatformCall::Kind::kMessage).size(), 1u);
    }

    void directoryPanelListsVolumesFoldersAndMatchingFiles() {
        QDir dir(m_dir->path());
        QVERIFY(dir.mkdir("sub"));
        for (const char* name : {"a.txt", "B.TXT", "c.md", "sub/inner.txt"}) {
            writeBytes(dir.filePath(name), "x");
        }
        QWidget host;
        auto* drive = new QComboBox(&host);
        auto* folders = new QListWidget(&host);
        auto* files = new QListWidget(&host);
        auto* pattern = new QComboBox(&host);
        // The panel starts in the current folder (the shell's, or home from the menu).
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.filePath("sub"));
        documents::DirectoryPanel panel(drive, folders, files, pattern, &host);
        QDir::setCurrent(before);
        QCOMPARE(drive->itemText(0), QStringLiteral("/"));
        QCOMPARE(panel.folder(), dir.filePath("sub"));
        QCOMPARE(panel.fileNames(), QStringList({"inner.txt"}));
        QCOMPARE(pattern->currentText(), documents::documentPattern());
        QCOMPARE(pattern->count(), 3);

        panel.setVolumes({"/b", "/", "/a", "/a"});
        QCOMPARE(drive->count(), 3);
        QCOMPARE(drive->itemText(0), QStringLiteral("/"));
        QCOMPARE(drive->itemText(1), QStringLiteral("/a"));

        QVERIFY(panel.setFolder(m_dir->path()));
        QCOMPARE(panel.fileNames(), QStringList({"a.txt", "B.TXT"}));
        // The tree from the root down to the folder, then its subfolder.
        const QStringList entries = panel.folderEntries();
        QCOMPARE(entries.first(), QStringLiteral("/"));
        QCOMPARE(entries.at(entries.size() - 2), m_dir->path());
        QCOMPARE(entries.last(), dir.filePath("sub"));
        QCOMPARE(folders->currentRow(), entries.size() - 2);

        pattern->setEditText("*.md");  // typing filters at once
        QCOMPARE(panel.fileNames(), QStringList({"c.md"}));
        pattern->setEditText("*.md;*.TXT");
        QCOMPARE(panel.fileNames().size(), 3);
        pattern->setCurrentIndex(2);  // "*.*"
        Q_EMIT pattern->textActivated(pattern->currentText());
        QCOMPARE(panel.fileNames(), QStringList({"a.txt", "B.TXT", "c.md"}));

        QString chosen;
        connect(&panel, &documents::DirectoryPanel::fileChosen,
                [&](const QString& p) { chosen = p; });
        Q_EMIT files->itemActivated(files->item(0));
        QCOMPARE(chosen, dir.filePath("a.txt"));

        Q_EMIT folders->itemActivated(folders->item(folders->count() - 1));
        QCOMPARE(panel.folder(), dir.filePath("sub"));
        QCOMPARE(panel.fileNames(), QStringList({"inner.txt"}));
        Q_EMIT folders->itemActivated(folders->item(folders->currentRow() - 1));
        QCOMPARE(panel.folder(), dir.path());
        QVERIFY(m_platform->calls().empty());
    }

    void everyKindOfDocumentOpensAsItsText_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"story.docx", "story.odt", "story.epub", "story.html",
                                 "story.pdf", "story.srt", "story.txt"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void everyKindOfDocumentOpensAsItsText() {
        QFETCH(QString, name);
        const QString story = QStringLiteral(VANTREL_FORMATS_DATA "/story.txt");
        const QString path = m_dir->filePath(name);
        QVERIFY(QFile::copy(QStringLiteral(VANTREL_FORMATS_DATA "/") + name, path));
        Window w(m_dir->path());
        m_platform->queueFileName(path);
        w.commands.openDocument();
        const auto dialogs = m_platform->callsOf(PlatformCall::Kind::kOpenFile);
        QCOMPARE(dialogs.size(), 1u);
        for (const char* kind : {"*.pdf", "*.docx", "*.odt", "*.epub", "*.html", "*.srt", "*.vtt"}) {
            QVERIFY(dialogs[0].extra.section(QStringLiteral(";;"), 0, 0).contains(kind));
        }
        // The subtitles' cues are the story's paragraphs.
        QCOMPARE(w.englishPane->toPlainText(), QString::fromUtf8(readBytes(story)));
        QCOMPARE(w.window.windowTitle(), documents::openDialogCaption(path));
        QVERIFY(m_platform->callsOf(PlatformCall::Kind::kMessage).empty());

        // The English pane is saved as plain text, offered beside the document as NAME.txt.
        m_platform->queueFileName(m_dir->filePath("saved"));
        w.commands.saveEnglish();
        QCOMPARE(m_platform->calls().back().text, m_dir->filePath("story.txt"));
        QCOMPARE(readBytes(m_dir->filePath("saved.txt")), readBytes(story));
    }

    void badDocumentsAreReportedInThaiAndChangeNothing() {
        const QByteArray pdf = readBytes(QStringLiteral(VANTREL_FORMATS_DATA "/story.pdf"));
        const QString cut = m_dir->filePath("cut.pdf");
        writeBytes(cut, pdf.left(pdf.size() / 2));
        const QString scanned = m_dir->filePath("scanned.pdf");
        writeBytes(scanned, QByteArray::fromStdString(testdocs::pdfOf({{}})));
        const std::pair<QString, QString> cases[] = {
            {cut, QStringLiteral("แฟ้มเสียหาย")},
            {scanned, QStringLiteral("ภาพสแกน")},
        };
        for (const auto& [path, reason] : cases) {
            Window w(m_dir->path());
            w.englishPane->setPlainText("kept");
            m_platform->clearCalls();
            QVERIFY(!w.commands.loadEnglish(path, "caption"));
            QCOMPARE(w.englishPane->toPlainText(), QStringLiteral("kept"));
            QCOMPARE(w.window.windowTitle(), QStringLiteral("designed caption"));
            const auto messages = m_platform->callsOf(PlatformCall::Kind::kMessage);
            QVERIFY(namesFileAndReason(messages, path));
            QVERIFY2(messages.back().text.contains(reason), qPrintable(messages.back().text));
        }
    }

    void directoryPanelListsEveryKindOfDocument() {
        for (const char* name : {"a.docx", "b.PDF", "c.srt", "d.md", "e.epub", "f.html", "g.vtt",
                                 "h.odt", "i.txt"}) {
            writeBytes(m_dir->filePath(name), "x");
        }
        QWidget host;
        documents::DirectoryPanel panel(new QComboBox(&host), new QListWidget(&host),
                                        new QListWidget(&host), new QComboBox(&host), &host);
        QVERIFY(panel.setFolder(m_dir->path()));
        QCOMPARE(panel.fileNames(), QStringList({"a.docx", "b.PDF", "c.srt", "e.epub", "f.html",
                                                 "g.vtt", "h.odt", "i.txt"}));
    }

    void aSingleClickNeverLoadsAFile() {
        // A desktop style that activates list items on a single click.
        class SingleClickStyle final : public QProxyStyle {
        public:
            int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* data) const override {
                return hint == SH_ItemView_ActivateItemOnSingleClick
                           ? 1
                           : QProxyStyle::styleHint(hint, option, widget, data);
            }
        };
        writeBytes(m_dir->filePath("a.txt"), "x");
        QWidget host;
        auto* drive = new QComboBox(&host);
        auto* folders = new QListWidget(&host);
        auto* files = new QListWidget(&host);
        auto* pattern = new QComboBox(&host);
        SingleClickStyle style;
        files->setStyle(&style);
        documents::DirectoryPanel panel(drive, folders, files, pattern, &host);
        QVERIFY(panel.setFolder(m_dir->path()));
        host.resize(300, 300);
        files->setGeometry(0, 0, 300, 300);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QStringList chosen;
        connect(&panel, &documents::DirectoryPanel::fileChosen,
                [&](const QString& p) { chosen << p; });
        const QPoint at = files->visualItemRect(files->item(0)).center();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(chosen.isEmpty());
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(chosen, QStringList({m_dir->filePath("a.txt")}));
        files->setStyle(nullptr);
    }

    void unreadableVolumeIsReportedAndTheRootShown() {
        QWidget host;
        auto* drive = new QComboBox(&host);
        auto* folders = new QListWidget(&host);
        auto* files = new QListWidget(&host);
        auto* pattern = new QComboBox(&host);
        documents::DirectoryPanel panel(drive, folders, files, pattern, &host);
        const QString gone = m_dir->filePath("unplugged");
        panel.setVolumes({"/", gone});
        panel.setFolder(m_dir->path());
        panel.chooseVolume(gone);
        const auto messages = m_platform->callsOf(PlatformCall::Kind::kMessage);
        QCOMPARE(messages.size(), 1u);
        QCOMPARE(messages[0].text, QStringLiteral("กรุณาตรวจสอบไดรฟ์"));
        QCOMPARE(messages[0].title, QStringLiteral("พบข้อผิดพลาด"));
        QCOMPARE(messages[0].icon, platform::Icon::kCritical);
        QCOMPARE(messages[0].buttons, platform::Buttons::kOk);
        QCOMPARE(drive->currentIndex(), 0);
        QCOMPARE(panel.folder(), QStringLiteral("/"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<platform::ScriptedPlatform> m_platform;
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
