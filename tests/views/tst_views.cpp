#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include "shell/views/edit_commands.h"
#include "shell/views/full_screen_view.h"
#include "ui_full_screen_view.h"

namespace {

void select(QPlainTextEdit& pane, int start, int end) {
    QTextCursor c = pane.textCursor();
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    pane.setTextCursor(c);
}

QColor background(const QPlainTextEdit& pane) {
    return pane.palette().color(QPalette::Base);
}

void setBackground(QPlainTextEdit& pane, const QColor& color) {
    QPalette p = pane.palette();
    p.setColor(QPalette::Base, color);
    pane.setPalette(p);
}

}  // namespace

class TestViews final : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_window = std::make_unique<QWidget>();
        m_ren = new QPlainTextEdit(m_window.get());
        m_rth = new QPlainTextEdit(m_window.get());
        m_ren->move(0, 0);
        m_rth->move(0, 200);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        clipboard().setText(QStringLiteral("before"));
    }

    void cutAndCopyPutTheSelectionOnTheClipboard_data() {
        QTest::addColumn<bool>("cutting");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("left");
        QTest::newRow("cut word") << true << 0 << 5 << "Hello"
                                  << " big\nworld";
        QTest::newRow("cut across lines") << true << 6 << 14 << "big\nworl"
                                          << "Hello d";
        QTest::newRow("cut nothing empties clipboard") << true << 3 << 3 << ""
                                                       << "Hello big\nworld";
        QTest::newRow("copy across lines") << false << 6 << 14 << "big\nworl"
                                           << "Hello big\nworld";
        QTest::newRow("copy nothing") << false << 2 << 2 << ""
                                      << "Hello big\nworld";
    }
    void cutAndCopyPutTheSelectionOnTheClipboard() {
        QFETCH(bool, cutting);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QString, clip);
        QFETCH(QString, left);
        m_rth->setPlainText(QStringLiteral("Hello big\nworld"));
        m_ren->setPlainText(QStringLiteral("untouched"));
        m_ren->setFocus();
        select(*m_rth, start, end);
        int changes = 0;
        connect(m_rth, &QPlainTextEdit::textChanged, this, [&] { ++changes; });
        cutting ? views::cut(*m_rth, clipboard()) : views::copy(*m_rth, clipboard());
        QCOMPARE(clipboard().text(), clip);
        QCOMPARE(m_rth->toPlainText(), left);
        QCOMPARE(m_ren->toPlainText(), QStringLiteral("untouched"));
        QCOMPARE(changes > 0, cutting && start != end);
        QVERIFY(m_ren->hasFocus());  // the focus is not moved
    }

    void pasteReplacesTheSelectionAndLeavesTheCaretAfterIt_data() {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("caret");
        QTest::newRow("replace") << "XY" << 2 << 4 << "abXYef" << 4;
        QTest::newRow("insert at caret") << "ไทย" << 6 << 6 << "abcdefไทย" << 9;
        QTest::newRow("multi-line") << "1\n2" << 0 << 6 << "1\n2" << 3;
        QTest::newRow("empty clipboard") << "" << 2 << 4 << "abcdef" << 4;
    }
    void pasteReplacesTheSelectionAndLeavesTheCaretAfterIt() {
        QFETCH(QString, clip);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QString, result);
        QFETCH(int, caret);
        m_ren->setPlainText(QStringLiteral("abcdef"));
        select(*m_ren, start, end);
        clip.isEmpty() ? clipboard().clear() : clipboard().setText(clip);
        views::paste(*m_ren, clipboard());
        QCOMPARE(m_ren->toPlainText(), result);
        QCOMPARE(m_ren->textCursor().position(), caret);
    }

    void selectAllAndClearFocusThePane_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("two lines") << "one\ntwo";
    }
    void selectAllAndClearFocusThePane() {
        QFETCH(QString, text);
        m_ren->setFocus();
        m_rth->setPlainText(text);
        views::selectAll(*m_rth);
        QCOMPARE(m_rth->textCursor().selectionStart(), 0);
        QCOMPARE(m_rth->textCursor().selectionEnd(), text.size());
        QTRY_VERIFY(m_rth->hasFocus());

        m_ren->setFocus();
        QTRY_VERIFY(m_ren->hasFocus());
        int changes = 0;
        connect(m_rth, &QPlainTextEdit::textChanged, this, [&] { ++changes; });
        views::clear(*m_rth);
        QVERIFY(m_rth->toPlainText().isEmpty());
        QVERIFY(changes > 0);  // the mirror follows every change, also an empty one
        QTRY_VERIFY(m_rth->hasFocus());
    }

    void fullScreenViewIsDesignedAsItsListAndSize() {
        FullScreenView view;
        QCOMPARE(view.size(), QSize(800, 600));
        QCOMPARE(view.ui().fontSizeBox->currentText(), QStringLiteral("10"));
        QStringList items;
        for (int i = 0; i < view.ui().fontSizeBox->count(); ++i) {
            items << view.ui().fontSizeBox->itemText(i);
        }
        QCOMPARE(items.size(), 25);
        QCOMPARE(items.first(), QStringLiteral("10"));
        QVERIFY(!items.contains(QStringLiteral("21")));
        QCOMPARE(items.mid(10, 2), QStringList({"20", "22"}));
        QCOMPARE(items.mid(19), QStringList({"30", "32", "34", "36", "38", "40"}));
        QCOMPARE(view.ui().closeButton->text(), QStringLiteral("ออก"));
        // The caption is shown whole and stops short of the size list.
        QVERIFY(view.ui().fontSizeLabel->sizeHint().width() <= view.ui().fontSizeLabel->width());
        QVERIFY(view.ui().fontSizeLabel->geometry().right() < view.ui().fontSizeBox->x());
    }

    void fullScreenViewControlsSitWhereDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("toolBar") << "toolBar" << QRect(0, -6, 799, 34);
        QTest::newRow("fontSizeBox") << "fontSizeBox" << QRect(111, 9, 55, 22);
        QTest::newRow("closeButton") << "closeButton" << QRect(726, 9, 70, 22);
        QTest::newRow("englishView") << "englishView" << QRect(3, 27, 388, 568);
        QTest::newRow("thaiView") << "thaiView" << QRect(392, 27, 409, 568);
    }
    void fullScreenViewControlsSitWhereDesigned() {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        FullScreenView view;
        const auto* control = view.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), rect);
    }

    void fullScreenViewShowsCopiesAndKeepsTheFontSize() {
        m_ren->setPlainText(QStringLiteral("English"));
        m_rth->setPlainText(QStringLiteral("ไทย"));
        setBackground(*m_ren, QColor(255, 255, 192));
        setBackground(*m_rth, QColor(192, 255, 255));
        FullScreenView view(m_window.get());
        view.fill(*m_ren, *m_rth);
        view.show();
        QCOMPARE(view.ui().englishView->toPlainText(), QStringLiteral("English"));
        QCOMPARE(view.ui().thaiView->toPlainText(), QStringLiteral("ไทย"));
        QCOMPARE(background(*view.ui().englishView), QColor(255, 255, 192));
        QCOMPARE(background(*view.ui().thaiView), QColor(192, 255, 255));

        // Typing a size changes nothing until an item is chosen.
        const int before = view.ui().englishView->font().pointSize();
        view.ui().fontSizeBox->setEditText(QStringLiteral("30"));
        QCOMPARE(view.ui().englishView->font().pointSize(), before);
        view.ui().fontSizeBox->setCurrentIndex(view.ui().fontSizeBox->findText("40"));
        Q_EMIT view.ui().fontSizeBox->activated(view.ui().fontSizeBox->currentIndex());
        QCOMPARE(view.ui().englishView->font().pointSize(), 40);
        QCOMPARE(view.ui().thaiView->font().pointSize(), 40);

        // Edits in the view do not reach the panes.
        view.ui().englishView->setPlainText(QStringLiteral("changed"));
        QTest::mouseClick(view.ui().closeButton, Qt::LeftButton);
        QVERIFY(!view.isVisible());
        QCOMPARE(m_ren->toPlainText(), QStringLiteral("English"));

        // The second opening shows the current texts with the size kept.
        m_rth->setPlainText(QStringLiteral("ใหม่"));
        setBackground(*m_rth, Qt::white);
        view.fill(*m_ren, *m_rth);
        view.show();
        QCOMPARE(view.ui().englishView->toPlainText(), QStringLiteral("English"));
        QCOMPARE(view.ui().thaiView->toPlainText(), QStringLiteral("ใหม่"));
        QCOMPARE(background(*view.ui().thaiView), QColor(Qt::white));
        QCOMPARE(view.ui().thaiView->font().pointSize(), 40);
        QCOMPARE(view.ui().fontSizeBox->currentText(), QStringLiteral("40"));
    }

    void doubleClickInEitherBoxCloses_data() {
        QTest::addColumn<bool>("thaiBox");
        QTest::newRow("englishView") << false;
        QTest::newRow("thaiView") << true;
    }
    void doubleClickInEitherBoxCloses() {
        QFETCH(bool, thaiBox);
        FullScreenView view(m_window.get());
        view.fill(*m_ren, *m_rth);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QPlainTextEdit* box = thaiBox ? view.ui().thaiView : view.ui().englishView;
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, QPoint(50, 300));
        QVERIFY(!view.isVisible());
        QCOMPARE(view.result(), static_cast<int>(QDialog::Accepted));
    }

private:
    static QClipboard& clipboard() { return *QApplication::clipboard(); }

    std::unique_ptr<QWidget> m_window;
    QPlainTextEdit* m_ren = nullptr;
    QPlainTextEdit* m_rth = nullptr;
};

QTEST_MAIN(TestViews)
#include "tst_views.moc"
