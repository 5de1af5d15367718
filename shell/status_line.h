// The bottom strip's status line and focus label: the line and character of
// the caret in the pane last used, and which pane has the keyboard focus.
#pragma once

#include <QObject>

class QPlainTextEdit;
namespace Ui {
class MainWindow;
}

namespace shell {

class StatusLine final : public QObject {
    Q_OBJECT

public:
    explicit StatusLine(Ui::MainWindow& ui, QObject* parent = nullptr);

    // Follows the keys and mouse releases in the panes. Called once the
    // command routes are wired, so the caret shows before a routed click runs.
    void watchPanes();

    // Text of the status line for a caret on `line` at character `column` (both from 1).
    static QString caretText(int line, int column);

public Q_SLOTS:
    // Shows the caret position of the English or the Thai pane.
    void showEnglishCaret();
    void showThaiCaret();
    // Names the pane that got the focus.
    void englishPaneFocused();
    void thaiPaneFocused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCaret(const QPlainTextEdit* pane);

    Ui::MainWindow& m_ui;
};

}  // namespace shell
