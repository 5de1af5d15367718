// Kills the writers of a dictionary file with SIGKILL at random moments and
// checks the file after every kill: it opens (read-only, as the translator
// opens it), passes SQLite's integrity check and holds the whole content from
// before a write or the whole content after it. The writers: vantrel-dict
// build over an existing file and over none, the dictionary editor saving
// large edits in a loop, and the editor's first write, which copies a shipped
// dictionary to the user's place. The editor runs in a child of this program
// (--save-loop FILE, --first-write). VANTREL_CRASH_SEED repeats a run.
#include <signal.h>
#include <sqlite3.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "dictionary/editor/dictionary_editor.h"
#include "dictionary/session.h"
#include "dictionary/store.h"
#include "platform/scripted_platform.h"

namespace {

using Records = std::vector<dict::DictRecord>;

constexpr int kBuildKills = 30;
constexpr int kSaveLoopKills = 25;
constexpr int kFirstWriteKills = 10;
constexpr int kMaxSaves = 400;  // a save loop nobody kills ends here

// The meaning the k-th save of the loop writes: its number, then Thai letters
// up to nearly the most a line edit takes (about 90 KB of UTF-8).
QString bigMeaning(int k) {
    static const QString letters = QStringLiteral("กขคงจฉชซญดตถทธนบปผพฟภมยรลวสหอฮ");
    QString text = QString::number(k) + QLatin1Char(':');
    while (text.size() < 30000) text += letters[(text.size() + k) % letters.size()];
    return text;
}

QString addedWord(int k) {
    return QStringLiteral("zz-crash-%1").arg(k, 5, 10, QLatin1Char('0'));
}

dict::DictRecord rec(const std::string& word, const std::string& noun) {
    dict::DictRecord r;
    r[dict::kWordEn] = word;
    r[dict::kWordNoun] = noun;
    return r;
}

Records baseRecords() {
    Records out;
    for (int i = 0; i < 2000; ++i) {
        char word[32];
        std::snprintf(word, sizeof word, "aa-base-%05d", i);
        out.push_back(rec(word, "คำที่ " + std::to_string(i)));
        out.back()[dict::kWordVerb] = "ทำ";
    }
    return out;
}

// base after the editor saved the first record with the k-th big meaning.
Records withFirstChanged(Records base, int k) {
    for (int pos = 1; pos < dict::kFieldCount; ++pos) base.front()[pos] = std::string();
    base.front()[dict::kWordNoun] = bigMeaning(k).toStdString();
    return base;
}

// The table after the first `saves` saves of the loop: odd saves add a word,
// even ones change the first record (which the editor shows after a save).
Records afterSaves(const Records& base, int saves) {
    Records out = saves >= 2 ? withFirstChanged(base, saves - saves % 2) : base;
    for (int k = 1; k <= saves; k += 2)
        out.push_back(rec(addedWord(k).toStdString(), bigMeaning(k).toStdString()));
    return out;
}

// Opens the file read-only, as the translator does, and reads every record.
bool readRecords(const QString& path, Records* out, QString* why) {
    dict::OpenOptions readOnly;
    readOnly.readOnly = true;
    std::unique_ptr<dict::DictionaryStore> store;
    const dict::Status s = dict::DictionaryStore::open(path.toStdString(), readOnly, &store);
    if (!s.isOk()) {
        *why = QString::fromStdString(s.message());
        return false;
    }
    out->clear();
    store->forEach([out](const dict::DictRecord& r) { out->push_back(r); });
    return true;
}

// What PRAGMA integrity_check says of the file ("ok" when it is sound).
QString integrity(const QString& path) {
    sqlite3* db = nullptr;
    QString result;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_exec(
            db, "PRAGMA integrity_check",
            [](void* text, int, char** values, char**) {
                static_cast<QString*>(text)->append(QString::fromUtf8(values[0] ? values[0] : ""));
                return 0;
            },
            &result, nullptr);
    }
    if (result.isEmpty()) result = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    return result;
}

void createDictionary(const QString& path, const Records& records) {
    const dict::Status s = dict::DictionaryStore::create(path.toStdString(), records);
    if (!s.isOk()) qFatal("%s", s.message().c_str());
}

