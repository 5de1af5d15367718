// The about window: a picture, the program's name and the dictionary data's
// source, the version, and one button that closes it.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDialog;
}

class AboutDialog final : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    Ui::AboutDialog& ui() { return *m_ui; }

private:
    std::unique_ptr<Ui::AboutDialog> m_ui;
};
