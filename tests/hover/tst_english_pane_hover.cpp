// The pointer-move look-up over the English pane of the main window.
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include "shell_fixture.h"

namespace {

const QString kText = QStringLiteral("the cats sat\nhouses");

// Puts the pointer on the middle of character k of englishPane and moves it there.
void pointAt(MainWindow& form, int k) {
    QPlainTextEdit* englishPane = form.ui().englishPane;
    QTextCursor c(englishPane->document());
    c.setPosition(k);
    const QRect left = englishPane->cursorRect(c);
    c.setPosition(k + 1);
    const QPoint p((left.left() + englishPane->cursorRect(c).left()) / 2, left.center().y());
    QCursor::setPos(englishPane->viewport()->mapToGlobal(p));
    QTest::mouseMove(englishPane->viewport(), p);
}

}  // namespace

class TestRenHover final : public QObject {
    Q_OBJECT

private slots:
    void tipAndMeaningPanel_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("label");
        const QString nf = QStringLiteral("= ไม่พบคำศัพท์ในฐานข้อมูล");
        const QString cat = QStringLiteral("cat = แมว  [Noun]");
        QTest::newRow("inside a plural") << 5 << cat << cat;
        QTest::newRow("space after the word") << 8 << cat << cat;
        QTest::newRow("first letter after a space") << 4 << nf << "before";
        QTest::newRow("missing word") << 10 << "sat" + nf << "before";
        QTest::newRow("next paragraph") << 15 << "house = บ้าน  [Noun]"
                                        << "house = บ้าน  [Noun]";
    }
    void tipAndMeaningPanel() {
        QFETCH(int, k);
        QFETCH(QString, tip);
        QFETCH(QString, label);
        shelltest::Fixture fx;
        QVERIFY(fx.load());
        auto& ui = fx.ui();
        if (!ui.meaningCheck->isChecked()) ui.meaningCheck->click();
        QVERIFY(fx.form->sidePanels().showMeaning());
        ui.englishPane->setPlainText(kText);
        ui.meaningText->setText(QStringLiteral("before"));
        ui.englishPalette->show();
        pointAt(*fx.form, k);
        QCOMPARE(ui.englishPane->toolTip(), tip);
        QCOMPARE(ui.meaningText->text(), label);
        QVERIFY(ui.englishPalette->isHidden());
    }

    void meaningOffChangesNothingButThePalettes() {
        shelltest::Fixture fx;
        QVERIFY(fx.load());
        auto& ui = fx.ui();
        if (!ui.meaningCheck->isChecked()) ui.meaningCheck->click();
        ui.meaningCheck->click();
        QVERIFY(!fx.form->sidePanels().showMeaning());
        QCOMPARE(ui.englishPane->toolTip(), QStringLiteral("แสดงเอกสารภาษาอังกฤษ"));
        ui.englishPane->setPlainText(kText);
        ui.meaningText->setText(QStringLiteral("before"));
        ui.thaiPalette->show();
        pointAt(*fx.form, 5);
        QCOMPARE(ui.englishPane->toolTip(), QStringLiteral("แสดงเอกสารภาษาอังกฤษ"));
        QCOMPARE(ui.meaningText->text(), QStringLiteral("before"));
        QVERIFY(ui.thaiPalette->isHidden());
    }
};

QTEST_MAIN(TestRenHover)
#include "tst_english_pane_hover.moc"
