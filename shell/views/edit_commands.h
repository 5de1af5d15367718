// Cut, copy, paste, select all and clear over a document pane and the
// system clipboard, as plain text.
#pragma once

#include <QClipboard>
#include <QGuiApplication>
#include <QObject>

class QPlainTextEdit;

namespace views {

// Puts the selection on the clipboard (empty text when nothing is selected)
// and removes it from the pane; the focus stays where it is.
void cut(QPlainTextEdit& pane, QClipboard& clipboard);

// Puts the selection on the clipboard (empty text when nothing is selected).
void copy(QPlainTextEdit& pane, QClipboard& clipboard);

// Replaces the selection (or inserts at the caret) with the clipboard's text,
// leaving the caret after it; an empty clipboard changes nothing.
void paste(QPlainTextEdit& pane, QClipboard& clipboard);

// Selects the whole text and gives the pane the focus.
void selectAll(QPlainTextEdit& pane);

// Empties the pane and gives it the focus.
void clear(QPlainTextEdit& pane);

// The edit menus' and right-click menus' commands over the two document
// panes of the main window and the application's clipboard.
class PaneEditCommands final : public QObject {
    Q_OBJECT

public:
    PaneEditCommands(QPlainTextEdit& englishPane, QPlainTextEdit& thaiPane);

public Q_SLOTS:
    void cutEnglish() { cut(m_english, clipboard()); }
    void copyEnglish() { copy(m_english, clipboard()); }
    void pasteEnglish() { paste(m_english, clipboard()); }
    void selectAllEnglish() { selectAll(m_english); }
    void clearEnglish() { clear(m_english); }
    void cutThai() { cut(m_thai, clipboard()); }
    void copyThai() { copy(m_thai, clipboard()); }
    void pasteThai() { paste(m_thai, clipboard()); }
    void selectAllThai() { selectAll(m_thai); }
    void clearThai() { clear(m_thai); }

private:
    static QClipboard& clipboard() { return *QGuiApplication::clipboard(); }

    QPlainTextEdit& m_english;
    QPlainTextEdit& m_thai;
};

}  // namespace views
