// Kills the writers of a dictionary file with SIGKILL at random moments and
// checks the file after every kill: it opens (read-only, as the translator
// opens it), passes SQLite's integrity check and holds the whole content from
// before a write or the whole content after it. The writers: vantrel-dict
// build over an existing file and over none, the dictionary editor saving
// large edits in a loop, the editor's first write, which copies a shipped
// dictionary to the user's place, and the opening of the user's copy that
// takes in a newer shipped dictionary. The editor and the opening run in a
// child of this program (--save-loop FILE, --first-write, --take-in FILE
// SHIPPED). VANTREL_CRASH_SEED repeats a run.
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
constexpr int kTakeInKills = 40;
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

// A shipped dictionary of `count` headwords, and a newer one: a third of the
// meanings changed, one word in twenty dropped, one in eight new.
Records shippedRelease(int release, int count) {
    Records out;
    char word[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(word, sizeof word, "word-%06d", i * 2);
        if (release == 2 && i % 20 == 7) continue;
        std::string meaning = "ความหมาย " + std::to_string(i);
        if (release == 2 && i % 3 == 0) meaning += " (ฉบับใหม่)";
        out.push_back(rec(word, meaning));
        if (release == 2 && i % 8 == 0) {
            std::snprintf(word, sizeof word, "word-%06d", i * 2 + 1);
            out.push_back(rec(word, "คำใหม่ " + std::to_string(i)));
        }
    }
    return out;
}

// The user's three changes: a word added, a meaning changed (one the newer
// release changes too) and a word deleted (one the newer release keeps).
const char* const kUsersAdded = "zz-users-word";
const char* const kUsersChanged = "word-000006";
const char* const kUsersDeleted = "word-000012";

std::vector<dict::UserChange> usersChanges() {
    return {{kUsersAdded, rec(kUsersAdded, "คำของผู้ใช้")},
            {kUsersChanged, rec(kUsersChanged, "ความหมายของผู้ใช้")},
            {kUsersDeleted, std::nullopt}};
}