void writeTsv(const QString& path, const QString& prefix, int count) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    for (int i = 0; i < count; ++i)
        file.write(QStringLiteral("%1%2\tNoun\tความหมาย %2\n%1%2\tVerb\tทำ %2\n")
                       .arg(prefix)
                       .arg(i)
                       .toUtf8());
}

// The temporary files that writes of `file` in folder left behind.
int strayTemporaries(const QString& folder, const QString& file) {
    return static_cast<int>(
        QDir(folder).entryList({file + QStringLiteral(".tmp-??????")}, QDir::Files).size());
}

}  // namespace

class CrashSafetyTest final : public QObject {
    Q_OBJECT

private:
    std::mt19937 m_random;
    QTemporaryDir m_dir;

    // A delay drawn evenly from 0 to `longest`.
    std::chrono::microseconds delayUpTo(std::chrono::microseconds longest) {
        std::uniform_int_distribution<long long> pick(0, longest.count());
        return std::chrono::microseconds(pick(m_random));
    }

    // Starts a child, waits for its "ready" line when asked, lets it run for
    // `delay`, then sends SIGKILL. False when it had ended by itself first,
    // which must then have been a success.
    static bool killAfter(QProcess& child, std::chrono::microseconds delay, bool waitReady) {
        if (!child.waitForStarted(30000)) qFatal("cannot start %s", qPrintable(child.program()));
        if (waitReady) {
            while (!child.canReadLine() && child.waitForReadyRead(60000)) {
            }
            if (child.readLine() != "ready\n") {
                child.waitForFinished(60000);
                qFatal("the child did not start its writes: %s",
                       child.readAllStandardError().constData());
            }
        }
        std::this_thread::sleep_for(delay);
        // Not reaped before the wait below, so the id is still the child's.
        const auto pid = static_cast<pid_t>(child.processId());
        if (pid > 0) ::kill(pid, SIGKILL);
        if (!child.waitForFinished(60000)) qFatal("the killed child did not end");
        if (child.exitStatus() == QProcess::CrashExit) return true;
        if (child.exitCode() != 0)
            qFatal("the child failed: %s", child.readAllStandardError().constData());
        return false;
    }

    // This program with args, in env (by default this one's), not started yet.
    static std::unique_ptr<QProcess> child(const QStringList& args,
                                           const QProcessEnvironment& env = {}) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env.isEmpty() ? QProcessEnvironment::systemEnvironment() : env);
        p->setProgram(QCoreApplication::applicationFilePath());
        p->setArguments(args);
        return p;
    }

