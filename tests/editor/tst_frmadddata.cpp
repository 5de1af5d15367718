#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

#include "dictionary/editor/frmadddata.h"
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

class TestFrmaddData final : public QObject {
    Q_OBJECT

private:
    platform::ScriptedPlatform m_platform;
    std::unique_ptr<platform::ScopedPlatform> m_guard;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FrmaddData> m_w;
    int m_flagClears = 0;

    // Writes the table, opens it as the main window would, then opens the editor.
    FrmaddData& open(const std::vector<dict::DictRecord>& records, EditorOpening opening = {}) {
        const std::string path = m_dir->filePath(QStringLiteral("dict.db")).toStdString();
        if (!dict::DictionaryStore::create(path, records).isOk() ||
            !dict::reopenDictionary(path).isOk()) {
            qFatal("cannot create the dictionary");
        }
        m_w = std::make_unique<FrmaddData>(opening, [this] { ++m_flagClears; });
        if (!m_w->Form_Load()) qFatal("load failed");
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
    QString label() { return c<QComboBox>("Combo1")->currentText(); }
    QStringList messages() {
        QStringList out;
        for (const PlatformCall& call : m_platform.callsOf(PlatformCall::Kind::kMessage)) {
            out << (call.title.isEmpty() ? call.text : call.title + "|" + call.text);
        }
        return out;
    }
    // Enabled state of Command1, then the navigation buttons 6, 7, 8, 9.
    QString enabledButtons() {
        QString s;
        for (const char* n : {"Command1", "Command6", "Command7", "Command8", "Command9"}) {
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
        QCOMPARE(c<QLabel>("Label1")->text(), QString("อังกฤษ"));
        QCOMPARE(c<QGroupBox>("Frame3")->title(), QString("ความหมาย"));
        const std::pair<const char*, const char*> captions[] = {
            {"Command4", "ค้นหา"}, {"Command1", "เพิ่ม"},    {"Command2", "บันทึก"},
            {"Command3", "ลบ"},   {"Command10", "ยกเลิก"}, {"Command5", "ออก"}};
        for (const auto& [name, caption] : captions) {
            QCOMPARE(c<QPushButton>(name)->text(), QString(caption));
        }
        QComboBox* combo = c<QComboBox>("Combo1");
        QVERIFY(!combo->isEditable());
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        QCOMPARE(items,
                 QStringList({"Noun", "Verb", "Adv", "Adj", "PP", "Conj", "Question", "Idium"}));
        // The noun meaning wins over the verb meaning.
        QCOMPARE(text("Text1"), QString("apple"));
        QCOMPARE(text("Text2"), QString("แอปเปิล"));
        QCOMPARE(label(), QString("Noun"));
        QCOMPARE(text("Text5"), QString("1 / 4"));
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
            {"Command7", "apple", "แอปเปิล", "Noun", "1 / 4"},  // previous on the first stays
            {"Command9", "bee", "ผึ้ง", "Question", "2 / 4"},
            {"Command9", "cat", "", "Question", "3 / 4"},  // no meaning: label kept
            {"Command8", "o'clock", "นาฬิกา", "Adv", "4 / 4"},
            {"Command9", "o'clock", "นาฬิกา", "Adv", "4 / 4"},  // next on the last stays
            {"Command7", "cat", "", "Adv", "3 / 4"},
            {"Command6", "apple", "แอปเปิล", "Noun", "1 / 4"},
        };
        for (const Step& s : steps) {
            click(s.button);
            QCOMPARE(text("Text1"), QString(s.word));
            QCOMPARE(text("Text2"), QString(s.meaning));
            QCOMPARE(label(), QString(s.label));
            QCOMPARE(text("Text5"), QString(s.position));
        }
    }

    void addSavesOnlyTheWordAndOneMeaning() {
        open(fourWords());
        click("Command1");
        QVERIFY(m_w->addMode());
        QCOMPARE(text("Text5"), QString("เพิ่มข้อมูล"));
        QCOMPARE(text("Text1"), QString());
        QCOMPARE(enabledButtons(), QString("00000"));
        c<QLineEdit>("Text1")->setText("Zebra");
        c<QLineEdit>("Text2")->setText("ม้าลาย");
        c<QComboBox>("Combo1")->setCurrentText("Adj");
        click("Command2");
        QVERIFY(!m_w->addMode());
        QCOMPARE(text("Text1"), QString("apple"));  // the first record after a save
        QCOMPARE(text("Text5"), QString("1 / 5"));
        QCOMPARE(enabledButtons(), QString("11111"));
        QCOMPARE(*stored("zebra"), rec("Zebra", {{dict::kWordAdj, "ม้าลาย"}}));
        // The look-up view sees the new word at once.
        QVERIFY(dict::currentDictionary()->lookup().find("ZEBRA"));
    }

    void duplicateHeadwordKeepsTheAdd() {
        open(fourWords());
        click("Command1");
        c<QLineEdit>("Text1")->setText("APPLE");
        c<QLineEdit>("Text2")->setText("x");
        click("Command2");
        QCOMPARE(messages(), QStringList({"คำนี้มีอยู่ในฐานข้อมูลเรียบร้อยแล้ว "}));
        QVERIFY(m_w->addMode());
        QCOMPARE(text("Text1"), QString("APPLE"));
        QCOMPARE(text("Text5"), QString("เพิ่มข้อมูล"));
        QCOMPARE(dict::currentDictionary()->size(), 4u);
        // Correcting the headword and saving again works.
        c<QLineEdit>("Text1")->setText("apples");
        click("Command2");
        QVERIFY(!m_w->addMode());
        QVERIFY(stored("apples"));
    }

    void changeSaveKeepsOnlyTheShownMeaning() {
        open(fourWords());
        c<QComboBox>("Combo1")->setCurrentText("Verb");
        c<QLineEdit>("Text2")->setText("กิน");
        click("Command2");
        dict::DictRecord expected = rec("apple", {{dict::kWordVerb, "กิน"}});
        for (int pos = 1; pos < dict::kFieldCount; ++pos) {
            if (pos != dict::kWordVerb) expected[pos] = "";
        }
        QCOMPARE(*stored("apple"), expected);
        QCOMPARE(dict::currentDictionary()->lookup().find("apple")->fields, expected.fields);
        QCOMPARE(label(), QString("Verb"));
        QCOMPARE(text("Text5"), QString("1 / 4"));
    }

    void cancelDropsAddAndTyping() {
        open(fourWords());
        click("Command9");
        c<QLineEdit>("Text2")->setText("typed");
        click("Command10");
        QCOMPARE(text("Text2"), QString("ผึ้ง"));
        click("Command1");
        click("Command10");
        QVERIFY(!m_w->addMode());
        QCOMPARE(text("Text1"), QString("bee"));  // the record current before the add
        QCOMPARE(text("Text5"), QString("2 / 4"));
        QCOMPARE(enabledButtons(), QString("11111"));
    }

    void deletes_data() {
        QTest::addColumn<int>("nexts");  // Command9 clicks before the delete
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
        for (int i = 0; i < nexts; ++i) click("Command9");
        const QString word = text("Text1");
        m_platform.queueMessageAnswer(yes ? Answer::kYes : Answer::kNo);
        click("Command3");
        QCOMPARE(messages(), QStringList({"คุณต้องการลบข้อมูลคำศัพท์  " + word + " ใช่หรือไม่"}));
        QCOMPARE(m_platform.callsOf(PlatformCall::Kind::kMessage)[0].buttons,
                 platform::Buttons::kYesNo);
        QCOMPARE(bool(stored(word.toUtf8().constData())), !yes);
        QCOMPARE(text("Text1"), shown);
        QCOMPARE(text("Text5"), position);
        QVERIFY(!m_platform.exitStatus());
    }

    void deletingTheOnlyRecordEndsTheProgram() {
        open({rec("one", {{dict::kWordNoun, "หนึ่ง"}})});
        m_platform.queueMessageAnswer(Answer::kYes);
        click("Command3");
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
        click("Command4");
        const auto prompts = m_platform.callsOf(PlatformCall::Kind::kInput);
        QCOMPARE(prompts.size(), 1u);
        QCOMPARE(prompts[0].text, QString("ใสคำศัพท์ภาษาอังกฤษ"));
        QCOMPARE(m_w->searchWord(), answer);
        QCOMPARE(text("Text1"), shown);
        QCOMPARE(messages(), msgs);
    }

    void searchWhileAddingDropsTheAdd() {
        open(fourWords());
        click("Command1");
        c<QLineEdit>("Text1")->setText("new");
        m_platform.queueInput(QStringLiteral("cat"));
        click("Command4");
        QVERIFY(!m_w->addMode());
        QCOMPARE(text("Text1"), QString("cat"));
        QCOMPARE(text("Text5"), QString("3 / 4"));
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
        QCOMPARE(text("Text1"), word1);
        QCOMPARE(text("Text5"), position);
        QCOMPARE(messages(), msgs);
        if (adding) QCOMPARE(text("Text2"), QString());
    }

    void emptyTable() {
        open({}, {EditorOpening::kMissingWord, QStringLiteral("zebra")});
        QCOMPARE(messages(), QStringList({"ไม่มีข้อมูล|โปรแกรมจะสร้างฐานข้อมูลใหม่"}));
        QVERIFY(m_w->addMode());
        QCOMPARE(text("Text1"), QString());  // the opening's word is not applied
        // Cancel leaves a clean empty state without an error.
        click("Command10");
        QVERIFY(!m_w->addMode());
        QCOMPARE(text("Text5"), QString("0 / 0"));
        QCOMPARE(enabledButtons(), QString("10000"));
        QCOMPARE(messages().size(), 1);
        click("Command1");
        c<QLineEdit>("Text1")->setText("first");
        click("Command2");
        QCOMPARE(text("Text5"), QString("1 / 1"));
        QCOMPARE(enabledButtons(), QString("11111"));
    }

    void closingClearsFlagsAndDropsTheAdd_data() {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("Command5") << false;
        QTest::newRow("window frame") << true;
    }
    void closingClearsFlagsAndDropsTheAdd() {
        QFETCH(bool, byFrame);
        open(fourWords(), {EditorOpening::kMissingWord, QStringLiteral("zebra")});
        QCOMPARE(m_flagClears, 0);
        if (byFrame) {
            m_w->close();
        } else {
            click("Command5");
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
        c<QLineEdit>("Text1")->setFocus();
        QTest::keyClick(c("Text1"), Qt::Key_Return);
        QVERIFY(c("Text2")->hasFocus());
        QTest::keyClick(c("Text2"), Qt::Key_Enter);
        QVERIFY(c("Combo1")->hasFocus());
        QCOMPARE(text("Text1"), QString("apple"));
        QVERIFY(m_w->isVisible());
    }

    void loadReopensTheDictionary() {
        open(fourWords());
        const dict::DictionaryStore* before = dict::currentDictionary();
        const std::string path = before->path();
        FrmaddData second({}, {});
        QVERIFY(second.Form_Load());
        QVERIFY(dict::currentDictionary() != before);
        QCOMPARE(dict::currentDictionary()->path(), path);
    }
};

QTEST_MAIN(TestFrmaddData)
#include "tst_frmadddata.moc"
