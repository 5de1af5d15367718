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
#include "settings/keys.h"
#include "shell/frmabout.h"
#include "shell/frmload.h"
#include "shell/progress_box.h"
#include "shell_fixture.h"
#include "ui_frmabout.h"

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
    QCOMPARE(ui.Label2->text(), QStringLiteral("  ( บรรทัดที่   1     ตัวอักษรที่    1)  "));
    for (QCheckBox* box : {ui.Check1, ui.Check2, ui.Check3, ui.Chkselectpal}) {
        QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
    }
    for (QWidget* frame : {ui.Frame12, ui.Frame13, ui.Frame16, ui.Frame7, ui.Frame14, ui.Frame15}) {
        QVERIFY2(frame->isHidden(), qPrintable(frame->objectName()));
    }
    QVERIFY(ui.Frame8->isVisible());
    QVERIFY(ui.mnuwin_directory->isChecked());
    QVERIFY(!fx.form->showMeaning());
    QVERIFY(ui.Ren->toolTip().isEmpty());  // only unchecking Check3 gives Ren a tip
    QCOMPARE(base(ui.Ren), QColor(Qt::white));
    QCOMPARE(base(ui.Rth), QColor(Qt::white));
    QCOMPARE(fill(ui.Picture3), QColor(Qt::white));
    QCOMPARE(fill(ui.Picture4), QColor(Qt::white));
    QVERIFY(!fx.form->translator().translateSelection());
    QCOMPARE(fx.form->directoryPanel().pattern(), QStringLiteral("*.txt"));
    QVERIFY(fx.form->timer3().isActive());
    QVERIFY(!fx.form->timer1().isActive());
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
    QCOMPARE(ui.Frame12->isVisible(), missingShown);
    QCOMPARE(ui.Check1->isChecked(), missingShown);
    QCOMPARE(ui.Frame13->isVisible(), arrangementShown);
    QCOMPARE(ui.Check2->isChecked(), arrangementShown);
    QCOMPARE(ui.Frame16->isVisible(), meaningShown);
    QCOMPARE(fx.form->showMeaning(), meaningShown);
    QCOMPARE(base(ui.Ren), renColor);
    QCOMPARE(fill(ui.Picture3), renColor);
    QVERIFY(ui.Chkselectpal->isChecked());
    QCOMPARE(fx.form->selectPal(), QStringLiteral("1"));
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
    for (QPlainTextEdit* pane : {fx.ui().Ren, fx.ui().Rth}) {
        fx.ui().Label2->clear();
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
        QCOMPARE(fx.ui().Label2->text(), expected);
    }
}

void WindowTest::focusLabelNamesThePane() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(fx.ui().Rth, &in);
    QCOMPARE(fx.ui().Label1->text(), QStringLiteral("เอกสารคำแปล"));
    QCoreApplication::sendEvent(fx.ui().Ren, &in);
    QCOMPARE(fx.ui().Label1->text(), QStringLiteral("เอกสารสำหรับแปล"));
}

void WindowTest::designedLayout_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("twips");  // left, top, width, height; width 0: not checked
    const auto row = [](const char* name, int l, int t, int w = 0, int h = 0) {
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(l, t, w, h);
    };
    row("Ren", 2100, 540, 8190, 3270);
    row("Rth", 2100, 3840, 8190, 3390);
    row("Command5", 390, 150, 390, 390);
    row("Command10", 2265, 150, 390, 390);
    row("Command15", 2880, 135, 390, 390);
    row("Command13", 4515, 135, 390, 390);
    row("Picture3", 4950, 135, 375, 195);
    row("Picture4", 4950, 360, 375, 195);
    row("Frame14", 5310, 135, 1815, 555);
    row("Frame15", 5310, 360, 1815, 600);
    row("Frame8", 240, 540, 1875, 6735);
    row("Frame12", 8010, 585, 2250, 3150);
    row("Frame13", 6480, 3870, 3795, 3435);
    row("Frame16", 2070, 6345, 8175, 915);
    row("Frame7", 3525, 6225, 6375, 1005);
    row("Frame6", 5265, 3420, 1410, 1005);
    row("Label2", 315, 7380);
    row("Chkselectpal", 3600, 7290);
    row("Check2", 3600, 7515);
    row("Check1", 5130, 7290);
    row("Check3", 5130, 7515);
    row("Label1", 8160, 7365);
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
    QCOMPARE(fx.form->height(), px(8415));
    const int w = fx.form->width();
    QCOMPARE(w, px(widthTwips));
    const int paneWidth = std::max(0, px(pixelsToTwips(w) - 2200));
    QCOMPARE(fx.ui().Ren->width(), paneWidth);
    QCOMPARE(fx.ui().Rth->width(), paneWidth);
    QCOMPARE(fx.ui().Image3->width(), w);
    QCOMPARE(fx.ui().Image2->width(), px(pixelsToTwips(w) + 600));
    if (widthTwips == 12000) QCOMPARE(paneWidth, px(9800));
}

