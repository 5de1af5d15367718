// The pointer-move look-up over the English pane of the main window.
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include "shell_fixture.h"

namespace {

const QString kText = QStringLiteral("the cats sat\nhouses");

// Puts the pointer on the middle of character k of Ren and moves it there.
void pointAt(Form1& form, int k) {
    QPlainTextEdit* ren = form.ui().Ren;
    QTextCursor c(ren->document());
    c.setPosition(k);
    const QRect left = ren->cursorRect(c);
    c.setPosition(k + 1);
    const QPoint p((left.left() + ren->cursorRect(c).left()) / 2, left.center().y());
    QCursor::setPos(ren->viewport()->mapToGlobal(p));
    QTest::mouseMove(ren->viewport(), p);
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
        if (!ui.Check3->isChecked()) ui.Check3->click();
        QVERIFY(fx.form->showMeaning());
        ui.Ren->setPlainText(kText);
        ui.Label16->setText(QStringLiteral("before"));
        ui.Frame14->show();
        pointAt(*fx.form, k);
        QCOMPARE(ui.Ren->toolTip(), tip);
        QCOMPARE(ui.Label16->text(), label);
        QVERIFY(ui.Frame14->isHidden());
    }

    void meaningOffChangesNothingButThePalettes() {
        shelltest::Fixture fx;
        QVERIFY(fx.load());
        auto& ui = fx.ui();
        if (!ui.Check3->isChecked()) ui.Check3->click();
        ui.Check3->click();
        QVERIFY(!fx.form->showMeaning());
        QCOMPARE(ui.Ren->toolTip(), QStringLiteral("แสดงเอกสารภาษาอังกฤษ"));
        ui.Ren->setPlainText(kText);
        ui.Label16->setText(QStringLiteral("before"));
        ui.Frame15->show();
        pointAt(*fx.form, 5);
        QCOMPARE(ui.Ren->toolTip(), QStringLiteral("แสดงเอกสารภาษาอังกฤษ"));
        QCOMPARE(ui.Label16->text(), QStringLiteral("before"));
        QVERIFY(ui.Frame15->isHidden());
    }
};

QTEST_MAIN(TestRenHover)
#include "tst_ren_hover.moc"
