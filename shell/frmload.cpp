#include "shell/frmload.h"

#include <QGuiApplication>
#include <QScreen>

#include "shell/resources.h"
#include "ui_frmload.h"

frmload::frmload(std::function<void()> showMain, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_ui(std::make_unique<Ui::frmload>()),
      m_showMain(std::move(showMain)) {
    shell::initResources();
    m_ui->setupUi(this);
    setFixedSize(size());
    setAttribute(Qt::WA_DeleteOnClose);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &frmload::Timer1_Timer);
    m_timer.start();
}

frmload::~frmload() = default;

void frmload::Timer1_Timer() {
    if (m_timer.interval() != kIntervalMs) {
        return;
    }
    m_timer.stop();
    if (m_showMain) {
        m_showMain();
    }
    close();
}
