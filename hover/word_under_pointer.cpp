#include "hover/word_under_pointer.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextLayout>

namespace hover {
namespace {

// Block under the point and the index within it of the character under the
// point, or nearest to it; the box type gives cursorForPosition and cursorRect.
template <class Box>
qsizetype characterUnder(const Box* box, QPoint pos, QTextBlock* blockOut) {
    const QTextCursor caret = box->cursorForPosition(pos);
    const QTextBlock block = caret.block();
    const QTextLayout* layout = block.layout();
    if (!block.isValid() || !layout || layout->lineCount() == 0) return -1;

    // The block's origin in viewport pixels, from the caret box at its start.
    QTextCursor start(block);
    const QRect startRect = box->cursorRect(start);
    const QTextLine first = layout->lineAt(0);
    const qreal originX = startRect.left() - first.cursorToX(0);
    const qreal originY = startRect.top() - first.y();
    const QPointF local(pos.x() - originX, pos.y() - originY);

    // The line that holds the point, or the nearest one when the point lies
    // above or below the text, so the nearest character is always found.
    int i = 0;
    while (i + 1 < layout->lineCount() && local.y() >= layout->lineAt(i + 1).y()) ++i;
    const QTextLine line = layout->lineAt(i);
    const int lineStart = line.textStart();
    const int lineEnd = lineStart + line.textLength();
    // The nearest caret position; the character under the point is the
    // one left of that caret when the caret lies right of the point.
    int c = line.xToCursor(local.x(), QTextLine::CursorBetweenCharacters);
    if (c > lineStart && line.cursorToX(c) > local.x()) --c;
    if (c > lineEnd) c = lineEnd;
    *blockOut = block;
    return c;
}

template <class Box>
qsizetype documentCharacterAt(const Box* box, QPoint pos) {
    QTextBlock block;
    const qsizetype k = characterUnder(box, pos, &block);
    return k < 0 ? -1 : block.position() + k;
}

template <class Box>
QString wordOver(const Box* box, QPoint pos) {
    QTextBlock block;
    const qsizetype k = characterUnder(box, pos, &block);
    // Words never cross a paragraph end, so the paragraph's own text is enough:
    // at its first character the character to the left is the paragraph break.
    if (k <= 0) return QString();
    return wordLeftOf(block.text(), k);
}

}  // namespace

QString wordLeftOf(QStringView text, qsizetype p) {
    if (p <= 0 || p > text.size()) return QString();
    qsizetype start = p - 1;
    if (!isWordChar(text[start].unicode())) return QString();
    while (start > 0 && isWordChar(text[start - 1].unicode())) --start;
    qsizetype end = p;
    while (end < text.size() && isWordChar(text[end].unicode())) ++end;
    return text.mid(start, end - start).toString();
}

qsizetype characterAt(const QPlainTextEdit* box, QPoint viewportPos) {
    return documentCharacterAt(box, viewportPos);
}

qsizetype characterAt(const QTextEdit* box, QPoint viewportPos) {
    return documentCharacterAt(box, viewportPos);
}

QString wordUnderPointer(const QPlainTextEdit* box, QPoint viewportPos) {
    return wordOver(box, viewportPos);
}

QString wordUnderPointer(const QTextEdit* box, QPoint viewportPos) {
    return wordOver(box, viewportPos);
}

}  // namespace hover
