// The main window's own behaviour: load, status line, resize rules, side
// panels, palettes, progress display, splash and about window.
#include <QClipboard>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QtTest>

#include "documents/directory_panel.h"
#include "documents/document_io.h"
#include "settings/keys.h"
#include "shell/about_dialog.h"
#include "shell/progress_box.h"
#include "shell/splash_screen.h"
#include "shell/twips.h"
#include "shell_fixture.h"
#include "ui_about_dialog.h"
#include "vantrel/build_info.h"

namespace {

int px(int twips) {
    return twipsToPixels(twips);
}

QColor base(const QPlainTextEdit* pane) {
    return pane->palette().color(QPalette::Base);
}

QColor fill(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}

void press(QWidget* w) {
    QMouseEvent ev(QEvent::MouseButtonPress, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)),
                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &ev);
}

QString stored(const settings::SettingKey& k) {
    return settings::getSetting(k.section, k.key, QStringLiteral("absent"));
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstRunDefaults();
    void missingDictionaryEndsTheProgram();
    void storedPanelChoicesAreApplied_data();
    void storedPanelChoicesAreApplied();
    void statusLineShowsTheCaret_data();
    void statusLineShowsTheCaret();
    void focusLabelNamesThePane();
    void designedLayout_data();
    void designedLayout();
    void resizeRules_data();
    void resizeRules();
    void directoryPanelGeometry();
    void checkBoxesAndCloseMarksStoreTheirKeys();
    void meaningPanelHidesWithoutUnchecking();
    void paletteSwatchStoresTheColour_data();
    void paletteSwatchStoresTheColour();
    void freeColourUsesTheDialogsLastColour();
    void palettesOpenAndClose();
    void progressTimersDraw();
    void writingAnimationAlternates();
    void splashTickShowsTheMainWindowAndCloses();
    void aboutWindowClosesOnItsButton();
};

void WindowTest::firstRunDefaults() {
    QApplication::clipboard()->setText(QStringLiteral("left over"));
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    QCOMPARE(
        fx.form->windowTitle(),
        QStringLiteral("Vantrel Translator 1.4.0 Beta2  : : Rough English-to-Thai "
                       "translation, word by word : :( แปลเอกสารภาษาอังกฤษเป็นภาษาไทยแบบคร่าวๆ )"));
    QVERIFY(QApplication::clipboard()->text().isEmpty());
    QCOMPARE(ui.statusLabel->text(), QStringLiteral("  ( บรรทัดที่   1     ตัวอักษรที่    1)  "));
    for (QCheckBox* box :
         {ui.missingWordsCheck, ui.arrangementCheck, ui.meaningCheck, ui.translateOnSelectCheck}) {
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
    }
    for (QWidget* frame : {ui.missingWordsPanel, ui.arrangementPanel, ui.meaningPanel,
                           ui.progressPanel, ui.englishPalette, ui.thaiPalette}) {
        QVERIFY2(frame->isHidden(), qPrintable(frame->objectName()));
    }
    QVERIFY(ui.directoryPanel->isVisible());
    QVERIFY(ui.directoryPanelAction->isChecked());
    QVERIFY(!fx.form->sidePanels().showMeaning());
    QVERIFY(ui.englishPane->toolTip()
                .isEmpty());  // only unchecking meaningCheck gives englishPane a tip
    QCOMPARE(base(ui.englishPane), QColor(Qt::white));
    QCOMPARE(base(ui.thaiPane), QColor(Qt::white));
    QCOMPARE(fill(ui.englishSwatch), QColor(Qt::white));
    QCOMPARE(fill(ui.thaiSwatch), QColor(Qt::white));
    QVERIFY(!fx.form->translation().translator().translateSelection());
    QCOMPARE(fx.form->directoryPanel().pattern(), documents::documentPattern());
    QVERIFY(fx.form->translation().writingTimer().isActive());
    QVERIFY(!fx.form->translation().percentTimer().isActive());
}

void WindowTest::missingDictionaryEndsTheProgram() {
    shelltest::Fixture fx;
    QVERIFY(!fx.load({}));  // no dictionary file written
    const auto messages = fx.platform().callsOf(platform::PlatformCall::Kind::kMessage);
    QCOMPARE(messages.size(), size_t(1));
    QVERIFY2(messages[0].text.contains(QStringLiteral("dict.db")), qPrintable(messages[0].text));
    QVERIFY(fx.platform().exitStatus().has_value());
    QVERIFY(*fx.platform().exitStatus() != 0);
}

