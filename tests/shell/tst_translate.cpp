// Translating from the window: the Thai pane, the lists and the panels after a
// run, the cancel commands during one, and the translate-on-click choice.
#include <QListView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QtTest>

#include <functional>

#include "documents/mirror_file.h"
#include "shell_fixture.h"

namespace {

// Loads the window with `lines` lines of English, long enough for commands to
// arrive mid-run, the run yielding at every chance.
bool loadLongText(shelltest::Fixture& fx, int lines) {
    if (!fx.load()) return false;
    fx.form->translation().setYieldSliceMs(0);
    QString text;
    for (int i = 0; i < lines; ++i) text += QStringLiteral("cat dog.\n");
    fx.ui().englishPane->setPlainText(text);
    return true;
}

// A left-button release in the English pane: the end of a click there.
void releaseInEnglishPane(Ui::MainWindow& ui) {
    QWidget* vp = ui.englishPane->viewport();
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(1, 1), vp->mapToGlobal(QPointF(1, 1)),
                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(vp, &up);
}

// Selects "dog" in the English pane's "cat and dog" and ends a click there
// with a release without a press, which does not move the selection.
QTextCursor selectDogAndRelease(Ui::MainWindow& ui) {
    ui.englishPane->setPlainText(QStringLiteral("cat and dog"));
    QTextCursor c = ui.englishPane->textCursor();
    c.setPosition(8);
    c.setPosition(11, QTextCursor::KeepAnchor);
    ui.englishPane->setTextCursor(c);
    releaseInEnglishPane(ui);
    return c;
}

// Runs `action` once, from inside the run, when the scan reaches `percent`.
class AtPercent final {
public:
    AtPercent(MainWindow& form, int percent, std::function<void()> action) {
        QObject::connect(&m_timer, &QTimer::timeout, [this, &form, percent, action] {
            if (!m_done && form.translation().translator().running() &&
                form.translation().progressPercent() >= percent) {
                m_done = true;
                m_percentSeen = form.translation().progressPercent();
                action();
            }
        });
        m_timer.start(0);
    }
    bool done() const { return m_done; }
    int percentSeen() const { return m_percentSeen; }

private:
    QTimer m_timer;
    bool m_done = false;
    int m_percentSeen = 0;
};

}  // namespace

class TranslateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void translateFillsThaiPaneAndLists_data();
    void translateFillsThaiPaneAndLists();
    void cancelAnsweredNoKeepsTheRunGoing();
    void cancelledRunShowsThePartialThai();
    void translateDuringARunIsIgnored();
    void clickInRenTranslatesTheSelection_data();
    void clickInRenTranslatesTheSelection();
    void clickWithoutSelectionKeepsTheWholeDocument();
    void closingDuringARunStopsItFirst();
    void wordsLeftInEnglishStayApartInThePaneAndTheMirror();
};

void TranslateTest::translateFillsThaiPaneAndLists_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("button") << QStringLiteral("translateButton");
    QTest::newRow("menu F6") << QStringLiteral("translateAction");
    QTest::newRow("right-click item") << QStringLiteral("translateContextAction");
}

void TranslateTest::translateFillsThaiPaneAndLists() {
    QFETCH(QString, command);
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    ui.thaiPane->setPlainText(QStringLiteral("old translation"));
    ui.englishPane->setPlainText(QStringLiteral("cat zebra dog.\nhouse"));
    QObject* obj = fx.form->findChild<QObject*>(command);
    if (auto* a = qobject_cast<QAction*>(obj)) a->trigger();
    if (auto* b = qobject_cast<QAbstractButton*>(obj)) b->click();

    const QString thai = ui.thaiPane->toPlainText();
    QVERIFY2(thai.contains(QStringLiteral("แมว")) && thai.contains(QStringLiteral("หมา")) &&
                 thai.contains(QStringLiteral("บ้าน")),
             qPrintable(thai));
    QVERIFY(!thai.contains(QStringLiteral("old translation")));
    QVERIFY(fx.form->translation().missingWordsModel().items().contains(QStringLiteral("zebra")));
    QVERIFY(!fx.form->translation().missingWordsModel().items().contains(QStringLiteral("cat")));
    QCOMPARE(fx.form->translation().arrangementModel().rowCount(), 3);
    QCOMPARE(ui.arrangementList->model()->rowCount(), 3);
    for (QWidget* panel : {ui.progressPanel, ui.writingPanel, ui.thaiPaneRule}) {
        QVERIFY2(panel->isHidden(), qPrintable(panel->objectName()));
    }
    QVERIFY(ui.translateButton->isEnabled());
    QVERIFY(
        fx.form->translation().percentTimer().isActive());  // the timers keep running after the run
}

