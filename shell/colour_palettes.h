// The pane colour swatches of the button bar and the two palettes that open
// beside them: preset backgrounds and a free colour for each document pane,
// stored at once in the settings.
#pragma once

#include <QColor>
#include <QObject>

class QPlainTextEdit;
class QWidget;
namespace Ui {
class MainWindow;
}
namespace settings {
struct SettingKey;
}

namespace shell {

// Sets the background colour of a document pane.
void setPaneBackground(QPlainTextEdit* pane, const QColor& color);

class ColourPalettes final : public QObject {
    Q_OBJECT

public:
    // Paints the preset swatches; colour dialogs open over `dialogParent`.
    ColourPalettes(Ui::MainWindow& ui, QWidget* dialogParent);

    // The two button-bar swatches show the panes' current backgrounds.
    void showPaneColours();

public Q_SLOTS:
    void showEnglishPalette();
    void showThaiPalette();
    void hidePalettes();
    // A preset swatch was pressed: its colour becomes the pane's background.
    void pickEnglishSwatch(QObject* swatch);
    void pickThaiSwatch(QObject* swatch);
    // The colour dialog chooses the pane's background.
    void chooseEnglishColour();
    void chooseThaiColour();

private:
    void pickSwatch(QObject* swatch, QPlainTextEdit* pane, QWidget* paneSwatch,
                    const settings::SettingKey& key);
    void chooseColour(QWidget* freeColour, QPlainTextEdit* pane, QWidget* paneSwatch,
                      const settings::SettingKey& key);

    Ui::MainWindow& m_ui;
    QWidget* m_dialogParent;
    QColor m_lastChosenColor = Qt::black;  // the colour dialog opens on its last colour
};

}  // namespace shell
