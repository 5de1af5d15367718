// The dictionary editor opened from the main window's menu and lists.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "dictionary/editor/dictionary_editor.h"
#include "shell_fixture.h"

namespace {

// Runs `fn` on the editor once the next modal window is open and activated.
void withEditor(std::function<void(DictionaryEditor&)> fn) {
    shelltest::onNextModal([fn = std::move(fn)](QWidget* modal) {
        auto* editor = qobject_cast<DictionaryEditor*>(modal);
        if (!editor) {
            modal->close();
            return;
        }
        // The activation runs from the event loop once the window shows.
        QLineEdit* position = editor->findChild<QLineEdit*>("positionDisplay");
        // An editor that never activates is closed unseen, so the test fails.
        if (!QTest::qWaitFor([position] { return position->text() != QLatin1String("0/0"); })) {
            editor->close();
            return;
        }
        fn(*editor);
        if (editor->isVisible()) editor->findChild<QPushButton*>("closeButton")->click();
    });
}

QString field(DictionaryEditor& e, const char* name) {
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
        ui.englishPane->setPlainText(QStringLiteral("cat zebra dog."));
        ui.translateButton->click();
        const int row = int(fx.form->translation().missingWordsModel().items().indexOf("zebra"));
        QVERIFY(row >= 0);

        bool seen = false;
        withEditor([&](DictionaryEditor& e) {
            seen = true;
            QVERIFY(e.addMode());
            QCOMPARE(field(e, "headwordEdit"), QString("zebra"));
            QCOMPARE(field(e, "positionDisplay"), QString("เพิ่มข้อมูล"));
            e.findChild<QLineEdit*>("meaningEdit")->setText(QStringLiteral("ม้าลาย"));
            e.findChild<QComboBox*>("partOfSpeechBox")->setCurrentText("Noun");
            e.findChild<QPushButton*>("saveButton")->click();
            QVERIFY(!e.addMode());
        });
        doubleClickRow(ui.missingWordsList, row);
        QTRY_VERIFY(seen);

        ui.translateButton->click();
        QVERIFY2(ui.thaiPane->toPlainText().contains(QStringLiteral("ม้าลาย")),
                 qPrintable(ui.thaiPane->toPlainText()));
        QVERIFY(!fx.form->translation().missingWordsModel().items().contains("zebra"));

        // The close cleared the opening flags: the menu opens at the first record.
        seen = false;
        withEditor([&](DictionaryEditor& e) {
            seen = true;
            QVERIFY(!e.addMode());
            QCOMPARE(field(e, "headwordEdit"), QString("cat"));
            QCOMPARE(field(e, "positionDisplay"), QString("1 / 4"));
        });
        fx.form->findChild<QAction*>("editDictionaryAction")->trigger();
        QVERIFY(seen);
    }

    void arrangementLineOpensAtItsWord() {
        shelltest::Fixture fx;
        QVERIFY(fx.load());
        auto& ui = fx.ui();
        ui.englishPane->setPlainText(QStringLiteral("cat and dog house"));
        ui.translateButton->click();
        const int row =
            int(fx.form->translation().translator().arrangementWords().items().size()) - 1;
        QVERIFY(row >= 1);
        const QString word =
            QString::fromStdString(fx.form->translation().translator().arrangementWords().at(row));
        bool seen = false;
        withEditor([&](DictionaryEditor& e) {
            seen = true;
            QCOMPARE(field(e, "headwordEdit"), word);
            QVERIFY(!e.addMode());
        });
        doubleClickRow(ui.arrangementList, row);
        QTRY_VERIFY(seen);
    }
};

QTEST_MAIN(TestEditorInWindow)
#include "tst_editor_in_window.moc"