void WindowTest::storedPanelChoicesAreApplied_data() {
    QTest::addColumn<QString>("noWord");
    QTest::addColumn<QString>("arrang");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("colorEn");
    QTest::addColumn<bool>("missingShown");
    QTest::addColumn<bool>("arrangementShown");
    QTest::addColumn<bool>("meaningShown");
    QTest::addColumn<QColor>("renColor");
    QTest::newRow("all on") << "1"
                            << "1"
                            << "1"
                            << "12632319" << true << true << true << QColor(255, 192, 192);
    QTest::newRow("not zero counts as on")
        << "2"
        << "x"
        << "0"
        << "16777215" << true << true << false << QColor(Qt::white);
    QTest::newRow("bad colour text gives white")
        << "0"
        << "0"
        << "0"
        << "blue" << false << false << false << QColor(Qt::white);
}

void WindowTest::storedPanelChoicesAreApplied() {
    QFETCH(QString, noWord);
    QFETCH(QString, arrang);
    QFETCH(QString, tooltip);
    QFETCH(QString, colorEn);
    QFETCH(bool, missingShown);
    QFETCH(bool, arrangementShown);
    QFETCH(bool, meaningShown);
    QFETCH(QColor, renColor);
    shelltest::Fixture fx;
    settings::saveSetting(QStringLiteral("Options"), QStringLiteral("ChkNoWord"), noWord);
    // Written as "ArrangWord", read as "Arrangword": the names match whatever the case.
    settings::saveSetting(QStringLiteral("Options"), QStringLiteral("ArrangWord"), arrang);
    settings::saveSetting(QStringLiteral("Options"), QStringLiteral("ChkTooltip"), tooltip);
    settings::saveSetting(QStringLiteral("Options"), QStringLiteral("ColorEn"), colorEn);
    settings::saveSetting(QStringLiteral("Options"), QStringLiteral("Selectpal"), "1");
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    QCOMPARE(ui.missingWordsPanel->isVisible(), missingShown);
    QCOMPARE(ui.missingWordsCheck->isChecked(), missingShown);
    QCOMPARE(ui.arrangementPanel->isVisible(), arrangementShown);
    QCOMPARE(ui.arrangementCheck->isChecked(), arrangementShown);
    QCOMPARE(ui.meaningPanel->isVisible(), meaningShown);
    QCOMPARE(fx.form->sidePanels().showMeaning(), meaningShown);
    QCOMPARE(base(ui.englishPane), renColor);
    QCOMPARE(fill(ui.englishSwatch), renColor);
    QVERIFY(ui.translateOnSelectCheck->isChecked());
    QCOMPARE(fx.form->translation().translateOnSelectSetting(), QStringLiteral("1"));
}

void WindowTest::statusLineShowsTheCaret_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("col");
    QTest::newRow("empty pane") << "" << 0 << 0 << 1 << 1;
    QTest::newRow("after ab on line 2") << "first\nab" << 8 << 8 << 2 << 3;
    QTest::newRow("start of line 3") << "a\nb\ncd" << 4 << 4 << 3 << 1;
    // With a selection the end of the selection counts, whichever way it was made.
    QTest::newRow("selection backwards") << "hello world" << 7 << 2 << 1 << 8;
}

void WindowTest::statusLineShowsTheCaret() {
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(int, line);
    QFETCH(int, col);
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    const QString expected =
        QStringLiteral("  ( บรรทัดที่   %1     ตัวอักษรที่    %2)  ").arg(line).arg(col);
    for (QPlainTextEdit* pane : {fx.ui().englishPane, fx.ui().thaiPane}) {
        fx.ui().statusLabel->clear();
        pane->setPlainText(text);
        QTextCursor c = pane->textCursor();
        c.setPosition(anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        pane->setTextCursor(c);
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QCoreApplication::sendEvent(pane, &up);
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), pane->mapToGlobal(QPointF(1, 1)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(pane->viewport(), &move);
        QCOMPARE(fx.ui().statusLabel->text(), expected);
    }
}

void WindowTest::focusLabelNamesThePane() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(fx.ui().thaiPane, &in);
    QCOMPARE(fx.ui().focusLabel->text(), QStringLiteral("เอกสารคำแปล"));
    QCoreApplication::sendEvent(fx.ui().englishPane, &in);
    QCOMPARE(fx.ui().focusLabel->text(), QStringLiteral("เอกสารสำหรับแปล"));
}

