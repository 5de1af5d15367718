// The dictionary editor opened from the main window's menu and lists.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "dictionary/editor/frmadddata.h"
#include "shell_fixture.h"

namespace {

// Runs `fn` on the editor once the next modal window is open and activated.
void withEditor(std::function<void(FrmaddData&)> fn) {
    QTimer::singleShot(0, [fn = std::move(fn)] {
        auto* editor = qobject_cast<FrmaddData*>(QApplication::activeModalWidget());
        if (!editor) {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
            return;
        }
        // The activation runs from the event loop once the window shows.
        QLineEdit* position = editor->findChild<QLineEdit*>("Text5");
        QTest::qWaitFor([position] { return position->text() != QLatin1String("0/0"); });
        fn(*editor);
        if (editor->isVisible()) editor->findChild<QPushButton*>("Command5")->click();
    });
}

QString field(FrmaddData& e, const char* name) {
    return e.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

// Shows the list's panel, then double-clicks the row as a user would.
void doubleClickRow(QListView* list, int row) {
    for (QWidget* w = list; w; w = w->parentWidget()) w->show();
    list->scrollTo(list->model()->index(row, 0));
    const QRect r = list->visualRect(list->model()->index(row, 0));
    // A double-click starts with a click, which selects the row.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

}  // namespace

class TestEditorInWindow final : public QObject {
    Q_OBJECT

private slots:
    void addMissingWordThenTranslateAgain() {
        shelltest::Fixture fx;
        QVERIFY(fx.load());
        auto& ui = fx.ui();
        ui.Ren->setPlainText(QStringLiteral("cat zebra dog."));
        ui.Command1->click();
        const int row = int(fx.form->missingWordModel().items().indexOf("zebra"));
        QVERIFY(row >= 0);

        bool seen = false;
        withEditor([&](FrmaddData& e) {
            seen = true;
            QVERIFY(e.addMode());
            QCOMPARE(field(e, "Text1"), QString("zebra"));
            QCOMPARE(field(e, "Text5"), QString("เพิ่มข้อมูล"));
            e.findChild<QLineEdit*>("Text2")->setText(QStringLiteral("ม้าลาย"));
            e.findChild<QComboBox*>("Combo1")->setCurrentText("Noun");
            e.findChild<QPushButton*>("Command2")->click();
            QVERIFY(!e.addMode());
        });
        doubleClickRow(ui.LNodata, row);
        QVERIFY(seen);

        ui.Command1->click();
        QVERIFY2(ui.Rth->toPlainText().contains(QStringLiteral("ม้าลาย")),
                 qPrintable(ui.Rth->toPlainText()));
        QVERIFY(!fx.form->missingWordModel().items().contains("zebra"));

        // The close cleared the opening flags: the menu opens at the first record.
        seen = false;
        withEditor([&](FrmaddData& e) {
            seen = true;
            QVERIFY(!e.addMode());
            QCOMPARE(field(e, "Text1"), QString("cat"));
            QCOMPARE(field(e, "Text5"), QString("1 / 4"));
        });
        fx.form->findChild<QAction*>("mnuadd_edit")->trigger();
        QVERIFY(seen);
    }

    void arrangementLineOpensAtItsWord() {
        shelltest::Fixture fx;
        QVERIFY(fx.load());
        auto& ui = fx.ui();
        ui.Ren->setPlainText(QStringLiteral("cat and dog house"));
        ui.Command1->click();
        const int row = int(fx.form->translator().arrangementWords().items().size()) - 1;
        QVERIFY(row >= 1);
        const QString word =
            QString::fromStdString(fx.form->translator().arrangementWords().at(row));
        bool seen = false;
        withEditor([&](FrmaddData& e) {
            seen = true;
            QCOMPARE(field(e, "Text1"), word);
            QVERIFY(!e.addMode());
        });
        doubleClickRow(ui.Larrang, row);
        QVERIFY(seen);
    }
};

QTEST_MAIN(TestEditorInWindow)
#include "tst_editor_in_window.moc"