void TranslateTest::cancelAnsweredNoKeepsTheRunGoing() {
    shelltest::Fixture fx;
    QVERIFY(loadLongText(fx, 2000));
    auto& ui = fx.ui();
    fx.platform().queueMessageAnswer(platform::Answer::kNo);
    bool panelShownAfterNo = false;
    AtPercent at(*fx.form, 20, [&] {
        ui.progressCancelButton->click();
        panelShownAfterNo = ui.progressPanel->isVisible();
    });
    ui.translateButton->click();
    QVERIFY(at.done());
    QVERIFY(panelShownAfterNo);

    const auto asked = fx.platform().callsOf(platform::PlatformCall::Kind::kMessage);
    QCOMPARE(asked.size(), size_t(1));
    QCOMPARE(asked[0].text, QStringLiteral("คุณต้องการยกเลิกการแปลใช่หรือไม่ "));
    QCOMPARE(asked[0].buttons, platform::Buttons::kYesNo);
    QCOMPARE(asked[0].icon, platform::Icon::kQuestion);
    // The whole text was translated.
    QVERIFY(fx.form->translation().progressPercent() >= 98);
    QCOMPARE(ui.thaiPane->toPlainText().count(QStringLiteral("หมา")), 2000);
}

void TranslateTest::cancelledRunShowsThePartialThai() {
    shelltest::Fixture fx;
    QVERIFY(loadLongText(fx, 2000));
    auto& ui = fx.ui();
    fx.platform().queueMessageAnswer(platform::Answer::kYes);
    bool panelHiddenAtOnce = false;
    AtPercent at(*fx.form, 30, [&] {
        ui.cancelAction->trigger();
        panelHiddenAtOnce = ui.progressPanel->isHidden();
    });
    ui.translateButton->click();
    QVERIFY(at.done());
    QVERIFY(panelHiddenAtOnce);

    const QString partial = ui.thaiPane->toPlainText();
    const int dogs = partial.count(QStringLiteral("หมา"));
    QVERIFY2(dogs > 100 && dogs < 2000, qPrintable(QString::number(dogs)));
    // The progress keeps the value it had when the cancel was seen.
    QVERIFY(fx.form->translation().progressPercent() < 90);
    QVERIFY(ui.writingPanel->isHidden());

    // What was shown is the start of the uncancelled translation.
    ui.translateButton->click();
    QVERIFY(ui.thaiPane->toPlainText().count(QStringLiteral("หมา")) == 2000);
    QVERIFY(ui.thaiPane->toPlainText().startsWith(partial));
}

void TranslateTest::translateDuringARunIsIgnored() {
    shelltest::Fixture fx;
    QVERIFY(loadLongText(fx, 500));
    auto& ui = fx.ui();
    bool buttonDisabled = false;
    AtPercent at(*fx.form, 10, [&] {
        buttonDisabled = !ui.translateButton->isEnabled();
        ui.translateAction->trigger();
        ui.translateContextAction->trigger();
    });
    ui.translateButton->click();
    QVERIFY(at.done());
    QVERIFY(buttonDisabled);
    QVERIFY(fx.form->routeLog().contains(QStringLiteral("translateAction:translateDocument")));
    // One run's output, not two interleaved.
    QCOMPARE(ui.thaiPane->toPlainText().count(QStringLiteral("แมว")), 500);
    QCOMPARE(fx.form->translation().arrangementModel().rowCount(), 1000);
    QVERIFY(ui.translateButton->isEnabled());
}

