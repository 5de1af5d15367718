// Cut, copy, paste, select all and clear over a document pane and the
// system clipboard, as plain text.
#pragma once

class QClipboard;
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

}  // namespace views
