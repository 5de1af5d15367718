#include "settings/frmoption.h"

#include <QEvent>
#include <QPalette>

#include "platform/platform.h"
#include "settings/colors.h"
#include "settings/keys.h"
#include "ui_frmoption.h"

namespace {

bool isChecked(const settings::SettingKey& k) {
    return settings::getNumber(k) != 0;
}

}  // namespace

FrmOption::FrmOption(std::function<void()> setPal, std::function<void(bool)> setSelectPalChecked,
                     QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::FrmOption>()),
      m_setPal(std::move(setPal)),
      m_setSelectPalChecked(std::move(setSelectPalChecked)) {
    m_ui->setupUi(this);
    for (int s = 0; s < kSwatchCount; ++s) {
        swatchWidget(static_cast<Swatch>(s))->installEventFilter(this);
    }
    connect(m_ui->Command1, &QPushButton::clicked, this, &FrmOption::Command1_Click);
    connect(m_ui->Command5, &QPushButton::clicked, this, &FrmOption::Command5_Click);
    connect(m_ui->Command3, &QPushButton::clicked, this, &FrmOption::Command3_Click);
    OptionPal();
}

FrmOption::~FrmOption() = default;

void FrmOption::OptionPal() {
    namespace k = settings::keys;
    const auto colour = settings::getColorValue;
    const qint32 colorEn = colour(k::kColorEn);
    const qint32 colorTh = colour(k::kColorTh);
    const qint32 colorTxtEn = colour(k::kColorTxtEn);
    const qint32 colorTxtTh = colour(k::kColorTxtTh);
    const qint32 colorBeforePal = colour(k::kColorBeforePal);
    const bool beforePal = isChecked(k::kChkBeforePal);
    const bool selectPal = isChecked(k::kSelectPal);
    const bool sound = isChecked(k::kSound);
    const bool dataFound = isChecked(k::kDataFound);

    m_ui->chksound->setChecked(sound);
    m_ui->chkselect->setChecked(selectPal);
    m_ui->chkdata->setChecked(dataFound);

    setSwatch(kColorBeforePal, colorBeforePal);
    setSwatch(kColorEn, colorEn);
    setSwatch(kColorTh, colorTh);
    setSwatch(kColorTxtEn, colorTxtEn);
    setSwatch(kColorTxtTh, colorTxtTh);

    m_ui->chkbepal->setChecked(beforePal);
}

void FrmOption::SaveSet() {
    namespace k = settings::keys;
    settings::saveSetting(k::kColorEn, settings::colorText(m_values[kColorEn]));
    settings::saveSetting(k::kColorTh, settings::colorText(m_values[kColorTh]));
    settings::saveSetting(k::kColorTxtEn, settings::colorText(m_values[kColorTxtEn]));
    settings::saveSetting(k::kColorTxtTh, settings::colorText(m_values[kColorTxtTh]));
    settings::saveSetting(k::kColorBeforePal, settings::colorText(m_values[kColorBeforePal]));
    settings::saveFlag(k::kChkBeforePal, m_ui->chkbepal->isChecked());
    settings::saveFlag(k::kSelectPal, m_ui->chkselect->isChecked());
    settings::saveFlag(k::kSound, m_ui->chksound->isChecked());
    settings::saveFlag(k::kDataFound, m_ui->chkdata->isChecked());
    if (m_setSelectPalChecked) {
        m_setSelectPalChecked(m_ui->chkselect->isChecked());
    }
}

void FrmOption::Command1_Click() {
    SaveSet();
    if (m_setPal) {
        m_setPal();
    }
    accept();
}

void FrmOption::Command5_Click() {
    SaveSet();
    if (m_setPal) {
        m_setPal();
    }
}

void FrmOption::Command3_Click() {
    reject();
}

bool FrmOption::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int s = 0; s < kSwatchCount; ++s) {
            if (watched == swatchWidget(static_cast<Swatch>(s))) {
                chooseColor(static_cast<Swatch>(s));
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmOption::chooseColor(Swatch s) {
    // The dialog is not preset from the swatch: it opens with the colour last
    // chosen in it, and the colour it holds when it closes is applied.
    m_dialogColor = platform::platform().chooseColor(this, m_dialogColor);
    setSwatch(s, settings::storedFromColor(m_dialogColor));
}

void FrmOption::setSwatch(Swatch s, qint32 stored) {
    m_values[s] = stored;
    QWidget* widget = swatchWidget(s);
    QPalette palette = widget->palette();
    const QColor color = settings::colorFromStored(stored);
    if (s == kColorTxtEn || s == kColorTxtTh) {
        palette.setColor(QPalette::Text, color);
    } else {
        palette.setColor(QPalette::Window, color);
    }
    widget->setPalette(palette);
}

QWidget* FrmOption::swatchWidget(Swatch s) const {
    switch (s) {
        case kColorEn:
            return m_ui->colorben;
        case kColorTh:
            return m_ui->ColorbTh;
        case kColorTxtEn:
            return m_ui->Colorten;
        case kColorTxtTh:
            return m_ui->Colortth;
        case kColorBeforePal:
        case kSwatchCount:
            break;
    }
    return m_ui->ColorBefopal;
}
