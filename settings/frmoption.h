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
class FrmOption;
}

class FrmOption final : public QDialog {
    Q_OBJECT

public:
    // `setPal` applies the stored options to the main window; `setSelectPalChecked`
    // sets the main window's translate-on-select check box. Either may be empty.
    FrmOption(std::function<void()> setPal, std::function<void(bool)> setSelectPalChecked,
              QWidget* parent = nullptr);
    ~FrmOption() override;

    // Loads every option from the settings store into the controls.
    void OptionPal();

    // Writes every option from the controls into the settings store, then sets
    // the main window's translate-on-select check box to chkselect's state.
    void SaveSet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One colour control: a swatch (background) or a sample (text colour).
    enum Swatch { kColorEn, kColorTh, kColorTxtEn, kColorTxtTh, kColorBeforePal, kSwatchCount };

    void Command1_Click();
    void Command5_Click();
    void Command3_Click();

    // Opens the colour dialog for swatch `s` and applies the colour it closes with.
    void chooseColor(Swatch s);
    // Shows stored colour value `stored` on swatch `s` and remembers it for SaveSet.
    void setSwatch(Swatch s, qint32 stored);
    QWidget* swatchWidget(Swatch s) const;

    std::unique_ptr<Ui::FrmOption> m_ui;
    std::function<void()> m_setPal;
    std::function<void(bool)> m_setSelectPalChecked;
    // The stored form of each swatch's colour, so a system colour is saved as
    // the same system colour rather than as today's red, green and blue.
    std::array<qint32, kSwatchCount> m_values{};
    // The colour dialog belongs to this window: it opens with the colour last
    // chosen in it since the window opened, black the first time.
    QColor m_dialogColor = Qt::black;
};