void WindowTest::directoryPanelGeometry() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    const auto expectPanes = [&](int left, int width) {
        for (QPlainTextEdit* pane : {ui.Ren, ui.Rth}) {
            QCOMPARE(pane->x(), px(left));
            QCOMPARE(pane->width(), px(width));
        }
    };
    ui.mnuwin_directory->trigger();  // hide by the menu
    QVERIFY(ui.Frame8->isHidden());
    QVERIFY(!ui.mnuwin_directory->isChecked());
    expectPanes(250, 10000);
    ui.mnuwin_directory->trigger();  // show again
    QVERIFY(ui.Frame8->isVisible());
    QVERIFY(ui.mnuwin_directory->isChecked());
    expectPanes(2100, 8190);
    press(ui.Label6);  // the panel's close mark
    QVERIFY(ui.Frame8->isHidden());
    QVERIFY(!ui.mnuwin_directory->isChecked());
    expectPanes(250, 11000);
}

void WindowTest::checkBoxesAndCloseMarksStoreTheirKeys() {
    using namespace settings::keys;
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    ui.Check1->click();
    ui.Check2->click();
    ui.Check3->click();
    ui.Chkselectpal->click();
    QVERIFY(ui.Frame12->isVisible() && ui.Frame13->isVisible() && ui.Frame16->isVisible());
    QVERIFY(fx.form->showMeaning());
    for (const auto* k : {&kChkNoWord, &kArrangWord, &kChkTooltip, &kSelectPal}) {
        QCOMPARE(stored(*k), QStringLiteral("1"));
    }

    ui.Check3->click();  // unchecking writes "ChkTooltip", which "Chktooltip" reads back
    QCOMPARE(stored(kChkTooltip), QStringLiteral("0"));
    QVERIFY(!fx.form->showMeaning());
    QVERIFY(ui.Frame16->isHidden());
    QCOMPARE(ui.Ren->toolTip(), QStringLiteral("แสดงเอกสารภาษาอังกฤษ"));

    press(ui.Label8);
    QVERIFY(ui.Frame12->isHidden());
    QVERIFY(!ui.Check1->isChecked());
    QCOMPARE(stored(kChkNoWord), QStringLiteral("0"));
    press(ui.Label11);
    QVERIFY(ui.Frame13->isHidden());
    QVERIFY(!ui.Check2->isChecked());
    QCOMPARE(stored(kArrangWord), QStringLiteral("0"));
}

void WindowTest::meaningPanelHidesWithoutUnchecking() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    for (QWidget* mark : {fx.ui().Label18, fx.ui().Label19}) {
        fx.ui().Check3->setChecked(true);
        fx.ui().Frame16->show();
        press(mark);
        QVERIFY(fx.ui().Frame16->isHidden());
        QVERIFY(fx.ui().Check3->isChecked());
        QVERIFY(fx.form->showMeaning());
    }
}

void WindowTest::paletteSwatchStoresTheColour_data() {
    QTest::addColumn<QString>("swatch");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("storedText");
    QTest::newRow("English 3") << "Picture5_3" << true << QColor(255, 192, 192) << "12632319";
    QTest::newRow("English 9") << "Picture5_9" << true << QColor(0, 192, 192) << "12632064";
    QTest::newRow("Thai 6") << "Picture6_6" << false << QColor(0, 192, 192) << "12632064";
    // The system's window colour is kept as that system colour, not as its red, green, blue.
    QTest::newRow("Thai 0") << "Picture6_0" << false
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
    QPlainTextEdit* pane = english ? fx.ui().Ren : fx.ui().Rth;
    QWidget* current = english ? fx.ui().Picture3 : fx.ui().Picture4;
    QCOMPARE(base(pane), color);
    QCOMPARE(fill(current), color);
    QCOMPARE(stored(english ? settings::keys::kColorEn : settings::keys::kColorTh), storedText);
}

