#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <vector>

#include "dictionary/editor/dictionary_editor.h"
#include "dictionary/session.h"
#include "dictionary/store.h"
#include "platform/scripted_platform.h"

using platform::Answer;
using platform::PlatformCall;

namespace {

dict::DictRecord rec(const char* en, std::vector<std::pair<int, const char*>> fields = {}) {
    dict::DictRecord r;
    r[dict::kWordEn] = en;
    for (const auto& [pos, value] : fields) r[pos] = value;
    return r;
}

// apple, bee, cat, o'clock in browse order.
std::vector<dict::DictRecord> fourWords() {
    return {rec("apple", {{dict::kWordNoun, "แอปเปิล"}, {dict::kWordVerb, "ปลูก"}}),
            rec("bee", {{dict::kWordQuestion, "ผึ้ง"}}), rec("cat"),
            rec("o'clock", {{dict::kWordAdv, "นาฬิกา"}})};
}

}  // namespace

class DictionaryEditorTest final : public QObject {
    Q_OBJECT

private:
    platform::ScriptedPlatform m_platform;
    std::unique_ptr<platform::ScopedPlatform> m_guard;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DictionaryEditor> m_w;
    int m_flagClears = 0;

    // Writes the table, opens it as the main window would, then opens the
    // editor; `beforeLoad` runs on the file just before the editor reopens it.
    DictionaryEditor& open(const std::vector<dict::DictRecord>& records,
                           EditorOpening opening = {},
                           const std::function<void(const std::string&)>& beforeLoad = {}) {
        const std::string path = m_dir->filePath(QStringLiteral("dict.db")).toStdString();
        if (!dict::DictionaryStore::create(path, records).isOk() ||
            !dict::reopenDictionary(path).isOk()) {
            qFatal("cannot create the dictionary");
        }
        if (beforeLoad) beforeLoad(path);
        m_w = std::make_unique<DictionaryEditor>(opening, [this] { ++m_flagClears; });
        if (!m_w->load()) qFatal("load failed");
        m_w->show();
        QCoreApplication::processEvents();  // the activation runs once shown
        return *m_w;
    }