void WindowTest::designedLayout_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("twips");  // left, top, width, height; width 0: not checked
    const auto row = [](const char* name, int l, int t, int w = 0, int h = 0) {
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(l, t, w, h);
    };
    row("englishPane", 2100, 540, 8190, 3270);
    row("thaiPane", 2100, 3840, 8190, 3390);
    row("newButton", 390, 150, 390, 390);
    row("printThaiButton", 2265, 150, 390, 390);
    row("fullScreenButton", 2880, 135, 390, 390);
    row("exitButton", 4515, 135, 390, 390);
    row("englishSwatch", 4950, 135, 375, 195);
    row("thaiSwatch", 4950, 360, 375, 195);
    row("englishPalette", 5310, 135, 1815, 555);
    row("thaiPalette", 5310, 360, 1815, 600);
    row("directoryPanel", 240, 540, 1875, 6735);
    row("missingWordsPanel", 8010, 585, 2250, 3150);
    row("arrangementPanel", 6480, 3870, 3795, 3435);
    row("meaningPanel", 2070, 6345, 8175, 915);
    row("progressPanel", 3525, 6225, 6375, 1005);
    row("writingPanel", 5265, 3420, 1410, 1005);
    row("statusLabel", 315, 7380);
    row("translateOnSelectCheck", 3600, 7290);
    row("arrangementCheck", 3600, 7515);
    row("missingWordsCheck", 5130, 7290);
    row("meaningCheck", 5130, 7515);
    row("focusLabel", 8160, 7365);
}

void WindowTest::designedLayout() {
    QFETCH(QString, control);
    QFETCH(QRect, twips);
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    fx.form->resize(px(10390), px(8415));  // the designed width keeps the panes as designed
    QCoreApplication::processEvents();
    const QWidget* w = fx.form->findChild<QWidget*>(control);
    QVERIFY(w != nullptr);
    QCOMPARE(w->pos(), QPoint(px(twips.x()), px(twips.y())));
    if (twips.width() > 0) {
        QCOMPARE(w->size(), QSize(px(twips.width()), px(twips.height())));
    }
}

void WindowTest::resizeRules_data() {
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<int>("heightTwips");
    QTest::newRow("wider and taller") << 12000 << 12000;
    QTest::newRow("as designed") << 10390 << 8415;
    QTest::newRow("narrower than the panes' margin") << 1500 << 5000;
}

void WindowTest::resizeRules() {
    QFETCH(int, widthTwips);
    QFETCH(int, heightTwips);
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    fx.form->resize(px(widthTwips), px(heightTwips));
    QCoreApplication::processEvents();
    // The fixed height is the window's as a whole, title bar and frame included,
    // and the part inside holds every control.
    QCOMPARE(fx.form->frameGeometry().height(), px(8415));
    const QWidget* central = fx.form->centralWidget();
    for (const QWidget* c : central->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(c->geometry().bottom() < central->height(), qPrintable(c->objectName()));
    const int w = fx.form->width();
    QCOMPARE(w, px(widthTwips));
    const int paneWidth = std::max(0, px(pixelsToTwips(w) - 2200));
    QCOMPARE(fx.ui().englishPane->width(), paneWidth);
    QCOMPARE(fx.ui().thaiPane->width(), paneWidth);
    QCOMPARE(fx.ui().windowBackground->width(), w);
    QCOMPARE(fx.ui().missingWordsTitleBar->width(), px(pixelsToTwips(w) + 600));
    if (widthTwips == 12000) QCOMPARE(paneWidth, px(9800));
}

void WindowTest::directoryPanelGeometry() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    const auto expectPanes = [&](int left, int width) {
        for (QPlainTextEdit* pane : {ui.englishPane, ui.thaiPane}) {
            QCOMPARE(pane->x(), px(left));
            QCOMPARE(pane->width(), px(width));
        }
    };
    ui.directoryPanelAction->trigger();  // hide by the menu
    QVERIFY(ui.directoryPanel->isHidden());
    QVERIFY(!ui.directoryPanelAction->isChecked());
    expectPanes(250, 10000);
    ui.directoryPanelAction->trigger();  // show again
    QVERIFY(ui.directoryPanel->isVisible());
    QVERIFY(ui.directoryPanelAction->isChecked());
    expectPanes(2100, 8190);
    press(ui.directoryClose);  // the panel's close mark
    QVERIFY(ui.directoryPanel->isHidden());
    QVERIFY(!ui.directoryPanelAction->isChecked());
    expectPanes(250, 11000);
}