// Empty when the user's three changes hold in records, else what is wrong.
QString usersWordsMissing(const Records& records, bool deletionKnown) {
    std::map<std::string, const dict::DictRecord*> byWord;
    for (const dict::DictRecord& r : records) byWord[*r[dict::kWordEn]] = &r;
    for (const dict::UserChange& c : usersChanges()) {
        const auto it = byWord.find(c.word);
        if (c.record && (it == byWord.end() || *it->second != *c.record))
            return QStringLiteral("the user's \"%1\" is lost").arg(QString::fromStdString(c.word));
        if (!c.record && deletionKnown && it != byWord.end())
            return QStringLiteral("the deleted \"%1\" is back").arg(QString::fromStdString(c.word));
    }
    return {};
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

    // Opening the user's copy takes in a newer shipped dictionary in one
    // transaction: after a kill the copy holds all of the user's words and
    // the table from before or after the take-in, and the next opening
    // finishes the work. Half the copies carry the record of the user's
    // changes; the other half were made before it existed and are taken over.
    void takeInIsWholeAndFinishedByTheNextStart() {
        const QString shipped = m_dir.filePath(QStringLiteral("take-in/share/vantrel/dict.db"));
        QVERIFY(QDir().mkpath(QFileInfo(shipped).path()));
        const Records release1 = shippedRelease(1, 60000);
        createDictionary(shipped, release1);

        // The user's copies made over release 1.
        const QString recorded = m_dir.filePath(QStringLiteral("take-in/recorded.db"));
        const QString unrecorded = m_dir.filePath(QStringLiteral("take-in/unrecorded.db"));
        {
            dict::OpenOptions options;
            options.readOnly = true;
            options.copyOnWrite = recorded.toStdString();
            std::unique_ptr<dict::DictionaryStore> store;
            QVERIFY(dict::DictionaryStore::open(shipped.toStdString(), options, &store).isOk());
            const dict::Status s = store->applyUserChanges(usersChanges());
            QVERIFY2(s.isOk(), s.message().c_str());
            store.reset();
            QVERIFY(QFile::copy(shipped, unrecorded));
            std::unique_ptr<dict::DictionaryStore> old;
            QVERIFY(dict::DictionaryStore::open(unrecorded.toStdString(), &old).isOk());
            QVERIFY(old->applyUserChanges(usersChanges()).isOk());
        }
        // The newer release is installed; the old copy's record of changes is
        // gone, as one made before the record existed.
        QVERIFY(QFile::remove(shipped));
        createDictionary(shipped, shippedRelease(2, 60000));
        {
            sqlite3* db = nullptr;
            sqlite3_open(unrecorded.toUtf8().constData(), &db);
            QCOMPARE(sqlite3_exec(db, "DROP TABLE vantrel_user_words; DROP TABLE vantrel_shipped",
                                  nullptr, nullptr, nullptr),
                     SQLITE_OK);
            sqlite3_close(db);
        }

        struct Variant {
            QString pristine;
            bool deletionKnown;  // a copy without record may get its deletion back
            Records before, after;
            std::chrono::microseconds time{0};
        };
        Variant variants[] = {{recorded, true, {}, {}}, {unrecorded, false, {}, {}}};
        QString why;
        for (Variant& v : variants) {
            QVERIFY2(readRecords(v.pristine, &v.before, &why), qPrintable(why));
            // One take-in nobody kills, to learn the result and how long the
            // opening takes (the take-in is most of it; kills land in its
            // first four fifths).
            const QString copy = v.pristine + QStringLiteral(".whole");
            QVERIFY(QFile::copy(v.pristine, copy));
            QElapsedTimer clock;
            const auto whole = child({QStringLiteral("--take-in"), copy, shipped});
            whole->start();
            QVERIFY(whole->waitForStarted(30000));
            while (!whole->canReadLine() && whole->waitForReadyRead(60000)) {
            }
            clock.start();
            QVERIFY(whole->waitForFinished(60000));
            v.time = std::chrono::microseconds(clock.nsecsElapsed() / 1000);
            QVERIFY2(whole->exitCode() == 0, whole->readAllStandardError().constData());
            QVERIFY2(readRecords(copy, &v.after, &why), qPrintable(why));
            QVERIFY(v.after != v.before);
            QCOMPARE(usersWordsMissing(v.after, v.deletionKnown), QString());
            qInfo("take-in of %zu records: %lld ms", v.after.size(),
                  static_cast<long long>(v.time.count() / 1000));
        }

        std::map<QString, int> seen;
        int survived = 0;
        for (int i = 0; i < kTakeInKills; ++i) {
            const Variant& v = variants[i % 2];
            const QString user = m_dir.filePath(QStringLiteral("take-in/user-%1.db").arg(i));
            QVERIFY(QFile::copy(v.pristine, user));
            const auto takeIn = child({QStringLiteral("--take-in"), user, shipped});
            takeIn->start();
            const bool killed = killAfter(*takeIn, delayUpTo(v.time * 4 / 5), true);
            Records got;
            QVERIFY2(readRecords(user, &got, &why), qPrintable(why));
            QCOMPARE(integrity(user), QStringLiteral("ok"));
            QCOMPARE(usersWordsMissing(got, v.deletionKnown), QString());
            QVERIFY2(got == v.before || got == v.after,
                     qPrintable(QStringLiteral("kill %1 left a table from the middle of the "
                                               "take-in (%2 records)")
                                    .arg(i)
                                    .arg(got.size())));
            const QString state =
                got == v.after ? QStringLiteral("after") : QStringLiteral("before");
            // The next start finishes the work.
            const auto next = child({QStringLiteral("--take-in"), user, shipped});
            next->start();
            QVERIFY(next->waitForFinished(60000));
            QVERIFY2(next->exitCode() == 0, next->readAllStandardError().constData());
            QVERIFY2(readRecords(user, &got, &why), qPrintable(why));
            QVERIFY2(got == v.after, qPrintable(QStringLiteral("the start after kill %1 did not "
                                                               "finish the take-in")
                                                    .arg(i)));
            survived += killed ? 1 : 0;
            ++seen[(killed ? QStringLiteral("killed, ") : QStringLiteral("done, ")) + state];
        }
        for (const auto& [state, count] : seen) qInfo("take-in %s: %d", qPrintable(state), count);
        qInfo("take-in: %d kills survived", survived);
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

// The child of takeInIsWholeAndFinishedByTheNextStart: opens the user's copy
// at path over the shipped dictionary, as any of the programs does at start.
int runTakeIn(const QString& path, const QString& shipped) {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    dict::OpenOptions options;
    options.lenient = true;
    options.shipped = shipped.toStdString();
    std::unique_ptr<dict::DictionaryStore> store;
    const dict::Status s = dict::DictionaryStore::open(path.toStdString(), options, &store);
    const std::string problem = s.isOk() ? store->takeInProblem() : s.message();
    if (problem.empty()) return 0;
    std::fprintf(stderr, "%s\n", problem.c_str());
    return 3;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--save-loop")) return runSaveLoop(args[2]);
    if (args.size() == 2 && args[1] == QLatin1String("--first-write")) return runFirstWrite();
    if (args.size() == 4 && args[1] == QLatin1String("--take-in"))
        return runTakeIn(args[2], args[3]);
    CrashSafetyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crash_safety.moc"
