#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "platform/scripted_platform.h"
#include "settings/colors.h"
#include "settings/keys.h"
#include "settings/options_dialog.h"
#include "settings/store.h"

using platform::PlatformCall;

namespace {

QColor background(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

QColor textColor(const QWidget* w) {
    return w->palette().color(QPalette::Text);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class OptionsDialogTest final : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("t%1.ini").arg(++m_count));
        settings::useSettingsFile(m_path);
        m_setPalCalls = 0;
        m_selectPal.reset();
    }
    void cleanup() { settings::useSettingsFile(QString()); }

    void firstRunShowsTheDefaults() {
        auto w = makeWindow();
        QCOMPARE(w->windowTitle(), QString("เพิ่มเติม"));
        QCOMPARE(background(child<QFrame>(*w, "englishBackgroundSwatch")), QColor(Qt::white));
        QCOMPARE(background(child<QFrame>(*w, "thaiBackgroundSwatch")), QColor(Qt::white));
        QCOMPARE(background(child<QFrame>(*w, "translatingBackgroundSwatch")),
                 QColor(255, 224, 192));
        const QColor buttonText = QApplication::palette().color(QPalette::ButtonText);
        QCOMPARE(child<QLineEdit>(*w, "englishTextSample")->text(), QString("ABC"));
        QCOMPARE(child<QLineEdit>(*w, "thaiTextSample")->text(), QString("กขค"));
        QCOMPARE(textColor(child<QLineEdit>(*w, "englishTextSample")), buttonText);
        QCOMPARE(textColor(child<QLineEdit>(*w, "thaiTextSample")), buttonText);
        for (const char* name : {"translatingBackgroundCheck", "reportMissingWordsCheck",
                                 "translateOnSelectCheck", "soundCheck"}) {
            QVERIFY2(!child<QCheckBox>(*w, name)->isChecked(), name);
        }
        QVERIFY(!QFile::exists(m_path));  // opening writes nothing
    }

    void loadsStoredOptionsWhateverTheNameCase() {
        settings::saveSetting("OPTIONS", "colorEN", "255");
        settings::saveSetting("Options", "datafound", "1");
        settings::saveSetting("Options", "Selectpal", "1");
        settings::saveSetting("Options", "Sound", "loud");  // not a number: the default
        settings::saveSetting("Options", "chkbeforeforepal", "1");
        settings::saveSetting("Options", "ColorTxtTh", "-2147483640");  // system colour 8
        auto w = makeWindow();
        QCOMPARE(background(child<QFrame>(*w, "englishBackgroundSwatch")), QColor(255, 0, 0));
        QVERIFY(child<QCheckBox>(*w, "reportMissingWordsCheck")->isChecked());
        QVERIFY(child<QCheckBox>(*w, "translateOnSelectCheck")->isChecked());
        QVERIFY(!child<QCheckBox>(*w, "soundCheck")->isChecked());
        QVERIFY(child<QCheckBox>(*w, "translatingBackgroundCheck")->isChecked());
        QCOMPARE(textColor(child<QLineEdit>(*w, "thaiTextSample")),
                 QApplication::palette().color(QPalette::Text));
    }

    void firstSaveWritesEveryKeyKeepingSystemColours() {
        auto w = makeWindow();
        w->saveOptions();
        QCOMPARE(settings::getSetting("Options", "ColorEn", ""), QString("16777215"));
        QCOMPARE(settings::getSetting("Options", "ColorTh", ""), QString("16777215"));
        QCOMPARE(settings::getSetting("Options", "ColorTxtEn", ""), QString("-2147483630"));
        QCOMPARE(settings::getSetting("Options", "ColorTxtTh", ""), QString("-2147483630"));
        QCOMPARE(settings::getSetting("Options", "Colorbeforepal", ""), QString("12640511"));
        for (const char* key : {"chkbeforeforepal", "Selectpal", "Sound", "Datafound"}) {
            QCOMPARE(settings::getSetting("Options", key, "absent"), QString("0"));
        }
    }

    void saveSetPassesChkselectToTheMainWindow() {
        auto w = makeWindow();
        child<QCheckBox>(*w, "translateOnSelectCheck")->setChecked(true);
        w->saveOptions();
        QCOMPARE(m_selectPal, std::optional<bool>(true));
        QCOMPARE(settings::getSetting("Options", "Selectpal", ""), QString("1"));
        child<QCheckBox>(*w, "translateOnSelectCheck")->setChecked(false);
        w->saveOptions();
        QCOMPARE(m_selectPal, std::optional<bool>(false));
        QCOMPARE(settings::getSetting("Options", "Selectpal", ""), QString("0"));
        QCOMPARE(m_setPalCalls, 0);  // saveOptions alone does not apply
    }

