// The English word under the mouse pointer in a text pane: the character
// under the point, then a scan over the word characters around the character
// to its left.
#pragma once

#include <QPoint>
#include <QString>
#include <QStringView>

class QPlainTextEdit;
class QTextEdit;

namespace hover {

// True for the characters a hover word is made of: ASCII letters, digits and "_".
constexpr bool isWordChar(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
}

// The run of word characters around text[p - 1] (the character left of the one
// at index p), or the empty text when p <= 0 or that character is no word
// character.
QString wordLeftOf(QStringView text, qsizetype p);

// Index in the document of the character whose box holds the point (viewport
// pixels), or of the nearest one: a point right of a line's text gives the
// index that ends the line, one below the text a character of the last line.
// -1 for an empty layout.
qsizetype characterAt(const QPlainTextEdit* box, QPoint viewportPos);
qsizetype characterAt(const QTextEdit* box, QPoint viewportPos);

// The word of the box at the point (viewport pixels): wordLeftOf applied to
// the character under it. Reads only the paragraph under the point.
QString wordUnderPointer(const QPlainTextEdit* box, QPoint viewportPos);
QString wordUnderPointer(const QTextEdit* box, QPoint viewportPos);

}  // namespace hover