private slots:
    void initTestCase() {
        const QByteArray seed = qgetenv("VANTREL_CRASH_SEED");
        const unsigned value = seed.isEmpty() ? std::random_device{}() : seed.toUInt();
        qInfo("VANTREL_CRASH_SEED=%u", value);
        m_random.seed(value);
        QVERIFY(m_dir.isValid());
    }

    // build writes a temporary file and renames it over OUT: OUT is the old
    // file whole, or the new one whole, or (with no old file) absent.
    void buildReplacesTheFileWhole() {
        const QString oldTsv = m_dir.filePath(QStringLiteral("old.tsv"));
        const QString newTsv = m_dir.filePath(QStringLiteral("new.tsv"));
        writeTsv(oldTsv, QStringLiteral("old"), 3000);
        writeTsv(newTsv, QStringLiteral("new"), 15000);
        const QString oldDb = m_dir.filePath(QStringLiteral("old.db"));
        const QString newDb = m_dir.filePath(QStringLiteral("new.db"));
        QElapsedTimer clock;
        for (const auto& [tsv, db] : {std::pair{oldTsv, oldDb}, std::pair{newTsv, newDb}}) {
            clock.start();
            QCOMPARE(QProcess::execute(QStringLiteral(VANTREL_DICT_TOOL),
                                       {QStringLiteral("build"), tsv, db}),
                     0);
        }
        const auto buildTime = std::chrono::microseconds(clock.nsecsElapsed() / 1000);
        Records oldRecords, newRecords;
        QString why;
        QVERIFY2(readRecords(oldDb, &oldRecords, &why), qPrintable(why));
        QVERIFY2(readRecords(newDb, &newRecords, &why), qPrintable(why));

        std::map<QString, int> seen;
        int strays = 0;
        for (int i = 0; i < kBuildKills; ++i) {
            const QString folder = m_dir.filePath(QStringLiteral("build-%1").arg(i));
            QVERIFY(QDir().mkpath(folder));
            const QString out = folder + QStringLiteral("/dict.db");
            const bool hadOld = i % 2 == 0;
            if (hadOld) QVERIFY(QFile::copy(oldDb, out));
            QProcess build;
            build.start(QStringLiteral(VANTREL_DICT_TOOL), {QStringLiteral("build"), newTsv, out});
            const bool killed = killAfter(build, delayUpTo(buildTime * 6 / 5), false);
            strays += strayTemporaries(folder, QStringLiteral("dict.db"));
            QString state;
            if (!QFile::exists(out)) {
                QVERIFY2(!hadOld && killed, "the dictionary is missing");
                state = QStringLiteral("absent");
            } else {
                Records got;
                QVERIFY2(readRecords(out, &got, &why), qPrintable(why));
                QCOMPARE(integrity(out), QStringLiteral("ok"));
                if (got == newRecords)
                    state = QStringLiteral("new");
                else if (hadOld && got == oldRecords)
                    state = QStringLiteral("old");
                else
                    QFAIL(qPrintable(QStringLiteral("kill %1 left a dictionary of %2 records that "
                                                    "is neither the old nor the new one")
                                         .arg(i)
                                         .arg(got.size())));
            }
            ++seen[(killed ? QStringLiteral("killed, ") : QStringLiteral("done, ")) + state];
        }
        for (const auto& [state, count] : seen) qInfo("build %s: %d", qPrintable(state), count);
        qInfo("build: %d temporary files left by the kills", strays);
    }

    // Each save of the editor is one transaction: after a kill the table is
    // the one after some whole number of saves.
    void editorSavesAreWhole() {
        const Records base = baseRecords();
        const QString baseDb = m_dir.filePath(QStringLiteral("base.db"));
        createDictionary(baseDb, base);
        std::map<int, int> savesSeen;
        for (int i = 0; i < kSaveLoopKills; ++i) {
            const QString path = m_dir.filePath(QStringLiteral("edit-%1.db").arg(i));
            QVERIFY(QFile::copy(baseDb, path));
            const auto loop = child({QStringLiteral("--save-loop"), path});
            loop->start();
            QVERIFY2(killAfter(*loop, delayUpTo(std::chrono::milliseconds(400)), true),
                     "the save loop ended before it was killed");
            Records got;
            QString why;
            QVERIFY2(readRecords(path, &got, &why), qPrintable(why));
            QCOMPARE(integrity(path), QStringLiteral("ok"));
            int added = 0;
            for (const dict::DictRecord& r : got)
                added += r[dict::kWordEn]->rfind("zz-crash-", 0) == 0 ? 1 : 0;
            int saves = -1;
            for (int candidate : {2 * added - 1, 2 * added})
                if (candidate >= 0 && got == afterSaves(base, candidate)) saves = candidate;
            QVERIFY2(saves >= 0, qPrintable(QStringLiteral("kill %1 left a table that no whole "
                                                           "number of saves gives (%2 words added)")
                                                .arg(i)
                                                .arg(added)));
            ++savesSeen[saves];
        }
        QString summary;
        for (const auto& [saves, count] : savesSeen)
            summary += QStringLiteral(" %1x%2").arg(count).arg(saves);
        qInfo("save loop killed after (kills x saves):%s", qPrintable(summary));
    }

    // The first change copies the read-only shipped dictionary to the user's
    // place: after a kill that copy is absent, or whole with or without the change.
    void firstWriteCopyIsWholeOrAbsent() {
        const Records base = baseRecords();
        const QString shipped = m_dir.filePath(QStringLiteral("share/vantrel/dict.db"));
        QVERIFY(QDir().mkpath(QFileInfo(shipped).path()));
        createDictionary(shipped, base);
        QFile::setPermissions(shipped, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QString home = m_dir.filePath(QStringLiteral("home"));
        const QString userFolder = home + QStringLiteral("/.local/share/vantrel");
        const QString user = userFolder + QStringLiteral("/dict.db");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_DIRS"), m_dir.filePath(QStringLiteral("share")));
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        env.remove(QStringLiteral("VANTREL_DICT"));
        const Records changed = withFirstChanged(base, 2);

        // One write nobody kills, to learn how long it takes.
        QElapsedTimer clock;
        const auto first = child({QStringLiteral("--first-write")}, env);
        first->start();
        QVERIFY(first->waitForStarted(30000));
        while (!first->canReadLine() && first->waitForReadyRead(60000)) {
        }
        clock.start();
        QVERIFY(first->waitForFinished(60000));
        const auto writeTime = std::chrono::microseconds(clock.nsecsElapsed() / 1000);
        QCOMPARE(first->exitCode(), 0);
        Records got;
        QString why;
        QVERIFY2(readRecords(user, &got, &why), qPrintable(why));
        QVERIFY(got == changed);

        std::map<QString, int> seen;
        int strays = 0;
        for (int i = 0; i < kFirstWriteKills; ++i) {
            QVERIFY(QDir(userFolder).removeRecursively());
            const auto write = child({QStringLiteral("--first-write")}, env);
            write->start();
            const bool killed = killAfter(*write, delayUpTo(writeTime * 6 / 5), true);
            strays += strayTemporaries(userFolder, QStringLiteral("dict.db"));
            QString state = QStringLiteral("absent");
            if (QFile::exists(user)) {
                QVERIFY2(readRecords(user, &got, &why), qPrintable(why));
                QCOMPARE(integrity(user), QStringLiteral("ok"));
                QVERIFY2(got == base || got == changed,
                         qPrintable(QStringLiteral("kill %1 left a partial user copy").arg(i)));
                state = got == base ? QStringLiteral("copied") : QStringLiteral("changed");
            }
            ++seen[(killed ? QStringLiteral("killed, ") : QStringLiteral("done, ")) + state];
        }
        Records shippedNow;
        QVERIFY2(readRecords(shipped, &shippedNow, &why), qPrintable(why));
        QVERIFY(shippedNow == base);
        for (const auto& [state, count] : seen)
            qInfo("first write %s: %d", qPrintable(state), count);
        qInfo("first write: %d temporary files left by the kills", strays);
    }
};

