// The platform of a running desktop program: real dialogs, the desktop's
// default applications and a real process exit.
#pragma once

#include "platform/platform.h"

namespace platform {

class DesktopPlatform final : public Platform {
public:
    Answer message(QWidget* parent, const QString& text, const QString& title, Buttons buttons,
                   Icon icon) override;
    std::optional<QString> inputText(QWidget* parent, const QString& prompt, const QString& title,
                                     const QString& initial) override;
    QColor chooseColor(QWidget* parent, const QColor& current) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter) override;
    PrintChoice print(QWidget* parent, QPrinter& printer, const PrintRequest& request) override;
    bool openWithDefaultApp(const QString& path) override;
    void exitProcess(int status) override;
};

// The title used when a message is given the empty title: the application's name.
QString defaultTitle();

}  // namespace platform
