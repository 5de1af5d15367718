// The splash window: one picture, shown until the first tick of its 1500 ms
// timer, which shows the main window and then closes the splash.
#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class frmload;
}

class frmload final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 1500;

    // `showMain` is run by the timer's tick, before the splash closes.
    explicit frmload(std::function<void()> showMain, QWidget* parent = nullptr);
    ~frmload() override;

    QTimer& timer() { return m_timer; }

public Q_SLOTS:
    // The tick: shows the main window, then unloads the splash.
    void Timer1_Timer();

private:
    std::unique_ptr<Ui::frmload> m_ui;
    std::function<void()> m_showMain;
    QTimer m_timer;
};
