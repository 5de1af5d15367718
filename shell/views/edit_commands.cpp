#include "shell/views/edit_commands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocumentFragment>

namespace views {

namespace {

// The selection as plain text, with "\n" line ends rather than paragraph separators.
QString selectedPlainText(const QPlainTextEdit& pane) {
    const QTextCursor cursor = pane.textCursor();
    return cursor.hasSelection() ? cursor.selection().toPlainText() : QString();
}

}  // namespace

void cut(QPlainTextEdit& pane, QClipboard& clipboard) {
    clipboard.setText(selectedPlainText(pane));
    QTextCursor cursor = pane.textCursor();
    if (cursor.hasSelection()) {
        cursor.removeSelectedText();
        pane.setTextCursor(cursor);
    }
}

void copy(QPlainTextEdit& pane, QClipboard& clipboard) {
    clipboard.setText(selectedPlainText(pane));
}

void paste(QPlainTextEdit& pane, QClipboard& clipboard) {
    const QString text = clipboard.text();
    if (text.isEmpty()) {
        return;
    }
    QTextCursor cursor = pane.textCursor();
    cursor.insertText(text);
    pane.setTextCursor(cursor);
}

void selectAll(QPlainTextEdit& pane) {
    pane.selectAll();
    pane.setFocus();
}

void clear(QPlainTextEdit& pane) {
    pane.setPlainText(QString());
    pane.setFocus();
}

PaneEditCommands::PaneEditCommands(QPlainTextEdit& englishPane, QPlainTextEdit& thaiPane)
    : m_english(englishPane), m_thai(thaiPane) {}

}  // namespace views