void TranslateTest::clickInRenTranslatesTheSelection_data() {
    QTest::addColumn<QString>("translateOnSelectSetting");
    QTest::addColumn<bool>("translatesAtOnce");
    QTest::newRow("Selectpal 1") << "1" << true;
    QTest::newRow("Selectpal 0") << "0" << false;
}

void TranslateTest::clickInRenTranslatesTheSelection() {
    QFETCH(QString, translateOnSelectSetting);
    QFETCH(bool, translatesAtOnce);
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    settings::saveSetting(QStringLiteral("Options"), QStringLiteral("Selectpal"),
                          translateOnSelectSetting);
    selectDogAndRelease(ui);

    QCOMPARE(fx.form->translation().translateOnSelectSetting(), translateOnSelectSetting);
    if (translatesAtOnce) {
        QCOMPARE(ui.thaiPane->toPlainText().trimmed(), QStringLiteral("หมา"));
        QVERIFY(!fx.form->translation().percentTimer().isActive());  // no progress panel, no timers
    } else {
        QVERIFY(ui.thaiPane->toPlainText().isEmpty());
        QVERIFY(fx.form->translation().translator().translateSelection());
        // The next run, whoever starts it, translates the captured selection.
        ui.translateButton->click();
        QCOMPARE(ui.thaiPane->toPlainText().trimmed(), QStringLiteral("หมา"));
    }
}

void TranslateTest::clickWithoutSelectionKeepsTheWholeDocument() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    settings::saveSetting(QStringLiteral("Options"), QStringLiteral("Selectpal"),
                          QStringLiteral("1"));
    QTextCursor c = selectDogAndRelease(ui);  // captures "dog" and translates it
    QCOMPARE(ui.thaiPane->toPlainText().trimmed(), QStringLiteral("หมา"));

    c.clearSelection();
    ui.englishPane->setTextCursor(c);
    ui.thaiPane->clear();
    releaseInEnglishPane(ui);  // caret only: nothing runs, nothing is captured
    QVERIFY(ui.thaiPane->toPlainText().isEmpty());
    QVERIFY(!fx.form->translation().translator().translateSelection());
    ui.translateButton->click();
    QCOMPARE(ui.thaiPane->toPlainText().trimmed(), QStringLiteral("แมวandหมา"));
}

void TranslateTest::closingDuringARunStopsItFirst() {
    shelltest::Fixture fx;
    QVERIFY(loadLongText(fx, 2000));
    AtPercent at(*fx.form, 10, [&] { fx.form->close(); });
    fx.ui().translateButton->click();
    QVERIFY(at.done());
    QVERIFY(fx.form->translation().progressPercent() < 90);  // the run stopped early
    QTRY_VERIFY(!fx.form->isVisible());
    QVERIFY(fx.platform().callsOf(platform::PlatformCall::Kind::kMessage).empty());
}

void TranslateTest::wordsLeftInEnglishStayApartInThePaneAndTheMirror() {
    shelltest::Fixture fx;
    // The mirror goes to the test's own cache folder, not the user's.
    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", fx.dirPath(QStringLiteral("cache")).toUtf8());
    const bool loaded = fx.load();
    qputenv("XDG_CACHE_HOME", cache);
    QVERIFY(loaded);
    fx.ui().englishPane->setPlainText(QStringLiteral("Sara Danius and a cat in Buenos Aires 2017"));
    fx.ui().translateButton->click();
    const QString thai = QStringLiteral("Sara Danius andแมวin Buenos Aires 2017");
    QCOMPARE(fx.ui().thaiPane->toPlainText().trimmed(), thai);
    QFile mirror(fx.form->mirrorFile().path());
    QVERIFY(mirror.fileName().startsWith(fx.dirPath(QStringLiteral("cache"))));
    QVERIFY(mirror.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(mirror.readAll()).trimmed(), thai);
}

QTEST_MAIN(TranslateTest)
#include "tst_translate.moc"
