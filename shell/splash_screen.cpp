#include "shell/splash_screen.h"

#include <QGuiApplication>
#include <QScreen>

#include "shell/resources.h"
#include "ui_splash_screen.h"

SplashScreen::SplashScreen(std::function<void()> showMain, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_ui(std::make_unique<Ui::SplashScreen>()),
      m_showMain(std::move(showMain)) {
    shell::initResources();
    m_ui->setupUi(this);
    setFixedSize(size());
    setAttribute(Qt::WA_DeleteOnClose);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    m_timer.setObjectName(QStringLiteral("splashTimer"));
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &SplashScreen::showMainWindow);
    m_timer.start();
}

SplashScreen::~SplashScreen() = default;

void SplashScreen::showMainWindow() {
    if (m_timer.interval() != kIntervalMs) {
        return;
    }
    m_timer.stop();
    if (m_showMain) {
        m_showMain();
    }
    close();
}