    template <class T = QWidget>
    T* c(const char* name) {
        T* w = m_w->findChild<T*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QString text(const char* name) { return c<QLineEdit>(name)->text(); }
    void click(const char* name) { c<QPushButton>(name)->click(); }
    QString label() { return c<QComboBox>("partOfSpeechBox")->currentText(); }
    QStringList messages() {
        QStringList out;
        for (const PlatformCall& call : m_platform.callsOf(PlatformCall::Kind::kMessage)) {
            out << (call.title.isEmpty() ? call.text : call.title + "|" + call.text);
        }
        return out;
    }
    // Enabled state of addButton, then the navigation buttons 6, 7, 8, 9.
    QString enabledButtons() {
        QString s;
        for (const char* n :
             {"addButton", "firstButton", "previousButton", "lastButton", "nextButton"}) {
            s += c<QPushButton>(n)->isEnabled() ? '1' : '0';
        }
        return s;
    }
    const dict::DictRecord* stored(const char* word) {
        return dict::currentDictionary()->find(word);
    }

private slots:
    void init() {
        m_guard = std::make_unique<platform::ScopedPlatform>(m_platform);
        m_platform.clearCalls();
        m_dir = std::make_unique<QTemporaryDir>();
        m_flagClears = 0;
    }
    void cleanup() {
        m_w.reset();
        dict::setCurrentDictionary(nullptr);
        m_guard.reset();
    }

    void controlsAndFirstRecord() {
        open(fourWords());
        QCOMPARE(m_w->windowTitle(), QString("เพิ่ม / แก้ไข ฐานข้อมูลคำศัพท์ V.1.0"));
        QVERIFY(m_w->isModal());
        QCOMPARE(c<QLabel>("headwordLabel")->text(), QString("อังกฤษ"));
        QCOMPARE(c<QGroupBox>("meaningGroup")->title(), QString("ความหมาย"));
        const std::pair<const char*, const char*> captions[] = {
            {"searchButton", "ค้นหา"}, {"addButton", "เพิ่ม"},      {"saveButton", "บันทึก"},
            {"deleteButton", "ลบ"},   {"cancelButton", "ยกเลิก"}, {"closeButton", "ออก"}};
        for (const auto& [name, caption] : captions) {
            QCOMPARE(c<QPushButton>(name)->text(), QString(caption));
        }
        QComboBox* combo = c<QComboBox>("partOfSpeechBox");
        QVERIFY(!combo->isEditable());
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        QCOMPARE(items,
                 QStringList({"Noun", "Verb", "Adv", "Adj", "PP", "Conj", "Question", "Idium"}));
        // The noun meaning wins over the verb meaning.
        QCOMPARE(text("headwordEdit"), QString("apple"));
        QCOMPARE(text("meaningEdit"), QString("แอปเปิล"));
        QCOMPARE(label(), QString("Noun"));
        QCOMPARE(text("positionDisplay"), QString("1 / 4"));
        QCOMPARE(enabledButtons(), QString("11111"));
        QVERIFY(messages().isEmpty());
    }

    void navigation() {
        open(fourWords());
        struct Step {
            const char* button;
            const char* word;
            const char* meaning;
            const char* label;
            const char* position;
        };
        const Step steps[] = {
            {"previousButton", "apple", "แอปเปิล", "Noun", "1 / 4"},  // previous on the first stays
            {"nextButton", "bee", "ผึ้ง", "Question", "2 / 4"},
            {"nextButton", "cat", "", "Question", "3 / 4"},  // no meaning: label kept
            {"lastButton", "o'clock", "นาฬิกา", "Adv", "4 / 4"},
            {"nextButton", "o'clock", "นาฬิกา", "Adv", "4 / 4"},  // next on the last stays
            {"previousButton", "cat", "", "Adv", "3 / 4"},
            {"firstButton", "apple", "แอปเปิล", "Noun", "1 / 4"},
        };
        for (const Step& s : steps) {
            click(s.button);
            QCOMPARE(text("headwordEdit"), QString(s.word));
            QCOMPARE(text("meaningEdit"), QString(s.meaning));
            QCOMPARE(label(), QString(s.label));
            QCOMPARE(text("positionDisplay"), QString(s.position));
        }
    }

    void addSavesOnlyTheWordAndOneMeaning() {
        open(fourWords());
        click("addButton");
        QVERIFY(m_w->addMode());
        QCOMPARE(text("positionDisplay"), QString("เพิ่มข้อมูล"));
        QCOMPARE(text("headwordEdit"), QString());
        QCOMPARE(enabledButtons(), QString("00000"));
        c<QLineEdit>("headwordEdit")->setText("Zebra");
        c<QLineEdit>("meaningEdit")->setText("ม้าลาย");
        c<QComboBox>("partOfSpeechBox")->setCurrentText("Adj");
        click("saveButton");
        QVERIFY(!m_w->addMode());
        QCOMPARE(text("headwordEdit"), QString("apple"));  // the first record after a save
        QCOMPARE(text("positionDisplay"), QString("1 / 5"));
        QCOMPARE(enabledButtons(), QString("11111"));
        QCOMPARE(*stored("zebra"), rec("Zebra", {{dict::kWordAdj, "ม้าลาย"}}));
        // The look-up view sees the new word at once.
        QVERIFY(dict::currentDictionary()->lookup().find("ZEBRA"));
    }

    void duplicateHeadwordKeepsTheAdd() {
        open(fourWords());
        click("addButton");
        c<QLineEdit>("headwordEdit")->setText("APPLE");
        c<QLineEdit>("meaningEdit")->setText("x");
        click("saveButton");
        QCOMPARE(messages(), QStringList({"คำนี้มีอยู่ในฐานข้อมูลเรียบร้อยแล้ว "}));
        QVERIFY(m_w->addMode());
        QCOMPARE(text("headwordEdit"), QString("APPLE"));
        QCOMPARE(text("positionDisplay"), QString("เพิ่มข้อมูล"));
        QCOMPARE(dict::currentDictionary()->size(), 4u);
        // Correcting the headword and saving again works.
        c<QLineEdit>("headwordEdit")->setText("apples");
        click("saveButton");
        QVERIFY(!m_w->addMode());
        QVERIFY(stored("apples"));
    }

    void changeSaveKeepsOnlyTheShownMeaning() {
        open(fourWords());
        c<QComboBox>("partOfSpeechBox")->setCurrentText("Verb");
        c<QLineEdit>("meaningEdit")->setText("กิน");
        click("saveButton");
        dict::DictRecord expected = rec("apple", {{dict::kWordVerb, "กิน"}});
        for (int pos = 1; pos < dict::kFieldCount; ++pos) {
            if (pos != dict::kWordVerb) expected[pos] = "";
        }
        QCOMPARE(*stored("apple"), expected);
        QCOMPARE(dict::currentDictionary()->lookup().find("apple")->fields, expected.fields);
        QCOMPARE(label(), QString("Verb"));
        QCOMPARE(text("positionDisplay"), QString("1 / 4"));
    }

    void cancelDropsAddAndTyping() {
        open(fourWords());
        click("nextButton");
        c<QLineEdit>("meaningEdit")->setText("typed");
        click("cancelButton");
        QCOMPARE(text("meaningEdit"), QString("ผึ้ง"));
        click("addButton");
        click("cancelButton");
        QVERIFY(!m_w->addMode());
        QCOMPARE(text("headwordEdit"), QString("bee"));  // the record current before the add
        QCOMPARE(text("positionDisplay"), QString("2 / 4"));
        QCOMPARE(enabledButtons(), QString("11111"));
    }

    void deletes_data() {
        QTest::addColumn<int>("nexts");  // nextButton clicks before the delete
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("position");
        QTest::newRow("middle") << 1 << true << "cat"
                                << "2 / 3";
        QTest::newRow("last") << 3 << true << "cat"
                              << "3 / 3";
        QTest::newRow("answered no") << 1 << false << "bee"
                                     << "2 / 4";
    }
    void deletes() {
        QFETCH(int, nexts);
        QFETCH(bool, yes);
        QFETCH(QString, shown);
        QFETCH(QString, position);
        open(fourWords());
        for (int i = 0; i < nexts; ++i) click("nextButton");
        const QString word = text("headwordEdit");
        m_platform.queueMessageAnswer(yes ? Answer::kYes : Answer::kNo);
        click("deleteButton");
        QCOMPARE(messages(), QStringList({"คุณต้องการลบข้อมูลคำศัพท์  " + word + " ใช่หรือไม่"}));
        QCOMPARE(m_platform.callsOf(PlatformCall::Kind::kMessage)[0].buttons,
                 platform::Buttons::kYesNo);
        QCOMPARE(bool(stored(word.toUtf8().constData())), !yes);
        QCOMPARE(text("headwordEdit"), shown);
        QCOMPARE(text("positionDisplay"), position);
        QVERIFY(!m_platform.exitStatus());
    }

    void deletingTheOnlyRecordEndsTheProgram() {
        open({rec("one", {{dict::kWordNoun, "หนึ่ง"}})});
        m_platform.queueMessageAnswer(Answer::kYes);
        click("deleteButton");
        QCOMPARE(messages().last(), QString("ไม่มีข้อมูล|ระบบจะทำการออกจากโปรแกรม กรุณาเข้าใหม่ "));
        QCOMPARE(m_platform.exitStatus(), std::optional<int>(0));
        QCOMPARE(dict::currentDictionary()->size(), 0u);
    }

    void search_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("msgs");
        QTest::newRow("found") << "bee"
                               << "bee" << QStringList();
        QTest::newRow("capital letter") << "Cat"
                                        << "cat" << QStringList();
        QTest::newRow("quote") << "O'Clock"
                               << "o'clock" << QStringList();
        QTest::newRow("not found") << "cow"
                                   << "apple" << QStringList({"ไม่พบข้อมูล"});
        QTest::newRow("cancelled") << ""
                                   << "apple" << QStringList();
    }
    void search() {
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QFETCH(QStringList, msgs);
        open(fourWords());
        m_platform.queueInput(answer.isEmpty() ? std::nullopt : std::optional<QString>(answer));
        click("searchButton");
        const auto prompts = m_platform.callsOf(PlatformCall::Kind::kInput);
        QCOMPARE(prompts.size(), 1u);
        QCOMPARE(prompts[0].text, QString("ใสคำศัพท์ภาษาอังกฤษ"));
        QCOMPARE(m_w->searchWord(), answer);
        QCOMPARE(text("headwordEdit"), shown);
        QCOMPARE(messages(), msgs);
    }

