// The main window's side panels and the check boxes that show them: the
// directory panel, the missing-words and word-arrangement panels, the meaning
// panel, and the translate-on-select choice. Each choice is stored at once.
#pragma once

#include <QObject>

namespace Ui {
class MainWindow;
}

namespace shell {

class SidePanels final : public QObject {
    Q_OBJECT

public:
    explicit SidePanels(Ui::MainWindow& ui, QObject* parent = nullptr);

    // Whether the word under the pointer is looked up (the meaning check box).
    bool showMeaning() const { return m_showMeaning; }

public Q_SLOTS:
    // Applies the stored panel choices, the meaning flag and the pane colours.
    void applyStoredSettings();

    // The window menu's item: shows or hides the directory panel, widening the
    // panes when it hides.
    void toggleDirectoryPanel();
    // The panel's own close mark.
    void closeDirectoryPanel();

    // The check boxes: show or hide their panel and store the choice.
    void toggleMissingWordsPanel();
    void toggleArrangementPanel();
    void toggleMeaningPanel();
    void toggleTranslateOnSelect();

    // The panels' close marks.
    void closeMissingWordsPanel();
    void closeArrangementPanel();
    void hideMeaningPanel();

private:
    void setPaneGeometry(int leftTwips, int widthTwips);

    Ui::MainWindow& m_ui;
    bool m_showMeaning = false;
};

}  // namespace shell
