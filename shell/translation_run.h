// A translation from the main window: the engine host that feeds the side
// lists and writes the Thai pane, the progress panel with its two bars and
// timers, the writing-panel animation, and cancelling. The run happens on the
// window's own thread, yielding to the event loop as it goes.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <string_view>

#include "engine/host.h"
#include "engine/translator.h"
#include "shell/text_list.h"

class QWidget;
namespace Ui {
class MainWindow;
}

namespace shell {

class TranslationRun final : public QObject, public engine::TranslationHost {
    Q_OBJECT

public:
    // Runs over the controls of `ui`; messages open over `window`.
    TranslationRun(Ui::MainWindow& ui, QWidget* window);

    engine::Translator& translator() { return m_translator; }
    TextListModel& arrangementModel() { return m_arrangementModel; }
    TextListModel& missingWordsModel() { return m_missingWordsModel; }

    // Percent of the input scanned so far, and ticks of the elapsed-time bar.
    int progressPercent() const { return m_progressPercent; }
    int elapsedCount() const { return m_elapsedCount; }

    // The stored translate-on-select text, read at load and at every click in
    // the English pane ("1" translates the selection at once).
    const QString& translateOnSelectSetting() const { return m_translateOnSelectSetting; }
    void readTranslateOnSelectSetting();

    // Statistics of the last run: real yields and how often each bar was drawn.
    struct RunStats {
        long yields = 0;        // calls of yield()
        long eventPasses = 0;   // yields that processed events
        long percentDraws = 0;  // draws of the percentage bar
        long timeDraws = 0;     // draws of the elapsed-time bar
    };
    const RunStats& runStats() const { return m_stats; }

    // Events are processed at most once per `ms` milliseconds of a run (0: at
    // every yield); the cancel flag is still read after every character.
    void setYieldSliceMs(int ms) { m_yieldSliceMs = ms; }

    QTimer& percentTimer() { return m_percentTimer; }
    QTimer& elapsedTimer() { return m_elapsedTimer; }
    QTimer& writingTimer() { return m_writingTimer; }

    // When a run is going, asks it to stop and the window to close once it
    // has returned, and answers true; answers false when no run is going.
    bool closeWindowWhenStopped();

    // engine::TranslationHost
    const dict::LookupView* lookupView() override;
    engine::WorkList& arrangementList() override { return m_arrangementModel; }
    engine::WorkList& missingWordList() override { return m_missingWordsModel; }
    void yield() override;
    bool cancelRequested() const override { return m_cancelRequested; }
    void clearCancelRequest() override { m_cancelRequested = false; }
    void setProgressPercent(int percent) override { m_progressPercent = percent; }
    void setPanelVisible(engine::Panel panel, bool visible) override;
    void setThaiText(std::string_view text) override;

public Q_SLOTS:
    // The translate button and menu item: the button is disabled while it runs.
    void translateDocument();
    // Starts a run with the progress panel and its timers; nothing when the
    // English pane is empty or a run is going.
    void startTranslation();
    // One translation run over the English pane (or the captured selection).
    void runTranslation();
    // Asks whether to cancel; on yes the running translation stops.
    void cancelTranslation();
    // A click in the English pane captures its selection for the next run, and
    // translates it at once when translate-on-select is stored as "1".
    void captureSelection();

    // Timer ticks: the percentage bar, the elapsed-time bar, the writing animation.
    void advanceProgress();
    void advanceElapsedTime();
    void animateWritingPanel();

private:
    void flushLists();

    Ui::MainWindow& m_ui;
    QWidget* m_window;

    TextListModel m_arrangementModel;
    TextListModel m_missingWordsModel;
    engine::Translator m_translator{*this};

    QTimer m_percentTimer;  // percentage bar, 50 ms
    QTimer m_elapsedTimer;  // elapsed-time bar, 800 ms
    QTimer m_writingTimer;  // writing-panel animation, 100 ms

    bool m_cancelRequested = false;
    QString m_translateOnSelectSetting = QStringLiteral("0");
    int m_progressPercent = 0;
    int m_elapsedCount = 0;
    // The bars' sizes captured when a run starts, and their filled widths.
    double m_percentBarWidth = 0;
    double m_percentBarHeight = 0;
    double m_timeBarWidth = 0;
    double m_timeBarHeight = 0;
    double m_percentFill = 0;
    double m_timeFill = 0;

    QElapsedTimer m_yieldClock;
    int m_yieldSliceMs = 8;
    static constexpr int kYieldsPerClockRead = 64;
    int m_yieldsSinceClock = 0;
    RunStats m_stats;
    bool m_closeAfterRun = false;
};

}  // namespace shell
