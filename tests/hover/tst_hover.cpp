#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <memory>
#include <vector>

#include "dictionary/store.h"
#include "hover/meaning_tip.h"
#include "hover/word_under_pointer.h"

namespace {

dict::DictRecord rec(const char* en, std::vector<std::pair<int, const char*>> fields) {
    dict::DictRecord r;
    r[dict::kWordEn] = en;
    for (const auto& [pos, value] : fields) r[pos] = value;
    return r;
}

// The centre of the box of character k, from the caret boxes on either side.
template <class Box>
QPoint charCentre(const Box& box, int k) {
    QTextCursor c(box.document());
    c.setPosition(k);
    const QRect left = box.cursorRect(c);
    c.setPosition(k + 1);
    const QRect right = box.cursorRect(c);
    return QPoint((left.left() + right.left()) / 2, left.center().y());
}

// A point inside the right part of character k: the caret nearest to it is
// the one after k, which must not shift the result to k + 1.
template <class Box>
QPoint charRightPart(const Box& box, int k) {
    QTextCursor c(box.document());
    c.setPosition(k);
    const QRect left = box.cursorRect(c);
    c.setPosition(k + 1);
    const QRect right = box.cursorRect(c);
    return QPoint(right.left() - 2, left.center().y());
}

}  // namespace

