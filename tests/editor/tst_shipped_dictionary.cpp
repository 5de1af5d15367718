// The editor on a shipped dictionary in a read-only folder of XDG_DATA_DIRS:
// the first change copies it to the user's data folder and every edit goes
// there; the shipped file is never written. This test program lives outside
// the build's bin/ folder so that no dict.db sits beside it.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "dictionary/editor/dictionary_editor.h"
#include "dictionary/session.h"
#include "dictionary/store.h"
#include "platform/scripted_platform.h"

using platform::PlatformCall;

namespace {

QByteArray sha256(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

dict::DictRecord rec(const char* en, const char* noun) {
    dict::DictRecord r;
    r[dict::kWordEn] = en;
    r[dict::kWordNoun] = noun;
    return r;
}

}  // namespace

class ShippedDictionaryTest final : public QObject {
    Q_OBJECT

private:
    platform::ScriptedPlatform m_platform;
    std::unique_ptr<platform::ScopedPlatform> m_guard;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_shipped;
    QString m_user;
    QByteArray m_shippedHash;
    std::unique_ptr<DictionaryEditor> m_w;

    // Opens the editor the way the main window does: on the dictionary the
    // search finds (a fresh search before the first opening).
    DictionaryEditor& openEditor() {
        m_w = std::make_unique<DictionaryEditor>(EditorOpening{}, nullptr);
        if (!m_w->load()) qFatal("load failed");
        m_w->show();
        QCoreApplication::processEvents();
        return *m_w;
    }
    template <class T = QWidget>
    T* c(const char* name) {
        T* w = m_w->findChild<T*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QString fileLabel() { return c<QLabel>("dictionaryFileLabel")->toolTip(); }
    std::vector<PlatformCall> messages() {
        return m_platform.callsOf(PlatformCall::Kind::kMessage);
    }

private slots:
    void init() {
        m_guard = std::make_unique<platform::ScopedPlatform>(m_platform);
        m_platform.clearCalls();
        m_dir = std::make_unique<QTemporaryDir>();
        const QString shippedFolder = m_dir->filePath(QStringLiteral("share/vantrel"));
        QDir().mkpath(shippedFolder);
        m_shipped = shippedFolder + QStringLiteral("/dict.db");
        m_user = m_dir->filePath(QStringLiteral("home/.local/share/vantrel/dict.db"));
        QVERIFY(dict::DictionaryStore::create(m_shipped.toStdString(),
                                              {rec("apple", "แอปเปิล"), rec("bee", "ผึ้ง")})
                    .isOk());
        QFile::setPermissions(m_shipped, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QFile::setPermissions(shippedFolder, QFile::ReadOwner | QFile::ExeOwner);
        m_shippedHash = sha256(m_shipped);
        qputenv("HOME", m_dir->filePath(QStringLiteral("home")).toUtf8());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("VANTREL_DICT");
        qputenv("XDG_DATA_DIRS", m_dir->filePath(QStringLiteral("share")).toUtf8());
        dict::setCurrentDictionary(nullptr);
        QVERIFY(dict::reopenDictionary().isOk());
    }
    void cleanup() {
        m_w.reset();
        dict::setCurrentDictionary(nullptr);
        QFile::setPermissions(m_dir->filePath(QStringLiteral("share/vantrel")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_guard.reset();
    }

    void firstChangeGoesToTheUserCopy() {
        openEditor();
        QCOMPARE(dict::currentDictionary()->path(), m_shipped.toStdString());
        QVERIFY(fileLabel().contains(m_shipped));
        QVERIFY(fileLabel().contains(m_user));  // where the first change will go

        c<QLineEdit>("meaningEdit")->setText(QStringLiteral("ผลแอปเปิล"));
        c<QPushButton>("saveButton")->click();
        QVERIFY(messages().empty());
        QCOMPARE(sha256(m_shipped), m_shippedHash);
        QVERIFY(QFile::exists(m_user));
        QCOMPARE(dict::currentDictionary()->path(), m_user.toStdString());
        QVERIFY(fileLabel().contains(m_user));
        QVERIFY(!fileLabel().contains(m_shipped));
        QCOMPARE(*(*dict::currentDictionary()->lookup().find("apple"))[dict::kWordNoun],
                 std::string("ผลแอปเปิล"));

        // The next opening of the editor works on the copy; so does a delete.
        openEditor();
        QCOMPARE(c<QLineEdit>("meaningEdit")->text(), QStringLiteral("ผลแอปเปิล"));
        m_platform.queueMessageAnswer(platform::Answer::kYes);
        c<QPushButton>("deleteButton")->click();
        QCOMPARE(dict::currentDictionary()->size(), 1u);
        QCOMPARE(sha256(m_shipped), m_shippedHash);

        // A later start finds the user's copy first.
        dict::setCurrentDictionary(nullptr);
        QVERIFY(dict::reopenDictionary().isOk());
        QCOMPARE(dict::currentDictionary()->path(), m_user.toStdString());
        QCOMPARE(dict::currentDictionary()->size(), 1u);
    }

    // The note beside the headword tells the user's own record from a shipped
    // one; giving it back asks first, then follows the shipped dictionary again.
    void theUsersRecordIsMarkedAndCanBeGivenBack() {
        openEditor();
        auto* note = c<QLabel>("ownWordNote");
        auto* giveBack = c<QPushButton>("giveBackButton");
        QCOMPARE(note->text(), QString());
        QVERIFY(!giveBack->isEnabled());

        c<QLineEdit>("meaningEdit")->setText(QStringLiteral("ผลแอปเปิล"));
        c<QPushButton>("saveButton")->click();  // shows the first record: apple, now the user's
        QCOMPARE(c<QLineEdit>("headwordEdit")->text(), QStringLiteral("apple"));
        QCOMPARE(note->text(), QStringLiteral("คำของคุณ"));
        QVERIFY(giveBack->isEnabled());
        c<QPushButton>("nextButton")->click();
        QCOMPARE(note->text(), QString());
        QVERIFY(!giveBack->isEnabled());
        c<QPushButton>("addButton")->click();
        QCOMPARE(note->text(), QString());  // nothing to say of a word being typed
        c<QPushButton>("cancelButton")->click();

        // No keeps the user's record; Yes brings the shipped one back.
        c<QPushButton>("firstButton")->click();
        m_platform.queueMessageAnswer(platform::Answer::kNo);
        giveBack->click();
        std::vector<PlatformCall> asked = messages();
        QCOMPARE(asked.size(), std::size_t(1));
        QVERIFY(asked[0].text.contains(QStringLiteral("apple")));
        QVERIFY(asked[0].text.contains(QStringLiteral("พจนานุกรมที่มากับโปรแกรม")));
        QCOMPARE(asked[0].buttons, platform::Buttons::kYesNo);
        QCOMPARE(c<QLineEdit>("meaningEdit")->text(), QStringLiteral("ผลแอปเปิล"));
        m_platform.queueMessageAnswer(platform::Answer::kYes);
        giveBack->click();
        QCOMPARE(c<QLineEdit>("meaningEdit")->text(), QStringLiteral("แอปเปิล"));
        QCOMPARE(note->text(), QString());
        QVERIFY(!giveBack->isEnabled());
        QVERIFY(!dict::currentDictionary()->isUsersOwn("apple"));
        QCOMPARE(sha256(m_shipped), m_shippedHash);

        // A word of the user's alone goes, once the user agrees.
        m_platform.clearCalls();
        c<QPushButton>("addButton")->click();
        c<QLineEdit>("headwordEdit")->setText(QStringLiteral("cat"));
        c<QLineEdit>("meaningEdit")->setText(QStringLiteral("แมว"));
        c<QPushButton>("saveButton")->click();
        c<QPushButton>("lastButton")->click();
        QCOMPARE(note->text(), QStringLiteral("คำของคุณ"));
        m_platform.queueMessageAnswer(platform::Answer::kYes);
        giveBack->click();
        asked = messages();
        QCOMPARE(asked.size(), std::size_t(1));
        QVERIFY(asked[0].text.contains(QStringLiteral("ไม่มีคำศัพท์  cat  ")));
        QVERIFY(dict::currentDictionary()->lookup().find("cat") == nullptr);
        QCOMPARE(c<QLineEdit>("headwordEdit")->text(), QStringLiteral("bee"));
        QCOMPARE(c<QLineEdit>("positionDisplay")->text(), QStringLiteral("2 / 2"));
    }

    void aFailedCopyIsReportedAndTheAddStaysPending() {
        // A file where the user's data folder should be.
        QDir().mkpath(m_dir->filePath(QStringLiteral("home/.local")));
        QFile blocker(m_dir->filePath(QStringLiteral("home/.local/share")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        openEditor();
        c<QPushButton>("addButton")->click();
        c<QLineEdit>("headwordEdit")->setText(QStringLiteral("cat"));
        c<QLineEdit>("meaningEdit")->setText(QStringLiteral("แมว"));
        c<QPushButton>("saveButton")->click();
        const std::vector<PlatformCall> shown = messages();
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY(shown[0].text.contains(m_user));
        QCOMPARE(shown[0].icon, platform::Icon::kCritical);
        QVERIFY(m_w->addMode());
        QCOMPARE(c<QLineEdit>("headwordEdit")->text(), QStringLiteral("cat"));
        QCOMPARE(sha256(m_shipped), m_shippedHash);
        QCOMPARE(dict::currentDictionary()->path(), m_shipped.toStdString());
    }
};

QTEST_MAIN(ShippedDictionaryTest)
#include "tst_shipped_dictionary.moc"
