#include "shell/frmabout.h"

#include "shell/resources.h"
#include "ui_frmabout.h"

Frmabout::Frmabout(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::Frmabout>()) {
    shell::initResources();
    m_ui->setupUi(this);
    setFixedSize(size());
    connect(m_ui->Command1, &QPushButton::clicked, this, &QDialog::accept);
}

Frmabout::~Frmabout() = default;