    void searchWhileAddingDropsTheAdd() {
        open(fourWords());
        click("addButton");
        c<QLineEdit>("headwordEdit")->setText("new");
        m_platform.queueInput(QStringLiteral("cat"));
        click("searchButton");
        QVERIFY(!m_w->addMode());
        QCOMPARE(text("headwordEdit"), QString("cat"));
        QCOMPARE(text("positionDisplay"), QString("3 / 4"));
        QCOMPARE(enabledButtons(), QString("11111"));
        QVERIFY(!dict::currentDictionary()->browse().editPending());
    }

    void openings_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("word1");
        QTest::addColumn<QString>("position");
        QTest::addColumn<QStringList>("msgs");
        QTest::newRow("missing word")
            << int(EditorOpening::kMissingWord) << "zebra" << true << "zebra"
            << "เพิ่มข้อมูล" << QStringList();
        QTest::newRow("list word")
            << int(EditorOpening::kListWord) << "o'clock" << false << "o'clock"
            << "4 / 4" << QStringList();
        QTest::newRow("list word missing")
            << int(EditorOpening::kListWord) << "cow" << false << "apple"
            << "1 / 4" << QStringList({"ไม่พบข้อมูล"});
    }
    void openings() {
        QFETCH(int, kind);
        QFETCH(QString, word);
        QFETCH(bool, adding);
        QFETCH(QString, word1);
        QFETCH(QString, position);
        QFETCH(QStringList, msgs);
        open(fourWords(), {static_cast<EditorOpening::Kind>(kind), word});
        QCOMPARE(m_w->addMode(), adding);
        QCOMPARE(text("headwordEdit"), word1);
        QCOMPARE(text("positionDisplay"), position);
        QCOMPARE(messages(), msgs);
        if (adding) QCOMPARE(text("meaningEdit"), QString());
    }

    void emptyTable() {
        open({}, {EditorOpening::kMissingWord, QStringLiteral("zebra")});
        QCOMPARE(messages(), QStringList({"ไม่มีข้อมูล|โปรแกรมจะสร้างฐานข้อมูลใหม่"}));
        QVERIFY(m_w->addMode());
        QCOMPARE(text("headwordEdit"), QString());  // the opening's word is not applied
        // Cancel leaves a clean empty state without an error.
        click("cancelButton");
        QVERIFY(!m_w->addMode());
        QCOMPARE(text("positionDisplay"), QString("0 / 0"));
        QCOMPARE(enabledButtons(), QString("10000"));
        QCOMPARE(messages().size(), 1);
        click("addButton");
        c<QLineEdit>("headwordEdit")->setText("first");
        click("saveButton");
        QCOMPARE(text("positionDisplay"), QString("1 / 1"));
        QCOMPARE(enabledButtons(), QString("11111"));
    }

    void closingClearsFlagsAndDropsTheAdd_data() {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("closeButton") << false;
        QTest::newRow("window frame") << true;
    }
    void closingClearsFlagsAndDropsTheAdd() {
        QFETCH(bool, byFrame);
        open(fourWords(), {EditorOpening::kMissingWord, QStringLiteral("zebra")});
        QCOMPARE(m_flagClears, 0);
        if (byFrame) {
            m_w->close();
        } else {
            click("closeButton");
        }
        QCOMPARE(m_flagClears, 1);
        QVERIFY(!m_w->isVisible());
        QVERIFY(!m_w->addMode());
        QVERIFY(!dict::currentDictionary()->browse().editPending());
        QVERIFY(!stored("zebra"));
    }

    void enterMovesTheFocus() {
        open(fourWords());
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        c<QLineEdit>("headwordEdit")->setFocus();
        QTest::keyClick(c("headwordEdit"), Qt::Key_Return);
        QVERIFY(c("meaningEdit")->hasFocus());
        QTest::keyClick(c("meaningEdit"), Qt::Key_Enter);
        QVERIFY(c("partOfSpeechBox")->hasFocus());
        QCOMPARE(text("headwordEdit"), QString("apple"));
        QVERIFY(m_w->isVisible());
    }

    void failedWritesKeepWhatWasTyped_data() {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("action");
        for (const char* action : {"add", "change", "delete"}) {
            QTest::newRow(qPrintable(QString("locked, ") + action)) << "locked" << action;
        }
        QTest::newRow("removed while open, add") << "removed" << "add";
        QTest::newRow("read-only, change") << "read-only" << "change";
    }
    void failedWritesKeepWhatWasTyped() {
        QFETCH(QString, cause);
        QFETCH(QString, action);
        if (cause == "read-only" && ::geteuid() == 0) QSKIP("file modes do not bind the superuser");
        sqlite3* other = nullptr;  // another program holding the write lock
        open(fourWords(), {}, [&](const std::string& path) {
            if (cause == "locked") {
                QCOMPARE(sqlite3_open(path.c_str(), &other), SQLITE_OK);
                QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr),
                         SQLITE_OK);
            } else if (cause == "read-only") {
                ::chmod(path.c_str(), 0444);
            }
        });
        const std::string path = dict::currentDictionary()->path();
        if (cause == "removed") QVERIFY(::unlink(path.c_str()) == 0);
        if (action == "add") click("addButton");
        if (action != "delete") {
            c<QLineEdit>("headwordEdit")->setText("dog");
            c<QLineEdit>("meaningEdit")->setText("หมา");
        }
        const auto act = [&] {
            if (action == "delete") m_platform.queueMessageAnswer(Answer::kYes);
            click(action == "delete" ? "deleteButton" : "saveButton");
        };
        act();
        const std::vector<PlatformCall> shown = m_platform.callsOf(PlatformCall::Kind::kMessage);
        QCOMPARE(shown.size(), action == "delete" ? 2u : 1u);
        QVERIFY2(shown.back().text.contains(QString::fromStdString(path)),
                 qPrintable(shown.back().text));
        QCOMPARE(shown.back().icon, platform::Icon::kCritical);
        if (cause == "removed") QVERIFY(shown.back().text.contains("moved or removed"));
        QVERIFY(!m_platform.exitStatus());
        // Nothing reached the store, and the window still shows what was typed.
        QCOMPARE(dict::currentDictionary()->size(), 4u);
        QVERIFY(!stored("dog") && stored("apple"));
        QCOMPARE(m_w->addMode(), action == "add");
        QCOMPARE(text("headwordEdit"), action == "delete" ? QString("apple") : QString("dog"));
        if (action != "delete") QCOMPARE(text("meaningEdit"), QString("หมา"));
        if (cause != "locked") {
            click("cancelButton");
            QCOMPARE(text("headwordEdit"), QString("apple"));
            return;
        }
        // Once the other program lets go, the same command goes through.
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        act();
        QCOMPARE(m_platform.callsOf(PlatformCall::Kind::kMessage).size(),
                 action == "delete" ? 3u : 1u);
        QCOMPARE(bool(stored("dog")), action != "delete");
        QCOMPARE(bool(stored("apple")), action == "add");
    }

    void aDictionaryThatCannotBeOpenedLeavesTheOneInUse_data() {
        QTest::addColumn<QString>("cause");
        QTest::newRow("damaged") << "damaged";
        QTest::newRow("removed") << "removed";
        QTest::newRow("locked by a writer") << "locked";
    }
    void aDictionaryThatCannotBeOpenedLeavesTheOneInUse() {
        QFETCH(QString, cause);
        open(fourWords());
        const dict::DictionaryStore* before = dict::currentDictionary();
        const std::string path = before->path();
        sqlite3* other = nullptr;
        if (cause == "damaged") {
            QFile file(QString::fromStdString(path));
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.write(QByteArray(512, '\x5a'));  // over the header
        } else if (cause == "removed") {
            QVERIFY(::unlink(path.c_str()) == 0);
        } else {
            QCOMPARE(sqlite3_open(path.c_str(), &other), SQLITE_OK);
            QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        m_platform.clearCalls();
        DictionaryEditor second({}, {});
        QVERIFY(!second.load());
        sqlite3_close(other);
        const std::vector<PlatformCall> shown = m_platform.callsOf(PlatformCall::Kind::kMessage);
        QCOMPARE(shown.size(), 1u);
        QVERIFY(shown[0].text.contains(QString::fromStdString(path)));
        QVERIFY(!m_platform.exitStatus());  // the main window's documents stay
        QCOMPARE(dict::currentDictionary(), before);
    }

    void loadReopensTheDictionary() {
        open(fourWords());
        const dict::DictionaryStore* before = dict::currentDictionary();
        const std::string path = before->path();
        DictionaryEditor second({}, {});
        QVERIFY(second.load());
        QVERIFY(dict::currentDictionary() != before);
        QCOMPARE(dict::currentDictionary()->path(), path);
    }
};

QTEST_MAIN(DictionaryEditorTest)
#include "tst_dictionary_editor.moc"