    void chooseKeepsOpenAndExitStoresNothingMore() {
        auto w = makeWindow();
        w->show();
        child<QCheckBox>(*w, "soundCheck")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(*w, "applyButton"), Qt::LeftButton);
        QCOMPARE(m_setPalCalls, 1);
        QVERIFY(w->isVisible());
        QCOMPARE(settings::getSetting("Options", "Sound", ""), QString("1"));
        const QByteArray saved = fileBytes(m_path);

        child<QCheckBox>(*w, "reportMissingWordsCheck")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(*w, "closeButton"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Rejected));
        QCOMPARE(m_setPalCalls, 1);
        QCOMPARE(fileBytes(m_path), saved);
    }

    void okSavesAppliesAndCloses() {
        auto w = makeWindow();
        w->show();
        child<QCheckBox>(*w, "reportMissingWordsCheck")->setChecked(true);
        QTest::mouseClick(child<QPushButton>(*w, "okButton"), Qt::LeftButton);
        QCOMPARE(m_setPalCalls, 1);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(settings::getSetting("options", "Datafound", ""), QString("1"));
    }

    void doubleClickChoosesColourThroughTheDialog() {
        platform::ScriptedPlatform scripted;
        platform::ScopedPlatform guard(scripted);
        auto w = makeWindow();
        w->show();
        scripted.queueColor(QColor(255, 192, 192));
        QTest::mouseDClick(child<QFrame>(*w, "englishBackgroundSwatch"), Qt::LeftButton);
        QCOMPARE(background(child<QFrame>(*w, "englishBackgroundSwatch")), QColor(255, 192, 192));

        // No choice made: the dialog's own colour (the last one chosen) applies.
        QTest::mouseDClick(child<QLineEdit>(*w, "englishTextSample"), Qt::LeftButton);
        QCOMPARE(textColor(child<QLineEdit>(*w, "englishTextSample")), QColor(255, 192, 192));

        scripted.queueColor(QColor(0, 0, 255));
        QTest::mouseDClick(child<QFrame>(*w, "translatingBackgroundSwatch"), Qt::LeftButton);
        QCOMPARE(background(child<QFrame>(*w, "translatingBackgroundSwatch")), QColor(0, 0, 255));

        const auto opened = scripted.callsOf(PlatformCall::Kind::kColor);
        QCOMPARE(opened.size(), std::size_t{3});
        QCOMPARE(opened[0].color, QColor(Qt::black));  // black the first time
        QCOMPARE(opened[1].color, QColor(255, 192, 192));
        QCOMPARE(opened[2].color, QColor(255, 192, 192));
        QVERIFY(!QFile::exists(m_path));  // nothing stored before saveOptions

        QTest::mouseClick(child<QPushButton>(*w, "applyButton"), Qt::LeftButton);
        QCOMPARE(settings::getSetting("Options", "ColorEn", ""), QString("12632319"));
        QCOMPARE(settings::getSetting("Options", "ColorTxtEn", ""), QString("12632319"));
        QCOMPARE(settings::getSetting("Options", "Colorbeforepal", ""), QString("16711680"));

        // An unsaved choice is dropped on exit, and the dialog goes with the
        // window: the next opening's dialog starts from black again.
        scripted.queueColor(QColor(0, 255, 0));
        QTest::mouseDClick(child<QFrame>(*w, "thaiBackgroundSwatch"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(*w, "closeButton"), Qt::LeftButton);
        w.reset();
        auto again = makeWindow();
        QCOMPARE(background(child<QFrame>(*again, "thaiBackgroundSwatch")), QColor(Qt::white));
        again->show();
        QTest::mouseDClick(child<QFrame>(*again, "thaiBackgroundSwatch"), Qt::LeftButton);
        const auto reopened = scripted.callsOf(PlatformCall::Kind::kColor);
        QCOMPARE(reopened.size(), std::size_t{5});
        QCOMPARE(reopened[4].color, QColor(Qt::black));
    }

private:
    std::unique_ptr<OptionsDialog> makeWindow() {
        return std::make_unique<OptionsDialog>([this] { ++m_setPalCalls; },
                                               [this](bool checked) { m_selectPal = checked; });
    }

    template <typename T>
    static T* child(const QWidget& w, const char* name) {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no control %s", name);
        }
        return found;
    }

    QTemporaryDir m_dir;
    QString m_path;
    int m_count = 0;
    int m_setPalCalls = 0;
    std::optional<bool> m_selectPal;
};

QTEST_MAIN(OptionsDialogTest)
#include "tst_options_dialog.moc"
