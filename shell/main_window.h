// The main translator window: the English pane above the Thai pane, the menus,
// the button bar and right-click menus, the side panels and palettes, the
// progress display and the status line. The window builds its parts and wires
// the route table to them; the parts carry out the commands:
//   documents::DocumentCommands  new, open, save and print
//   views::PaneEditCommands      cut, copy, paste, select all and clear
//   shell::TranslationRun        translating, progress and cancel
//   shell::SidePanels            side panels and the option check boxes
//   shell::ColourPalettes        pane colour swatches and palettes
//   shell::StatusLine            caret position and focus label
// The window itself opens the other windows and ends the program.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <string>

#include "shell/command_routes.h"

namespace Ui {
class MainWindow;
}
class FullScreenView;
namespace documents {
class DirectoryPanel;
class DocumentCommands;
class MirrorFile;
}  // namespace documents
namespace views {
class PaneEditCommands;
}
namespace shell {
class ColourPalettes;
class CommandRouter;
class SidePanels;
class StatusLine;
class TranslationRun;
}  // namespace shell

class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    // The caption of the main window.
    static const QString kCaption;
    // The fixed height of the window as a whole, its title bar and frame
    // included.
    static constexpr int kHeightTwips = 8415;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Opens `path` at load instead of the dictionary beside the executable.
    void setDictionaryPath(std::string path) { m_dictionaryPath = std::move(path); }

    // The load sequence of the window. Returns false when the dictionary could
    // not be opened: the user was told why and the process was asked to end.
    bool load();

    Ui::MainWindow& ui() { return *m_ui; }
    documents::DocumentCommands& documentCommands() { return *m_documents; }
    documents::MirrorFile& mirrorFile() { return *m_mirror; }
    documents::DirectoryPanel& directoryPanel() { return *m_directoryPanel; }
    views::PaneEditCommands& editCommands() { return *m_editing; }
    shell::TranslationRun& translation() { return *m_translation; }
    shell::SidePanels& sidePanels() { return *m_panels; }
    shell::ColourPalettes& palettes() { return *m_palettes; }
    shell::StatusLine& statusLine() { return *m_statusLine; }
    // The full-screen view, once it was first opened (kept hidden between openings).
    FullScreenView* fullScreenView() const { return m_fullScreenView; }

    // The object whose slots carry out the routes of `target`.
    QObject* routeTarget(shell::RouteTarget target);
    // Every route taken so far as "object:slot", oldest first.
    const QStringList& routeLog() const;

public Q_SLOTS:
    void exitProgram();
    void showAbout();
    void showOptions();
    void openFullScreen();
    void noAction();
    void popupEnglishMenu();
    void popupThaiMenu();

    // The dictionary editor: from the menu at the first record, from the
    // arrangement list at the chosen line's word, from the missing-words list
    // in add mode with the chosen word typed in.
    void openDictionaryEditor();
    void editArrangementWord();
    void addMissingWord();

    // The hover look-up of the word under the pointer in the English pane.
    void showMeaningUnderPointer();

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Keeps the window's outer height at kHeightTwips: the part inside the
    // frame (menu bar, controls, status line) is that less the title bar and
    // frame the window manager adds, known once the window is shown. Where
    // the frame or the menu bar is taller than designed, the inside still
    // holds the whole layout, down to the lowest control.
    void keepFixedHeight();

    // How the next opening of the dictionary editor starts: set by the
    // double-clicks on the two lists, cleared when the editor closes.
    struct EditorOpeningFlags {
        bool openForMissingWord = false;
        bool openAtListWord = false;
        int listWordIndex = -1;
    };

    std::unique_ptr<Ui::MainWindow> m_ui;
    int m_layoutBottom = 0;  // the lowest edge of the controls under the menu bar
    std::string m_dictionaryPath;

    std::unique_ptr<documents::MirrorFile> m_mirror;
    std::unique_ptr<documents::DocumentCommands> m_documents;
    std::unique_ptr<views::PaneEditCommands> m_editing;
    std::unique_ptr<shell::TranslationRun> m_translation;
    std::unique_ptr<shell::SidePanels> m_panels;
    std::unique_ptr<shell::ColourPalettes> m_palettes;
    std::unique_ptr<shell::StatusLine> m_statusLine;
    shell::CommandRouter* m_router = nullptr;               // owned by the window
    documents::DirectoryPanel* m_directoryPanel = nullptr;  // owned by the drive box
    FullScreenView* m_fullScreenView = nullptr;             // owned by the window
    EditorOpeningFlags m_editorFlags;
};
