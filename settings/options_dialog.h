// The options window: pane colours, the sample text colours, the translating
// colour and the translation choices. It loads every option from the settings
// store when it opens and writes them back on "ตกลง" or "เลือก". Create one
// for each opening (modal, e.g. exec() on a local object) and destroy it when
// it closes, so unsaved colour choices never survive a close.
#pragma once

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QWidget;

namespace Ui {
class OptionsDialog;
}

class OptionsDialog final : public QDialog {
    Q_OBJECT

public:
    // `applyStoredSettings` applies the stored options to the main window;
    // `setTranslateOnSelectChecked` sets the main window's translate-on-select check box. Either
    // may be empty.
    OptionsDialog(std::function<void()> applyStoredSettings,
                  std::function<void(bool)> setTranslateOnSelectChecked, QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // Loads every option from the settings store into the controls.
    void loadOptions();

    // Writes every option from the controls into the settings store, then sets
    // the main window's translate-on-select check box to translateOnSelectCheck's state.
    void saveOptions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One colour control: a swatch (background) or a sample (text colour).
    enum Swatch {
        kEnglishBackground,
        kThaiBackground,
        kEnglishTextColour,
        kThaiTextColour,
        kTranslatingBackground,
        kSwatchCount
    };

    void saveAndClose();
    void saveAndApply();
    void closeWithoutSaving();

    // Opens the colour dialog for swatch `s` and applies the colour it closes with.
    void chooseColor(Swatch s);
    // Shows stored colour value `stored` on swatch `s` and remembers it for saveOptions.
    void setSwatch(Swatch s, qint32 stored);
    QWidget* swatchWidget(Swatch s) const;

    std::unique_ptr<Ui::OptionsDialog> m_ui;
    std::function<void()> m_applyStoredSettings;
    std::function<void(bool)> m_setTranslateOnSelectChecked;
    // The stored form of each swatch's colour, so a system colour is saved as
    // the same system colour rather than as today's red, green and blue.
    std::array<qint32, kSwatchCount> m_values{};
    // The colour dialog belongs to this window: it opens with the colour last
    // chosen in it since the window opened, black the first time.
    QColor m_dialogColor = Qt::black;
};
