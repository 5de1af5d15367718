// Program start: the splash, whose single timer tick loads and shows the main
// window. With --screenshot-dir DIR the program saves pictures of its windows
// into DIR once the main window is up (after translating --text FILE, if
// given, with the side panels shown) and quits.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QTimer>

#include "settings/frmoption.h"
#include "shell/form1.h"
#include "shell/frmabout.h"
#include "shell/frmload.h"
#include "ui_form1.h"

namespace {

void saveGrab(QWidget* w, const QString& dir, const QString& name) {
    w->grab().save(QDir(dir).filePath(name));
}

void takeScreenshots(Form1* form, const QString& dir, const QString& textFile) {
    if (!textFile.isEmpty()) {
        QFile file(textFile);
        if (file.open(QIODevice::ReadOnly)) {
            form->ui().Ren->setPlainText(QString::fromUtf8(file.readAll()));
        }
        form->ui().Check1->setChecked(true);
        form->ui().Check2->setChecked(true);
        form->ui().Check3->setChecked(true);
        form->translateCommand();
    }
    saveGrab(form, dir, QStringLiteral("form1.png"));
    form->showEnglishPalette();
    saveGrab(form, dir, QStringLiteral("form1-palette.png"));
    form->hidePalettes();
    Frmabout about(form);
    about.show();
    saveGrab(&about, dir, QStringLiteral("frmabout.png"));
    FrmOption options(nullptr, nullptr, form);
    options.show();
    saveGrab(&options, dir, QStringLiteral("frmoption.png"));
    QApplication::quit();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel"));
    QFont font(QStringLiteral("Loma"));
    font.setPointSize(9);
    QApplication::setFont(font);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption shotsOption(QStringLiteral("screenshot-dir"),
                                         QStringLiteral("Save window pictures into DIR and quit."),
                                         QStringLiteral("DIR"));
    const QCommandLineOption textOption(QStringLiteral("text"),
                                        QStringLiteral("English text file to translate first."),
                                        QStringLiteral("FILE"));
    parser.addOption(shotsOption);
    parser.addOption(textOption);
    parser.process(app);
    const QString shotsDir = parser.value(shotsOption);
    const QString textFile = parser.value(textOption);

    auto* splash = new frmload([shotsDir, textFile] {
        auto* form = new Form1;
        form->setAttribute(Qt::WA_DeleteOnClose);
        if (!form->Form_Load()) {
            delete form;
            return;
        }
        form->show();
        if (!shotsDir.isEmpty()) {
            QTimer::singleShot(300, form, [form, shotsDir, textFile] {
                takeScreenshots(form, shotsDir, textFile);
            });
        }
    });
    splash->show();
    if (!shotsDir.isEmpty()) {
        QTimer::singleShot(300, splash, [splash, shotsDir] {
            saveGrab(splash, shotsDir, QStringLiteral("frmload.png"));
        });
    }
    return QApplication::exec();
}
