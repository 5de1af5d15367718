// Program start: the splash, whose single timer tick loads and shows the main
// window, which then opens the FILE given on the command line, if any. With --screenshot-dir DIR
// the program saves pictures of its windows into DIR once the main window is up (after translating
// --text FILE, if given, with the side panels shown) and quits.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QTimer>

#include "dictionary/editor/dictionary_editor.h"
#include "dictionary/locate.h"
#include "documents/document_commands.h"
#include "documents/document_io.h"
#include "platform/qt_translation.h"
#include "platform/thai_file_columns.h"
#include "settings/options_dialog.h"
#include "shell/about_dialog.h"
#include "shell/colour_palettes.h"
#include "shell/large_buffers.h"
#include "shell/main_window.h"
#include "shell/splash_screen.h"
#include "shell/translation_run.h"
#include "shell/views/full_screen_view.h"
#include "ui_main_window.h"
#include "vantrel/build_info.h"

namespace {

void saveGrab(QWidget* w, const QString& dir, const QString& name) {
    w->grab().save(QDir(dir).filePath(name));
}

void takeScreenshots(MainWindow* form, const QString& dir, const QString& textFile) {
    if (!textFile.isEmpty()) {
        // As the open command reads it: any kind of document, its name in the caption.
        form->documentCommands().openFile(QFileInfo(textFile).absoluteFilePath());
        form->ui().missingWordsCheck->setChecked(true);
        form->ui().arrangementCheck->setChecked(true);
        form->ui().meaningCheck->setChecked(true);
        form->translation().translateDocument();
    }
    saveGrab(form, dir, QStringLiteral("main-window.png"));
    form->palettes().showEnglishPalette();
    saveGrab(form, dir, QStringLiteral("main-window-palette.png"));
    form->palettes().hidePalettes();
    AboutDialog about(form);
    about.show();
    saveGrab(&about, dir, QStringLiteral("about-dialog.png"));
    OptionsDialog options(nullptr, nullptr, form);
    options.show();
    saveGrab(&options, dir, QStringLiteral("options-dialog.png"));
    FullScreenView view(form);
    view.fill(*form->ui().englishPane, *form->ui().thaiPane);
    view.show();
    saveGrab(&view, dir, QStringLiteral("full-screen-view.png"));
    view.hide();
    DictionaryEditor editor({}, nullptr, form);
    if (editor.load()) {
        editor.show();
        QCoreApplication::processEvents();
        saveGrab(&editor, dir, QStringLiteral("dictionary-editor.png"));
        editor.hide();
    }
    QApplication::quit();
}

}  // namespace

int main(int argc, char** argv) {
    shell::returnLargeBuffersToSystem();
    QApplication app(argc, argv);
    // Qt's dialogs and buttons speak Thai like the rest of the interface.
    platform::installQtTranslation();
    platform::giveFileDialogsThaiColumns();
    QApplication::setApplicationName(QStringLiteral("vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.vantrel.Vantrel"));
    QFont font(QStringLiteral("Loma"));
    font.setPointSize(9);
    QApplication::setFont(font);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption shotsOption(QStringLiteral("screenshot-dir"),
                                         QStringLiteral("Save window pictures into DIR and quit."),
                                         QStringLiteral("DIR"));
    const QCommandLineOption textOption(QStringLiteral("text"),
                                        QStringLiteral("English document to open and translate first."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption dictOption(
        QStringLiteral("dict"),
        QStringLiteral("Dictionary file to use (also VANTREL_DICT) instead of dict.db beside the "
                       "program, then $XDG_DATA_HOME/vantrel/dict.db, then vantrel/dict.db in "
                       "$XDG_DATA_DIRS."),
        QStringLiteral("FILE"));
    parser.addOption(dictOption);
    parser.addOption(shotsOption);
    parser.addOption(textOption);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("English text file to open in the upper pane."),
                                 QStringLiteral("[FILE]"));
    // The help names the dictionary the options given choose.
    parser.parse(QCoreApplication::arguments());
    const std::string named = parser.value(dictOption).toStdString();
    parser.setApplicationDescription(
        QStringLiteral("Dictionary in use: ") +
        QString::fromStdString(dict::describeLocation(dict::locateDictionary(named))));
    parser.process(app);
    const QString shotsDir = parser.value(shotsOption);
    const QString textFile = parser.value(textOption);
    const QString dictFile =
        parser.isSet(dictOption) ? parser.value(dictOption) : qEnvironmentVariable("VANTREL_DICT");
    // The desktop passes the file a user opened with the program.
    const QStringList files = parser.positionalArguments();
    const QString documentFile =
        files.isEmpty() ? QString() : QFileInfo(files.first()).absoluteFilePath();

    auto* splash = new SplashScreen([shotsDir, textFile, documentFile, dictFile] {
        auto* form = new MainWindow;
        if (!dictFile.isEmpty()) form->setDictionaryPath(dictFile.toStdString());
        form->setAttribute(Qt::WA_DeleteOnClose);
        if (!form->load()) {
            delete form;
            return;
        }
        form->show();
        if (!documentFile.isEmpty()) {
            form->documentCommands().openFile(documentFile);
        }
        if (!shotsDir.isEmpty()) {
            QTimer::singleShot(300, form, [form, shotsDir, textFile] {
                takeScreenshots(form, shotsDir, textFile);
            });
        }
    });
    splash->show();
    if (!shotsDir.isEmpty()) {
        QTimer::singleShot(300, splash, [splash, shotsDir] {
            saveGrab(splash, shotsDir, QStringLiteral("splash-screen.png"));
        });
    }
    return QApplication::exec();
}
