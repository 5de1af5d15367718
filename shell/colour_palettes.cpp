#include "shell/colour_palettes.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QWidget>
#include <span>

#include "platform/platform.h"
#include "settings/colors.h"
#include "settings/keys.h"
#include "ui_main_window.h"

namespace shell {
namespace {

// Preset swatch colours as stored values (0x00BBGGRR).
constexpr qint32 rgbValue(int r, int g, int b) {
    return static_cast<qint32>(r | (g << 8) | (b << 16));
}
struct Preset {
    int index;
    qint32 value;
};
constexpr Preset kEnglishPresets[] = {
    {0, rgbValue(255, 255, 255)}, {1, rgbValue(224, 224, 224)}, {2, rgbValue(192, 192, 192)},
    {3, rgbValue(255, 192, 192)}, {4, rgbValue(255, 255, 192)}, {5, rgbValue(192, 255, 192)},
    {6, rgbValue(192, 192, 255)}, {7, rgbValue(255, 192, 255)}, {9, rgbValue(0, 192, 192)},
};
const Preset kThaiPresets[] = {
    {0, settings::systemColorValue(settings::kSysWindowBackground)},
    {1, rgbValue(224, 224, 224)},
    {2, rgbValue(192, 192, 192)},
    {3, rgbValue(255, 192, 192)},
    {4, rgbValue(255, 255, 192)},
    {5, rgbValue(192, 255, 192)},
    {6, rgbValue(0, 192, 192)},
    {7, rgbValue(192, 192, 255)},
    {8, rgbValue(255, 192, 255)},
};
constexpr char kStoredColorProperty[] = "storedColor";

void paintSwatch(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void paintPresets(QWidget* window, const QString& namePattern, std::span<const Preset> presets) {
    for (const Preset& p : presets) {
        QWidget* w = window->findChild<QWidget*>(namePattern.arg(p.index));
        w->setProperty(kStoredColorProperty, p.value);
        paintSwatch(w, settings::colorFromStored(p.value));
    }
}

}  // namespace

void setPaneBackground(QPlainTextEdit* pane, const QColor& color) {
    QPalette p = pane->palette();
    p.setColor(QPalette::Base, color);
    pane->setPalette(p);
}

ColourPalettes::ColourPalettes(Ui::MainWindow& ui, QWidget* dialogParent)
    : m_ui(ui), m_dialogParent(dialogParent) {
    paintPresets(dialogParent, QStringLiteral("englishPreset%1"), kEnglishPresets);
    paintPresets(dialogParent, QStringLiteral("thaiPreset%1"), kThaiPresets);
}

void ColourPalettes::showPaneColours() {
    paintSwatch(m_ui.englishSwatch, m_ui.englishPane->palette().color(QPalette::Base));
    paintSwatch(m_ui.thaiSwatch, m_ui.thaiPane->palette().color(QPalette::Base));
}

void ColourPalettes::showEnglishPalette() {
    m_ui.englishPalette->show();
    m_ui.englishPalette->raise();
    m_ui.thaiPalette->hide();
}

void ColourPalettes::showThaiPalette() {
    m_ui.thaiPalette->show();
    m_ui.thaiPalette->raise();
    m_ui.englishPalette->hide();
}

void ColourPalettes::hidePalettes() {
    m_ui.englishPalette->hide();
    m_ui.thaiPalette->hide();
}

void ColourPalettes::pickSwatch(QObject* swatch, QPlainTextEdit* pane, QWidget* paneSwatch,
                                const settings::SettingKey& key) {
    if (qobject_cast<QWidget*>(swatch) == nullptr) return;
    const qint32 value = swatch->property(kStoredColorProperty).toInt();
    setPaneBackground(pane, settings::colorFromStored(value));
    paintSwatch(paneSwatch, pane->palette().color(QPalette::Base));
    settings::saveSetting(key, settings::colorText(value));
}

void ColourPalettes::pickEnglishSwatch(QObject* swatch) {
    pickSwatch(swatch, m_ui.englishPane, m_ui.englishSwatch, settings::keys::kEnglishBackground);
}

void ColourPalettes::pickThaiSwatch(QObject* swatch) {
    pickSwatch(swatch, m_ui.thaiPane, m_ui.thaiSwatch, settings::keys::kThaiBackground);
}

void ColourPalettes::chooseColour(QWidget* freeColour, QPlainTextEdit* pane, QWidget* paneSwatch,
                                  const settings::SettingKey& key) {
    m_lastChosenColor = platform::platform().chooseColor(m_dialogParent, m_lastChosenColor);
    paintSwatch(freeColour, m_lastChosenColor);
    setPaneBackground(pane, m_lastChosenColor);
    paintSwatch(paneSwatch, m_lastChosenColor);
    settings::saveSetting(key, settings::colorText(m_lastChosenColor));
}

void ColourPalettes::chooseEnglishColour() {
    chooseColour(m_ui.englishFreeColour, m_ui.englishPane, m_ui.englishSwatch,
                 settings::keys::kEnglishBackground);
}

void ColourPalettes::chooseThaiColour() {
    chooseColour(m_ui.thaiFreeColour, m_ui.thaiPane, m_ui.thaiSwatch,
                 settings::keys::kThaiBackground);
}

}  // namespace shell
