#include <signal.h>
#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QPalette>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "platform/scripted_platform.h"
#include "settings/colors.h"
#include "settings/keys.h"
#include "settings/store.h"

class TestStore final : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("t%1.ini").arg(++m_count));
        settings::useSettingsFile(m_path);
    }
    void cleanup() { settings::useSettingsFile(QString()); }

    void namesMatchWithoutLetterCase_data() {
        QTest::addColumn<QString>("writeSection");
        QTest::addColumn<QString>("writeKey");
        QTest::addColumn<QString>("readSection");
        QTest::addColumn<QString>("readKey");
        QTest::newRow("ArrangWord/Arrangword") << "Options"
                                               << "ArrangWord"
                                               << "Options"
                                               << "Arrangword";
        QTest::newRow("ChkTooltip/Chktooltip") << "Options"
                                               << "ChkTooltip"
                                               << "Options"
                                               << "Chktooltip";
        QTest::newRow("options/Options") << "options"
                                         << "Datafound"
                                         << "Options"
                                         << "Datafound";
    }
    void namesMatchWithoutLetterCase() {
        QFETCH(QString, writeSection);
        QFETCH(QString, writeKey);
        QFETCH(QString, readSection);
        QFETCH(QString, readKey);
        settings::saveSetting(writeSection, writeKey, "1");
        QCOMPARE(settings::getSetting(readSection, readKey, "0"), QString("1"));
        // A later write in the other spelling overwrites the same value.
        settings::saveSetting(readSection, readKey, "0");
        QCOMPARE(settings::getSetting(writeSection, writeKey, "x"), QString("0"));
    }

    void writesReachTheFileAtOnce() {
        settings::saveSetting("Options", "ColorEn", "255");
        QVERIFY(QFile::exists(m_path));
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("255"));
    }

    void firstRunGivesEveryDefault() {
        using namespace settings::keys;
        for (const settings::SettingKey& k :
             {kEnglishBackground, kThaiBackground, kEnglishTextColour, kThaiTextColour,
              kTranslatingBackground, kUseTranslatingBackground, kTranslateOnSelect, kSoundWhenDone,
              kReportMissingWords, kShowMissingWords, kShowArrangementRead, kShowMeaning}) {
            QCOMPARE(settings::getSetting(k), QString::fromLatin1(k.def));
        }
        QCOMPARE(settings::getNumber(kEnglishBackground), 16777215);
        QCOMPARE(settings::getNumber(kEnglishTextColour), -2147483630);
        QCOMPARE(settings::getNumber(kTranslatingBackground), 12640511);
        QVERIFY(!QFile::exists(m_path));  // reading creates nothing
    }

    void getNumberTreatsNonNumbersAsDefault_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << "42" << 42;
        QTest::newRow("negative") << "-2147483630" << -2147483630;
        QTest::newRow("padded") << " 7 " << 7;
        QTest::newRow("letters") << "abc" << -5;
        QTest::newRow("empty") << "" << -5;
        QTest::newRow("trailing junk") << "12x" << -5;
        QTest::newRow("too big") << "4294967295" << -5;
    }
    void getNumberTreatsNonNumbersAsDefault() {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        settings::saveSetting("Options", "Num", stored);
        QCOMPARE(settings::getNumber("options", "NUM", -5), expected);
    }

    void textValuesSurviveUnchanged() {
        const QString value = QStringLiteral("a, b; c=d [e] ภาษาไทย ");
        settings::saveSetting("Options", "Text", value);
        QCOMPARE(settings::getSetting("Options", "Text", ""), value);
    }

    void defaultFileIsNamedAfterTheExecutable() {
        settings::useSettingsFile(QString());
        QVERIFY(settings::settingsFilePath().endsWith("/vantrel_settings_store_tests.ini"));
    }

    void storedColoursConvert_data() {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<qint32>("stored");
        QTest::addColumn<QString>("text");
        QTest::newRow("white") << QColor(255, 255, 255) << qint32{16777215} << "16777215";
        QTest::newRow("black") << QColor(0, 0, 0) << qint32{0} << "0";
        QTest::newRow("red is the low byte") << QColor(255, 0, 0) << qint32{255} << "255";
        QTest::newRow("255/192/192") << QColor(255, 192, 192) << qint32{0xC0C0FF} << "12632319";
        QTest::newRow("translating colour")
            << QColor(255, 224, 192) << qint32{12640511} << "12640511";
    }
    void storedColoursConvert() {
        QFETCH(QColor, color);
        QFETCH(qint32, stored);
        QFETCH(QString, text);
        QCOMPARE(settings::storedFromColor(color), stored);
        QCOMPARE(settings::colorFromStored(stored), color);
        QCOMPARE(settings::colorText(color), text);
    }

    void systemColoursComeFromThePalette() {
        const qint32 buttonText = settings::systemColorValue(settings::kSysButtonText);
        QCOMPARE(buttonText, qint32{-2147483630});
        QVERIFY(settings::isSystemColor(buttonText));
        QVERIFY(!settings::isSystemColor(16777215));
        QCOMPARE(settings::colorText(buttonText), QString("-2147483630"));

        QPalette palette = QApplication::palette();
        palette.setColor(QPalette::ButtonText, QColor(1, 2, 3));
        palette.setColor(QPalette::Base, QColor(4, 5, 6));
        palette.setColor(QPalette::Text, QColor(7, 8, 9));
        palette.setColor(QPalette::Button, QColor(10, 11, 12));
        palette.setColor(QPalette::Active, QPalette::Highlight, QColor(13, 14, 15));
        palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(16, 17, 18));
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(19, 20, 21));
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(palette);
        QCOMPARE(settings::colorFromStored(buttonText), QColor(1, 2, 3));
        QCOMPARE(settings::colorFromStored(settings::systemColorValue(5)), QColor(4, 5, 6));
        QCOMPARE(settings::colorFromStored(settings::systemColorValue(8)), QColor(7, 8, 9));
        QCOMPARE(settings::colorFromStored(settings::systemColorValue(15)), QColor(10, 11, 12));
        QCOMPARE(settings::colorFromStored(settings::systemColorValue(13)), QColor(13, 14, 15));
        QCOMPARE(settings::colorFromStored(settings::systemColorValue(28)), QColor(16, 17, 18));
        QCOMPARE(settings::colorFromStored(settings::systemColorValue(17)), QColor(19, 20, 21));
        // Numbers that name no colour read as black.
        for (const int n : {25, 31, 0x7FFFFFFF}) {
            QCOMPARE(settings::colorFromStored(settings::systemColorValue(n)), QColor(Qt::black));
        }
        QApplication::setPalette(saved);
    }

    void flagsCountAnythingButZeroAsSet_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("set");
        QTest::newRow("0") << "0" << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("2") << "2" << true;
        QTest::newRow("letter") << "x" << true;
        QTest::newRow("padded zero") << " 0" << true;
    }
    void flagsCountAnythingButZeroAsSet() {
        QFETCH(QString, stored);
        QFETCH(bool, set);
        QVERIFY(!settings::isFlagSet(settings::keys::kShowMissingWords));  // absent: default "0"
        settings::saveSetting(settings::keys::kShowMissingWords, stored);
        QCOMPARE(settings::isFlagSet(settings::keys::kShowMissingWords), set);
    }

    void colourTextFallsBackWhenNotANumber() {
        QCOMPARE(settings::getColorValue(settings::keys::kEnglishTextColour), qint32{-2147483630});
        settings::saveSetting(settings::keys::kEnglishBackground, "pink");
        QCOMPARE(settings::getColorValue(settings::keys::kEnglishBackground), qint32{16777215});
        QCOMPARE(settings::storedFromText("-2147483630", 0), qint32{-2147483630});
        QCOMPARE(settings::storedFromText("white", 16777215), qint32{16777215});
    }

    void damagedFilesFallBackToDefaults_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint32>("colour");  // what "ColorEn" reads as
        QByteArray noise(65536, '\0');
        QRandomGenerator random(7);
        for (char& b : noise) b = static_cast<char>(random.bounded(256));
        // A hundred thousand nested lists in a typed value, which the INI
        // reading of QSettings follows until the stack runs out.
        QByteArray nested = "[options]\ncoloren=@Variant(";
        for (int i = 0; i < 100000; ++i) nested += "\\0\\0\\0\t\\0\\0\\0\x01";
        nested += ")\n";
        const qint32 white = 16777215;
        QTest::newRow("random bytes") << noise << white;
        QTest::newRow("nested typed value") << nested << white;
        QTest::newRow("truncated") << QByteArray("[options]\ncolo") << white;
        QTest::newRow("binary around a good line")
            << QByteArrayLiteral("\xff\xfe\0\0[opt\0\n[options]\ncoloren=255\n\0\x80=\n")
            << qint32{255};
        QTest::newRow("huge number") << "[options]\ncoloren=" + QByteArray(1 << 20, '9') << white;
        QTest::newRow("typed rectangle") << QByteArray("[options]\ncoloren=@Rect(1 2 3 4)") << white;
        QTest::newRow("list") << QByteArray("[options]\ncoloren=1, 2") << white;
        QTest::newRow("no section, no equals") << QByteArray("coloren\n=255\n[\n") << white;
    }
    void damagedFilesFallBackToDefaults() {
        QFETCH(QByteArray, bytes);
        QFETCH(qint32, colour);
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QCOMPARE(settings::getColorValue(settings::keys::kEnglishBackground), colour);
        QCOMPARE(settings::getSetting(settings::keys::kShowMissingWords), QString("0"));
        QVERIFY(!settings::isFlagSet(settings::keys::kShowMeaning));
        // The file takes new values again and keeps what could be read.
        settings::saveSetting(settings::keys::kShowMissingWords, "1");
        QCOMPARE(settings::getSetting(settings::keys::kShowMissingWords), QString("1"));
        QCOMPARE(settings::getColorValue(settings::keys::kEnglishBackground), colour);
    }

    // A failed write keeps the old file, says false and shows the file and the
    // reason once, however many saves fail after it.
    void aFailedWriteKeepsTheFileAndIsShownOnce_data() {
        QTest::addColumn<bool>("fullDisk");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << true << "File too large";
        QTest::newRow("folder is a file") << false << "Not a directory";
    }
    void aFailedWriteKeepsTheFileAndIsShownOnce() {
        QFETCH(bool, fullDisk);
        QFETCH(QString, reason);
        platform::ScriptedPlatform scripted;
        const platform::ScopedPlatform installed(scripted);
        QVERIFY(settings::saveSetting("Options", "ColorEn", "255"));
        const QString path = fullDisk ? m_path : m_path + "/t.ini";  // a file holds no folder
        settings::useSettingsFile(path);
        rlimit limit {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit saved = limit;
        void (*savedHandler)(int) = ::signal(SIGXFSZ, SIG_IGN);
        limit.rlim_cur = 200;  // the new file would pass it while its buffer is flushed
        if (fullDisk) QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const bool firstSaved = settings::saveSetting("Folders", "English", QString(5000, 'a'));
        const bool secondSaved = settings::saveSetting("Folders", "Thai", QString(5000, 'b'));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, savedHandler);
        QVERIFY(!firstSaved && !secondSaved);
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[options]\ncoloren=255\n"));
        const auto shown = scripted.callsOf(platform::PlatformCall::Kind::kMessage);
        QCOMPARE(shown.size(), size_t(1));
        const QString prefix = QString("ไม่สามารถบันทึกค่าที่ตั้งไว้ลงแฟ้ม %1 ได้: ").arg(path);
        QVERIFY2(shown[0].text.startsWith(prefix) && shown[0].text.size() > prefix.size(),
                 qPrintable(shown[0].text));
        QVERIFY(shown[0].text.endsWith(reason));
        QCOMPARE(shown[0].icon, platform::Icon::kCritical);
    }

    void textsReadAndWrittenAsQtIniFilesHoldThem() {
        // Files written before keep their values, and the files written now
        // read back the same through QSettings' own INI format.
        const QStringList values = {"/home/u/My Documents, old", "say \"hi\"", "C:\\temp\\x",
                                    "@ByteArray(x)", "@@two", " padded ", "a=b;c", "ภาษาไทย",
                                    "tab\there\nline", QString::fromUtf8("nul\0" "7", 5), ""};
        {
            QSettings qt(m_path, QSettings::IniFormat);
            for (int i = 0; i < values.size(); ++i) qt.setValue(QString("folders/v%1").arg(i), values[i]);
        }
        const QString mine = m_dir.filePath("mine.ini");
        for (int i = 0; i < values.size(); ++i) {
            settings::useSettingsFile(m_path);
            const QString read = settings::getSetting("Folders", QString("V%1").arg(i), "absent");
            QCOMPARE(read, values[i]);
            settings::useSettingsFile(mine);
            settings::saveSetting("Folders", QString("V%1").arg(i), values[i]);
        }
        const QSettings qt(mine, QSettings::IniFormat);
        for (int i = 0; i < values.size(); ++i) {
            QCOMPARE(qt.value(QString("folders/v%1").arg(i)).toString(), values[i]);
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_count = 0;
};

QTEST_MAIN(TestStore)
#include "tst_store.moc"
