// Qt's own dialogs, with the program's translation installed, show no English:
// every caption, label, button, tab, tool tip, list item and column title of
// the dialogs the program opens is Thai (names of paper sizes and formats
// aside). A text of Qt's that the translation misses shows here by name.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "platform/qt_translation.h"
#include "platform/thai_file_columns.h"

namespace {

// Names that stay as they are in Thai too, the file name patterns the
// program's own filters show and the extensions that name a file's type.
const QRegularExpression kKeptNames(QStringLiteral(
    R"(\b(PDF|ANSI|JIS|PRC|DL|Esc|Alt|Left|Right|Up|[A-E]\d*|C\d+|\d+K)\b|\(\*[^)]*\))"
    R"(|(?<=แฟ้ม )[A-Z0-9]+$)"));
const QRegularExpression kLatin(QStringLiteral("[A-Za-z]"));

// Every text of `dialog` a user can read, with where it stands.
QStringList visibleTexts(QWidget& dialog) {
    QStringList texts{QStringLiteral("title: ") + dialog.windowTitle()};
    const auto add = [&](const QWidget* w, const QString& kind, const QString& text) {
        if (!text.isEmpty()) texts << kind + QStringLiteral(" ") + w->objectName() + ": " + text;
    };
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        add(w, QStringLiteral("tool tip"), w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w)) add(w, QStringLiteral("label"), label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            add(w, QStringLiteral("button"), button->text());
        if (auto* box = qobject_cast<QGroupBox*>(w)) add(w, QStringLiteral("group"), box->title());
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) add(w, QStringLiteral("tab"), tabs->tabText(i));
        }
        // The printers' names and the folders' paths are the system's own.
        if (auto* combo = qobject_cast<QComboBox*>(w);
            combo && combo->objectName() != QLatin1String("printers") &&
            combo->objectName() != QLatin1String("lookInCombo")) {
            for (int i = 0; i < combo->count(); ++i)
                add(w, QStringLiteral("item"), combo->itemText(i));
        }
        // The files' sizes, types and dates (not their names).
        if (auto* list = qobject_cast<QTreeView*>(w); list && list->model()) {
            const QAbstractItemModel* m = list->model();
            for (int row = 0; row < m->rowCount(list->rootIndex()); ++row) {
                for (int column = 1; column < m->columnCount(list->rootIndex()); ++column)
                    add(w, QStringLiteral("cell"),
                        m->index(row, column, list->rootIndex()).data().toString());
            }
        }
        if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model()) {
            for (int i = 0; i < header->count(); ++i)
                add(w, QStringLiteral("column"),
                    header->model()->headerData(i, header->orientation()).toString());
        }
    }
    return texts;
}

QStringList english(QWidget& dialog) {
    QStringList found;
    for (QString text : visibleTexts(dialog)) {
        const QString shown = text.mid(text.indexOf(QLatin1String(": ")) + 2);
        QString rest = shown;
        rest.remove(kKeptNames);
        if (rest.contains(kLatin)) found << text;
    }
    return found;
}

}  // namespace

class TestQtThai final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(!platform::installQtTranslation().isEmpty(),
                 qPrintable(platform::qtTranslationFolders().join(QLatin1String(", "))));
        platform::giveFileDialogsThaiColumns();
    }

    void messageBoxButtonsAreThai() {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok |
                               QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("ใช่"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("ไม่ใช่"));
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("ตกลง"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("ยกเลิก"));
        box.setDetailedText(QStringLiteral("รายละเอียด"));
        QCOMPARE(english(box), QStringList());
    }

    void dialogsShowNoEnglish_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("open") << 0;
        QTest::newRow("save") << 1;
        QTest::newRow("input") << 2;
        QTest::newRow("colour") << 3;
        QTest::newRow("print") << 4;
        QTest::newRow("page set-up") << 5;
    }

    void dialogsShowNoEnglish() {
        QFETCH(int, which);
        QPrinter printer;
        std::unique_ptr<QDialog> dialog;
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("sub"));
        for (const char* name : {"story.txt", "notes", "picture.png"}) {
            QFile file(QDir(folder.path()).filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("some text\n");
        }
        switch (which) {
            case 0:
            case 1: {
                auto* files = new QFileDialog(nullptr, QString(), folder.path(),
                                              QStringLiteral("แฟ้มข้อความ (*.txt);;แฟ้มทั้งหมด (*)"));
                files->setOption(QFileDialog::DontUseNativeDialog);
                files->setAcceptMode(which == 0 ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
                files->selectNameFilter(QStringLiteral("แฟ้มทั้งหมด (*)"));
                // The save dialog is left as Qt makes its own (the print dialog's
                // file to print to): it gets its Thai columns when shown.
                if (which == 0) files->setProxyModel(new platform::ThaiFileColumns(files));
                dialog.reset(files);
                break;
            }
            case 2:
                dialog = std::make_unique<QInputDialog>();
                break;
            case 3:
                dialog = std::make_unique<QColorDialog>();
                static_cast<QColorDialog*>(dialog.get())
                    ->setOption(QColorDialog::DontUseNativeDialog);
                break;
            case 4:
                dialog = std::make_unique<QPrintDialog>(&printer);
                break;
            default:
                dialog = std::make_unique<QPageSetupDialog>(&printer);
                break;
        }
        dialog->show();
        QCoreApplication::processEvents();
        if (auto* list = dialog->findChild<QTreeView*>()) {  // the files come in the background
            QTRY_COMPARE(list->model()->rowCount(list->rootIndex()), 4);
        }
        const QStringList found = english(*dialog);
        dialog->hide();
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    void fileColumnsAreThai() {
        using platform::ThaiFileColumns;
        QCOMPARE(ThaiFileColumns::sizeText(0), QStringLiteral("0 ไบต์"));
        QCOMPARE(ThaiFileColumns::sizeText(1023), QStringLiteral("1023 ไบต์"));
        QCOMPARE(ThaiFileColumns::sizeText(1024), QStringLiteral("1.0 กิโลไบต์"));
        QCOMPARE(ThaiFileColumns::sizeText(5 * 1024 * 1024 + 512 * 1024),
                 QStringLiteral("5.5 เมกะไบต์"));
        QCOMPARE(ThaiFileColumns::sizeText(qint64{3} << 50), QStringLiteral("3072.0 เทระไบต์"));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("a.md"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(ThaiFileColumns::typeText(QFileInfo(folder.path())), QStringLiteral("โฟลเดอร์"));
        QCOMPARE(ThaiFileColumns::typeText(QFileInfo(path)), QStringLiteral("เอกสารข้อความ"));
        QCOMPARE(ThaiFileColumns::typeText(QFileInfo(folder.filePath(QStringLiteral("x.zip")))),
                 QStringLiteral("แฟ้ม ZIP"));
    }

    void lineEditMenuIsThai() {
        QLineEdit edit(QStringLiteral("ข้อความ"));
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList found;
        for (QAction* a : menu->actions()) {
            QString text = a->text().section(QLatin1Char('\t'), 0, 0);  // without the shortcut
            text.remove(kKeptNames);
            if (text.contains(kLatin)) found << a->text();
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestQtThai)
#include "tst_qt_thai.moc"