void WindowTest::freeColourUsesTheDialogsLastColour() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    fx.platform().queueColor(QColor(10, 20, 30));
    press(fx.ui().Label15);
    press(fx.ui().Label14);  // no choice made: the colour the dialog holds is applied
    const auto calls = fx.platform().callsOf(platform::PlatformCall::Kind::kColor);
    QCOMPARE(calls.size(), size_t(2));
    QCOMPARE(calls[0].color, QColor(Qt::black));
    QCOMPARE(calls[1].color, QColor(10, 20, 30));
    for (QWidget* w :
         {static_cast<QWidget*>(fx.ui().Label15), static_cast<QWidget*>(fx.ui().Picture3),
          static_cast<QWidget*>(fx.ui().Label14), static_cast<QWidget*>(fx.ui().Picture4)}) {
        QCOMPARE(fill(w), QColor(10, 20, 30));
    }
    QCOMPARE(base(fx.ui().Ren), QColor(10, 20, 30));
    QCOMPARE(base(fx.ui().Rth), QColor(10, 20, 30));
    const QString text = QString::number(10 | 20 << 8 | 30 << 16);
    QCOMPARE(stored(settings::keys::kColorEn), text);
    QCOMPARE(stored(settings::keys::kColorTh), text);
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
    enter(ui.Picture3);
    QVERIFY(ui.Frame14->isVisible() && ui.Frame15->isHidden());
    enter(ui.Picture4);
    QVERIFY(ui.Frame15->isVisible() && ui.Frame14->isHidden());
    move(ui.Image3);
    QVERIFY(ui.Frame14->isHidden() && ui.Frame15->isHidden());
    enter(ui.Picture3);
    move(ui.Ren->viewport());
    QVERIFY(ui.Frame14->isHidden());
}

void WindowTest::progressTimersDraw() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    ui.Ren->setPlainText(QStringLiteral("cat"));
    fx.form->Processpal();  // captures the bar sizes and starts the timers
    QVERIFY(fx.form->timer1().isActive() && fx.form->timer2().isActive());
    QCOMPARE(fx.form->elapsedCount(), 0);

    ui.Frame7->show();
    fx.form->setProgressPercent(42);
    fx.form->Timer1_Timer();
    QCOMPARE(ui.Picture2->text(), QStringLiteral("สมบูรณ์ 42 % "));
    QCOMPARE(ui.Picture2->fillWidth(), 42 * ui.Picture2->width() / 100.0);

    fx.form->Timer2_Timer();
    fx.form->Timer2_Timer();
    QCOMPARE(fx.form->elapsedCount(), 2);
    QCOMPARE(ui.Picture1->text(), QStringLiteral("2 วินาที"));
    QCOMPARE(ui.Picture1->fillWidth(), 2 * ui.Picture2->width() / 100.0);

    fx.form->setProgressPercent(101);  // above 100: the panel goes, nothing is drawn
    fx.form->Timer1_Timer();
    QVERIFY(ui.Frame7->isHidden());
    QCOMPARE(ui.Picture2->text(), QStringLiteral("สมบูรณ์ 42 % "));
}

void WindowTest::writingAnimationAlternates() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto& ui = fx.ui();
    QVERIFY(!ui.Image5->isHidden() && ui.Image6->isHidden());
    fx.form->Timer3_Timer();
    QVERIFY(ui.Image5->isHidden() && !ui.Image6->isHidden());
    fx.form->Timer3_Timer();
    QVERIFY(!ui.Image5->isHidden() && ui.Image6->isHidden());
}

void WindowTest::splashTickShowsTheMainWindowAndCloses() {
    int shown = 0;
    QPointer<frmload> splash = new frmload([&shown] { ++shown; });
    splash->show();
    QCOMPARE(splash->timer().interval(), 1500);
    QVERIFY(splash->timer().isActive());
    splash->Timer1_Timer();
    QCOMPARE(shown, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(splash.isNull());
}

void WindowTest::aboutWindowClosesOnItsButton() {
    Frmabout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("เกี่ยวกับโปรแกรม"));
    QVERIFY(about.ui().Label1->text().contains(
        QStringLiteral("This product is created by the adaptation of LEXiTRON developed by "
                       "NECTEC (http://www.nectec.or.th/).")));
    QTimer::singleShot(0, about.ui().Command1, &QPushButton::click);
    QCOMPARE(about.exec(), int(QDialog::Accepted));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