namespace {

QWidget* control(QWidget& window, const char* name) {
    auto* w = window.findChild<QWidget*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

// Shows the editor on the dictionary opened last and tells the parent.
bool openEditor(DictionaryEditor& editor) {
    if (!editor.load()) return false;
    editor.show();
    QCoreApplication::processEvents();  // the activation runs once shown
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    return true;
}

// Saves the meaning of save k as a noun; false when the editor reported anything.
bool save(DictionaryEditor& editor, const platform::ScriptedPlatform& scripted, int k) {
    static_cast<QLineEdit*>(control(editor, "meaningEdit"))->setText(bigMeaning(k));
    static_cast<QComboBox*>(control(editor, "partOfSpeechBox"))
        ->setCurrentText(QStringLiteral("Noun"));
    static_cast<QPushButton*>(control(editor, "saveButton"))->click();
    return scripted.calls().empty() && !editor.addMode();
}

// The child of editorSavesAreWhole: adds and changes words until killed.
int runSaveLoop(const QString& path) {
    platform::ScriptedPlatform scripted;
    platform::ScopedPlatform guard(scripted);
    if (!dict::reopenDictionary(path.toStdString()).isOk()) return 2;
    DictionaryEditor editor(EditorOpening{}, nullptr);
    if (!openEditor(editor)) return 2;
    for (int k = 1; k <= kMaxSaves; ++k) {
        if (k % 2 == 1) {
            static_cast<QPushButton*>(control(editor, "addButton"))->click();
            static_cast<QLineEdit*>(control(editor, "headwordEdit"))->setText(addedWord(k));
        }
        if (!save(editor, scripted, k)) {
            std::fprintf(stderr, "save %d failed\n", k);
            return 3;
        }
    }
    return 0;
}

// The child of firstWriteCopyIsWholeOrAbsent: one change on the shipped copy.
int runFirstWrite() {
    platform::ScriptedPlatform scripted;
    platform::ScopedPlatform guard(scripted);
    DictionaryEditor editor(EditorOpening{}, nullptr);
    if (!openEditor(editor)) return 2;
    if (!save(editor, scripted, 2)) {
        std::fprintf(stderr, "the first save failed\n");
        return 3;
    }
    editor.close();
    dict::setCurrentDictionary(nullptr);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--save-loop")) return runSaveLoop(args[2]);
    if (args.size() == 2 && args[1] == QLatin1String("--first-write")) return runFirstWrite();
    CrashSafetyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crash_safety.moc"