void WindowTest::checkBoxesAndCloseMarksStoreTheirKeys() {
    using namespace settings::keys;
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    ui.missingWordsCheck->click();
    ui.arrangementCheck->click();
    ui.meaningCheck->click();
    ui.translateOnSelectCheck->click();
    QVERIFY(ui.missingWordsPanel->isVisible() && ui.arrangementPanel->isVisible() &&
            ui.meaningPanel->isVisible());
    QVERIFY(fx.form->sidePanels().showMeaning());
    for (const auto* k :
         {&kShowMissingWords, &kShowArrangement, &kShowMeaning, &kTranslateOnSelect}) {
        QCOMPARE(stored(*k), QStringLiteral("1"));
    }

    ui.meaningCheck->click();  // unchecking writes "ChkTooltip", which "Chktooltip" reads back
    QCOMPARE(stored(kShowMeaning), QStringLiteral("0"));
    QVERIFY(!fx.form->sidePanels().showMeaning());
    QVERIFY(ui.meaningPanel->isHidden());
    QCOMPARE(ui.englishPane->toolTip(), QStringLiteral("แสดงเอกสารภาษาอังกฤษ"));

    press(ui.missingWordsClose);
    QVERIFY(ui.missingWordsPanel->isHidden());
    QVERIFY(!ui.missingWordsCheck->isChecked());
    QCOMPARE(stored(kShowMissingWords), QStringLiteral("0"));
    press(ui.arrangementClose);
    QVERIFY(ui.arrangementPanel->isHidden());
    QVERIFY(!ui.arrangementCheck->isChecked());
    QCOMPARE(stored(kShowArrangement), QStringLiteral("0"));
}

void WindowTest::meaningPanelHidesWithoutUnchecking() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    for (QWidget* mark : {fx.ui().meaningHideMark, fx.ui().meaningHideLabel}) {
        fx.ui().meaningCheck->setChecked(true);
        fx.ui().meaningPanel->show();
        press(mark);
        QVERIFY(fx.ui().meaningPanel->isHidden());
        QVERIFY(fx.ui().meaningCheck->isChecked());
        QVERIFY(fx.form->sidePanels().showMeaning());
    }
}

void WindowTest::paletteSwatchStoresTheColour_data() {
    QTest::addColumn<QString>("swatch");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("storedText");
    QTest::newRow("English 3") << "englishPreset3" << true << QColor(255, 192, 192) << "12632319";
    QTest::newRow("English 9") << "englishPreset9" << true << QColor(0, 192, 192) << "12632064";
    QTest::newRow("Thai 6") << "thaiPreset6" << false << QColor(0, 192, 192) << "12632064";
    // The system's window colour is kept as that system colour, not as its red, green, blue.
    QTest::newRow("Thai 0") << "thaiPreset0" << false
                            << QApplication::palette().color(QPalette::Base) << "-2147483643";
}

void WindowTest::paletteSwatchStoresTheColour() {
    QFETCH(QString, swatch);
    QFETCH(bool, english);
    QFETCH(QColor, color);
    QFETCH(QString, storedText);
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    press(fx.form->findChild<QWidget*>(swatch));
    QPlainTextEdit* pane = english ? fx.ui().englishPane : fx.ui().thaiPane;
    QWidget* current = english ? fx.ui().englishSwatch : fx.ui().thaiSwatch;
    QCOMPARE(base(pane), color);
    QCOMPARE(fill(current), color);
    QCOMPARE(stored(english ? settings::keys::kEnglishBackground : settings::keys::kThaiBackground),
             storedText);
}

void WindowTest::freeColourUsesTheDialogsLastColour() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    fx.platform().queueColor(QColor(10, 20, 30));
    press(fx.ui().englishFreeColour);
    press(fx.ui().thaiFreeColour);  // no choice made: the colour the dialog holds is applied
    const auto calls = fx.platform().callsOf(platform::PlatformCall::Kind::kColor);
    QCOMPARE(calls.size(), size_t(2));
    QCOMPARE(calls[0].color, QColor(Qt::black));
    QCOMPARE(calls[1].color, QColor(10, 20, 30));
    for (QWidget* w : {static_cast<QWidget*>(fx.ui().englishFreeColour),
                       static_cast<QWidget*>(fx.ui().englishSwatch),
                       static_cast<QWidget*>(fx.ui().thaiFreeColour),
                       static_cast<QWidget*>(fx.ui().thaiSwatch)}) {
        QCOMPARE(fill(w), QColor(10, 20, 30));
    }
    QCOMPARE(base(fx.ui().englishPane), QColor(10, 20, 30));
    QCOMPARE(base(fx.ui().thaiPane), QColor(10, 20, 30));
    const QString text = QString::number(10 | 20 << 8 | 30 << 16);
    QCOMPARE(stored(settings::keys::kEnglishBackground), text);
    QCOMPARE(stored(settings::keys::kThaiBackground), text);
}

