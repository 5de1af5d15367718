#include "settings/options_dialog.h"

#include <QEvent>
#include <QPalette>

#include "platform/platform.h"
#include "settings/colors.h"
#include "settings/keys.h"
#include "ui_options_dialog.h"

namespace {

bool isChecked(const settings::SettingKey& k) {
    return settings::getNumber(k) != 0;
}

}  // namespace

OptionsDialog::OptionsDialog(std::function<void()> applyStoredSettings,
                             std::function<void(bool)> setTranslateOnSelectChecked, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::OptionsDialog>()),
      m_applyStoredSettings(std::move(applyStoredSettings)),
      m_setTranslateOnSelectChecked(std::move(setTranslateOnSelectChecked)) {
    m_ui->setupUi(this);
    for (int s = 0; s < kSwatchCount; ++s) {
        swatchWidget(static_cast<Swatch>(s))->installEventFilter(this);
    }
    connect(m_ui->okButton, &QPushButton::clicked, this, &OptionsDialog::saveAndClose);
    connect(m_ui->applyButton, &QPushButton::clicked, this, &OptionsDialog::saveAndApply);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &OptionsDialog::closeWithoutSaving);
    loadOptions();
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::loadOptions() {
    namespace k = settings::keys;
    const auto colour = settings::getColorValue;
    const qint32 englishBackground = colour(k::kEnglishBackground);
    const qint32 thaiBackground = colour(k::kThaiBackground);
    const qint32 englishText = colour(k::kEnglishTextColour);
    const qint32 thaiText = colour(k::kThaiTextColour);
    const qint32 translatingBackground = colour(k::kTranslatingBackground);
    const bool useTranslatingBackground = isChecked(k::kUseTranslatingBackground);
    const bool translateOnSelect = isChecked(k::kTranslateOnSelect);
    const bool sound = isChecked(k::kSoundWhenDone);
    const bool reportMissingWords = isChecked(k::kReportMissingWords);

    m_ui->soundCheck->setChecked(sound);
    m_ui->translateOnSelectCheck->setChecked(translateOnSelect);
    m_ui->reportMissingWordsCheck->setChecked(reportMissingWords);

    setSwatch(kTranslatingBackground, translatingBackground);
    setSwatch(kEnglishBackground, englishBackground);
    setSwatch(kThaiBackground, thaiBackground);
    setSwatch(kEnglishTextColour, englishText);
    setSwatch(kThaiTextColour, thaiText);

    m_ui->translatingBackgroundCheck->setChecked(useTranslatingBackground);
}

void OptionsDialog::saveOptions() {
    namespace k = settings::keys;
    settings::saveSetting(k::kEnglishBackground, settings::colorText(m_values[kEnglishBackground]));
    settings::saveSetting(k::kThaiBackground, settings::colorText(m_values[kThaiBackground]));
    settings::saveSetting(k::kEnglishTextColour, settings::colorText(m_values[kEnglishTextColour]));
    settings::saveSetting(k::kThaiTextColour, settings::colorText(m_values[kThaiTextColour]));
    settings::saveSetting(k::kTranslatingBackground,
                          settings::colorText(m_values[kTranslatingBackground]));
    settings::saveFlag(k::kUseTranslatingBackground, m_ui->translatingBackgroundCheck->isChecked());
    settings::saveFlag(k::kTranslateOnSelect, m_ui->translateOnSelectCheck->isChecked());
    settings::saveFlag(k::kSoundWhenDone, m_ui->soundCheck->isChecked());
    settings::saveFlag(k::kReportMissingWords, m_ui->reportMissingWordsCheck->isChecked());
    if (m_setTranslateOnSelectChecked) {
        m_setTranslateOnSelectChecked(m_ui->translateOnSelectCheck->isChecked());
    }
}

void OptionsDialog::saveAndClose() {
    saveOptions();
    if (m_applyStoredSettings) {
        m_applyStoredSettings();
    }
    accept();
}

void OptionsDialog::saveAndApply() {
    saveOptions();
    if (m_applyStoredSettings) {
        m_applyStoredSettings();
    }
}

void OptionsDialog::closeWithoutSaving() {
    reject();
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
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

void OptionsDialog::chooseColor(Swatch s) {
    // The dialog is not preset from the swatch: it opens with the colour last
    // chosen in it, and the colour it holds when it closes is applied.
    m_dialogColor = platform::platform().chooseColor(this, m_dialogColor);
    setSwatch(s, settings::storedFromColor(m_dialogColor));
}

void OptionsDialog::setSwatch(Swatch s, qint32 stored) {
    m_values[s] = stored;
    QWidget* widget = swatchWidget(s);
    QPalette palette = widget->palette();
    const QColor color = settings::colorFromStored(stored);
    if (s == kEnglishTextColour || s == kThaiTextColour) {
        palette.setColor(QPalette::Text, color);
    } else {
        palette.setColor(QPalette::Window, color);
    }
    widget->setPalette(palette);
}

QWidget* OptionsDialog::swatchWidget(Swatch s) const {
    switch (s) {
        case kEnglishBackground:
            return m_ui->englishBackgroundSwatch;
        case kThaiBackground:
            return m_ui->thaiBackgroundSwatch;
        case kEnglishTextColour:
            return m_ui->englishTextSample;
        case kThaiTextColour:
            return m_ui->thaiTextSample;
        case kTranslatingBackground:
        case kSwatchCount:
            break;
    }
    return m_ui->translatingBackgroundSwatch;
}