class TestHover final : public QObject {
    Q_OBJECT

private slots:
    void wordLeftOf_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("word");
        const QString t = QStringLiteral("the cat_9 sat, it's ok");
        QTest::newRow("first character of the text") << t << 0 << "";
        QTest::newRow("second letter") << t << 1 << "the";
        QTest::newRow("space after a word") << t << 3 << "the";
        QTest::newRow("first letter after a space") << t << 4 << "";
        QTest::newRow("letters digits underscore") << t << 6 << "cat_9";
        QTest::newRow("comma after a word") << t << 13 << "sat";
        QTest::newRow("after punctuation") << t << 14 << "";
        QTest::newRow("apostrophe: left half") << t << 17 << "it";
        QTest::newRow("apostrophe: right half") << t << 18 << "";
        QTest::newRow("end of text") << t << int(t.size()) << "ok";
        QTest::newRow("Thai letters end words") << QStringLiteral("abแมวcd") << 2 << "ab";
        QTest::newRow("past the end") << t << int(t.size()) + 1 << "";
    }
    void wordLeftOf() {
        QFETCH(QString, text);
        QFETCH(int, p);
        QFETCH(QString, word);
        QCOMPARE(hover::wordLeftOf(text, p), word);
    }

    // The character whose box holds the point, not the nearest caret position.
    void characterUnderThePoint() {
        QPlainTextEdit plain;
        QTextEdit rich;
        const QString text = QStringLiteral("hello wide world\nsecond line");
        for (QWidget* w : std::initializer_list<QWidget*>{&plain, &rich}) {
            w->resize(400, 200);
            w->show();
        }
        plain.setPlainText(text);
        rich.setPlainText(text);
        QVERIFY(QTest::qWaitForWindowExposed(&plain));
        for (int k : {0, 1, 4, 5, 6, 10, 17, 20}) {
            QCOMPARE(hover::characterAt(&plain, charCentre(plain, k)), k);
            QCOMPARE(hover::characterAt(&plain, charRightPart(plain, k)), k);
            QCOMPARE(hover::characterAt(&rich, charCentre(rich, k)), k);
            QCOMPARE(hover::characterAt(&rich, charRightPart(rich, k)), k);
        }
        // Right of the first line's text: its end, so the last word shows.
        const QPoint pastEnd(380, charCentre(plain, 0).y());
        QCOMPARE(hover::characterAt(&plain, pastEnd), 16);
        QCOMPARE(hover::wordUnderPointer(&plain, pastEnd), QString("world"));
        // Below the last line: the nearest character, on the last line.
        const QPoint below(charCentre(plain, 20).x(), 190);
        QCOMPARE(hover::characterAt(&plain, below), 20);
        QCOMPARE(hover::wordUnderPointer(&plain, below), QString("second"));

        QCOMPARE(hover::wordUnderPointer(&plain, charCentre(plain, 7)), QString("wide"));
        QCOMPARE(hover::wordUnderPointer(&rich, charCentre(rich, 6)), QString());
        QCOMPARE(hover::wordUnderPointer(&rich, charCentre(rich, 10)), QString("wide"));
        // The first letter of a paragraph: the character to its left is the break.
        QCOMPARE(hover::wordUnderPointer(&plain, charCentre(plain, 17)), QString());
        QCOMPARE(hover::wordUnderPointer(&plain, charCentre(plain, 18)), QString("second"));
    }

    // Positions far beyond 16 bits still give their word.
    void longDocument() {
        QPlainTextEdit box;
        box.resize(400, 200);
        QString text;
        while (text.size() < 200000) text += QStringLiteral("alpha beta gamma\n");
        text += QStringLiteral("final omega");
        box.setPlainText(text);
        box.show();
        QTextCursor end = box.textCursor();
        end.movePosition(QTextCursor::End);
        box.setTextCursor(end);
        box.ensureCursorVisible();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const int omega = int(text.size()) - 3;
        QCOMPARE(hover::wordUnderPointer(&box, charCentre(box, omega)), QString("omega"));
    }

    void meaningTip_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<bool>("found");
        const QString nf = QStringLiteral("= ไม่พบคำศัพท์ในฐานข้อมูล");
        QTest::newRow("found") << "dog"
                               << "dog = หมา  [Noun]" << true;
        QTest::newRow("other letter case") << "Dog"
                                           << "Dog = หมา  [Noun]" << true;
        QTest::newRow("plural s") << "dogs"
                                  << "dog = หมา  [Noun]" << true;
        QTest::newRow("capital S") << "DOGS"
                                   << "DOG = หมา  [Noun]" << true;
        QTest::newRow("es strips one letter") << "boxes"
                                              << "boxe" + nf << false;
        QTest::newRow("only s letters") << "sSs" << nf << false;
        QTest::newRow("no word") << "" << nf << false;
        QTest::newRow("missing") << "zebra"
                                 << "zebra" + nf << false;
        QTest::newRow("verb after blank fields") << "run"
                                                 << "run = วิ่ง  [Verb]" << true;
        QTest::newRow("idiom tag") << "kick"
                                   << "kick = เตะ  [IDium]" << true;
        QTest::newRow("empty text is a meaning") << "lead"
                                                 << "lead =   [Noun]" << true;
        QTest::newRow("question field not consulted") << "who"
                                                      << "who =   []" << true;
        QTest::newRow("all blank") << "void"
                                   << "void =   []" << true;
    }
    void meaningTip() {
        QFETCH(QString, word);
        QFETCH(QString, tip);
        QFETCH(bool, found);
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("dict.db")).toStdString();
        const std::vector<dict::DictRecord> records = {
            rec("dog", {{dict::kWordNoun, "หมา"}}),
            rec("box", {{dict::kWordNoun, "กล่อง"}}),
            rec("run", {{dict::kWordNoun, " "}, {dict::kWordVerb, "วิ่ง"}}),
            rec("kick", {{1, " "},
                         {2, " "},
                         {3, " "},
                         {4, " "},
                         {5, " "},
                         {6, " "},
                         {dict::kWordIdiom, "เตะ"}}),
            rec("lead", {{dict::kWordNoun, ""}, {dict::kWordVerb, "นำ"}}),
            rec("who", {{dict::kWordQuestion, "ใคร"}}),
            rec("void", {{dict::kWordNoun, " "}, {dict::kWordAdj, " "}}),
            // An empty headword must not answer the empty key.
            rec("", {{dict::kWordNoun, "ว่าง"}}),
        };
        std::unique_ptr<dict::DictionaryStore> store;
        QVERIFY(dict::DictionaryStore::create(path, records).isOk());
        QVERIFY(dict::DictionaryStore::open(path, &store).isOk());
        const hover::MeaningTip t = hover::meaningTip(word, &store->lookup());
        QCOMPARE(t.toolTip, tip);
        QCOMPARE(t.found, found);
    }

    void noDictionaryFindsNothing() {
        QCOMPARE(hover::meaningTip(QStringLiteral("cats"), nullptr).toolTip,
                 QStringLiteral("cat= ไม่พบคำศัพท์ในฐานข้อมูล"));
    }
};

QTEST_MAIN(TestHover)
#include "tst_hover.moc"