void WindowTest::palettesOpenAndClose() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    const auto enter = [](QWidget* w) {
        QEnterEvent ev(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
        QCoreApplication::sendEvent(w, &ev);
    };
    const auto move = [](QWidget* w) {
        QMouseEvent ev(QEvent::MouseMove, QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)),
                       Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &ev);
    };
    enter(ui.englishSwatch);
    QVERIFY(ui.englishPalette->isVisible() && ui.thaiPalette->isHidden());
    enter(ui.thaiSwatch);
    QVERIFY(ui.thaiPalette->isVisible() && ui.englishPalette->isHidden());
    move(ui.windowBackground);
    QVERIFY(ui.englishPalette->isHidden() && ui.thaiPalette->isHidden());
    enter(ui.englishSwatch);
    move(ui.englishPane->viewport());
    QVERIFY(ui.englishPalette->isHidden());
}

void WindowTest::progressTimersDraw() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    ui.englishPane->setPlainText(QStringLiteral("cat"));
    fx.form->translation().startTranslation();  // captures the bar sizes and starts the timers
    QVERIFY(fx.form->translation().percentTimer().isActive() &&
            fx.form->translation().elapsedTimer().isActive());
    QCOMPARE(fx.form->translation().elapsedCount(), 0);

    ui.progressPanel->show();
    fx.form->translation().setProgressPercent(42);
    fx.form->translation().advanceProgress();
    QCOMPARE(ui.percentBar->text(), QStringLiteral("สมบูรณ์ 42 % "));
    QCOMPARE(ui.percentBar->fillWidth(), 42 * ui.percentBar->width() / 100.0);

    fx.form->translation().advanceElapsedTime();
    fx.form->translation().advanceElapsedTime();
    QCOMPARE(fx.form->translation().elapsedCount(), 2);
    QCOMPARE(ui.elapsedBar->text(), QStringLiteral("2 วินาที"));
    QCOMPARE(ui.elapsedBar->fillWidth(), 2 * ui.percentBar->width() / 100.0);

    fx.form->translation().setProgressPercent(101);  // above 100: the panel goes, nothing is drawn
    fx.form->translation().advanceProgress();
    QVERIFY(ui.progressPanel->isHidden());
    QCOMPARE(ui.percentBar->text(), QStringLiteral("สมบูรณ์ 42 % "));
}

void WindowTest::writingAnimationAlternates() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    QVERIFY(!ui.writingPicture1->isHidden() && ui.writingPicture2->isHidden());
    fx.form->translation().animateWritingPanel();
    QVERIFY(ui.writingPicture1->isHidden() && !ui.writingPicture2->isHidden());
    fx.form->translation().animateWritingPanel();
    QVERIFY(!ui.writingPicture1->isHidden() && ui.writingPicture2->isHidden());
}

void WindowTest::splashTickShowsTheMainWindowAndCloses() {
    int shown = 0;
    QPointer<SplashScreen> splash = new SplashScreen([&shown] { ++shown; });
    splash->show();
    QCOMPARE(splash->timer().interval(), 1500);
    QVERIFY(splash->timer().isActive());
    splash->showMainWindow();
    QCOMPARE(shown, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(splash.isNull());
}

void WindowTest::aboutWindowClosesOnItsButton() {
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("เกี่ยวกับโปรแกรม"));
    QVERIFY(about.ui().descriptionLabel->text().contains(
        QStringLiteral("This product is created by the adaptation of LEXiTRON developed by "
                       "NECTEC (http://www.nectec.or.th/).")));
    QCOMPARE(about.ui().versionLabel->text(), QStringLiteral("Version " VANTREL_VERSION));
    QTimer::singleShot(0, about.ui().okButton, &QPushButton::click);
    QCOMPARE(about.exec(), int(QDialog::Accepted));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
