// The splash window: one picture, shown until the first tick of its 1500 ms
// timer, which shows the main window and then closes the splash.
#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class SplashScreen;
}

class SplashScreen final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 1500;

    // `showMain` is run by the timer's tick, before the splash closes.
    explicit SplashScreen(std::function<void()> showMain, QWidget* parent = nullptr);
    ~SplashScreen() override;

    QTimer& timer() { return m_timer; }

public Q_SLOTS:
    // The tick: shows the main window, then unloads the splash.
    void showMainWindow();

private:
    std::unique_ptr<Ui::SplashScreen> m_ui;
    std::function<void()> m_showMain;
    QTimer m_timer;
};
