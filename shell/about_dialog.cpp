#include "shell/about_dialog.h"

#include "shell/resources.h"
#include "ui_about_dialog.h"
#include "vantrel/build_info.h"

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::AboutDialog>()) {
    shell::initResources();
    m_ui->setupUi(this);
    setFixedSize(size());
    m_ui->versionLabel->setText(QStringLiteral("Version " VANTREL_VERSION));
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
}

AboutDialog::~AboutDialog() = default;
