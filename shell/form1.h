// The main translator window: the two document panes, menus, button bar,
// side panels, palettes, progress display and status line. It runs the
// translation engine on its own thread, yielding to the event loop as it goes.
#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <string>

#include "engine/host.h"
#include "engine/translator.h"
#include "shell/routing.h"
#include "shell/text_list.h"

namespace Ui {
class Form1;
}
class QPlainTextEdit;
class Form3;
namespace documents {
class DirectoryPanel;
class DocumentCommands;
class MirrorFile;
}  // namespace documents

// Window geometry is designed in twips; 15 twips make one logical pixel.
constexpr int twipsToPixels(int twips) {
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}
constexpr int pixelsToTwips(int pixels) {
    return pixels * 15;
}

class Form1 final : public QMainWindow, public engine::TranslationHost {
    Q_OBJECT

public:
    // The caption of the main window.
    static const QString kCaption;
    // The fixed window height.
    static constexpr int kHeightTwips = 8415;

    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Opens `path` at load instead of the dictionary beside the executable.
    void setDictionaryPath(std::string path) { m_dictionaryPath = std::move(path); }

    // The load sequence of the window. Returns false when the dictionary could
    // not be opened: the user was told why and the process was asked to end.
    bool Form_Load();

    Ui::Form1& ui() { return *m_ui; }
    // Document files, printing and the mirror of Rth; the directory panel.
    documents::DocumentCommands& documentCommands() { return *m_documents; }
    documents::MirrorFile& mirrorFile() { return *m_mirror; }
    documents::DirectoryPanel& directoryPanel() { return *m_directoryPanel; }
    // The full-screen view, once it was first opened (kept hidden between openings).
    Form3* fullScreenView() const { return m_form3; }
    engine::Translator& translator() { return m_translator; }
    TextListModel& arrangementModel() { return m_larrangModel; }
    TextListModel& missingWordModel() { return m_lnodataModel; }

    // Every route taken so far as "object:slot", oldest first.
    const QStringList& routeLog() const { return m_routeLog; }

    // Form-level state shared with the engine and the progress display.
    bool showMeaning() const { return m_showMeaning; }
    int progressPercent() const { return m_progressPercent; }
    int elapsedCount() const { return m_elapsedCount; }
    const QString& selectPal() const { return m_selectPal; }

    // Statistics of the last run: real yields and how often each bar was drawn.
    struct RunStats {
        long yields = 0;        // calls of yield()
        long eventPasses = 0;   // yields that processed events
        long percentDraws = 0;  // Timer1 draws of the percentage bar
        long timeDraws = 0;     // Timer2 draws of the elapsed-time bar
    };
    const RunStats& runStats() const { return m_stats; }

    // Events are processed at most once per `ms` milliseconds of a run (0: at
    // every yield); the cancel flag is still read after every character.
    void setYieldSliceMs(int ms) { m_yieldSliceMs = ms; }

    // engine::TranslationHost
    const dict::LookupView* lookupView() override;
    engine::WorkList& arrangementList() override { return m_larrangList; }
    engine::WorkList& missingWordList() override { return m_lnodataList; }
    void yield() override;
    bool cancelRequested() const override { return m_cancelRequested; }
    void clearCancelRequest() override { m_cancelRequested = false; }
    void setProgressPercent(int percent) override { m_progressPercent = percent; }
    void setPanelVisible(engine::Panel panel, bool visible) override;
    void setThaiText(const std::string& text) override;

public Q_SLOTS:
    // Starts a run with the progress panel and its timers; nothing when Ren is empty.
    void Processpal();
    // One translation run over Ren (or the captured selection).
    void Tran();
    // Applies the stored panel choices, meaning flag and pane colours.
    void setPal();
    // Document, printing and edit procedures, filled in by their own windows' code.
    void NewPal();
    void Open_File();
    void Saveen();
    void SaveTh();
    void Print_en();
    void Print_th();
    void SelectAll_en();
    void SelectAll_th();
    // The hover look-up of the word under the pointer in Ren.
    void RichWordOver();

    // Commands.
    void translateCommand();
    void cancelCommand();
    void exitProgram();
    void showAbout();
    void showOptions();
    void openFullScreen();
    void openEditor();
    void printerSetup();
    void noAction();
    void cut_en();
    void copy_en();
    void paste_en();
    void clear_en();
    void cut_th();
    void copy_th();
    void paste_th();
    void clear_th();

    // Panes and status line.
    void ShowPos_en();
    void ShowPos_th();
    void Ren_Click();
    void Ren_MouseMove();
    void Ren_GotFocus();
    void Rth_GotFocus();
    void popupEnglishMenu();
    void popupThaiMenu();
    void Larrang_DblClick();
    void LNodata_DblClick();

    // Side panels.
    void mnuwin_directory_Click();
    void Label6_Click();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Chkselectpal_Click();
    void Label8_Click();
    void Label11_Click();
    void hideMeaningPanel();

    // Palettes.
    void showEnglishPalette();
    void showThaiPalette();
    void hidePalettes();
    void pickEnglishSwatch();
    void pickThaiSwatch();
    void chooseEnglishColor();
    void chooseThaiColor();

    // Progress display.
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

public:
    QTimer& timer1() { return m_timer1; }
    QTimer& timer2() { return m_timer2; }
    QTimer& timer3() { return m_timer3; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void wireRoutes();
    void dispatch(const shell::Route& route, QObject* source);
    bool routeEvent(QObject* control, shell::RouteEvent kind);
    void showPos(QPlainTextEdit* pane);
    void setPaneGeometry(int leftTwips, int widthTwips);
    void setPaneBackground(QPlainTextEdit* pane, const QColor& color);
    void flushLists();
    void initSwatches();

    std::unique_ptr<Ui::Form1> m_ui;
    std::string m_dictionaryPath;

    TextListModel m_larrangModel;
    TextListModel m_lnodataModel;
    ListWorkList m_larrangList{m_larrangModel};
    ListWorkList m_lnodataList{m_lnodataModel};
    engine::Translator m_translator{*this};

    // Routes by control, then by event.
    QHash<QObject*, QList<const shell::Route*>> m_routesByObject;
    QStringList m_routeLog;
    QObject* m_routeSource = nullptr;

    QTimer m_timer1;  // percentage bar, 50 ms
    QTimer m_timer2;  // elapsed-time bar, 800 ms
    QTimer m_timer3;  // writing-panel animation, 100 ms

    bool m_cancelRequested = false;
    bool m_showMeaning = false;
    QString m_selectPal = QStringLiteral("0");
    int m_progressPercent = 0;
    int m_elapsedCount = 0;
    double m_percentBarWidth = 0;
    double m_percentBarHeight = 0;
    double m_timeBarWidth = 0;
    double m_timeBarHeight = 0;
    double m_percentFill = 0;
    double m_timeFill = 0;

    QColor m_lastChosenColor = Qt::black;  // the colour dialog opens on its last colour
    QElapsedTimer m_yieldClock;
    int m_yieldSliceMs = 8;
    RunStats m_stats;
    bool m_closeAfterRun = false;

    std::unique_ptr<documents::MirrorFile> m_mirror;
    std::unique_ptr<documents::DocumentCommands> m_documents;
    documents::DirectoryPanel* m_directoryPanel = nullptr;  // owned by Drive1
    Form3* m_form3 = nullptr;                                // owned by the window
};
