// The about window: a picture, the program's name and the dictionary data's
// source, and one button that closes it.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class Frmabout;
}

class Frmabout final : public QDialog {
    Q_OBJECT

public:
    explicit Frmabout(QWidget* parent = nullptr);
    ~Frmabout() override;

    Ui::Frmabout& ui() { return *m_ui; }

private:
    std::unique_ptr<Ui::Frmabout> m_ui;
};
