#include "shell/status_line.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include "ui_main_window.h"

namespace shell {

StatusLine::StatusLine(Ui::MainWindow& ui, QObject* parent) : QObject(parent), m_ui(ui) {}

void StatusLine::watchPanes() {
    for (QPlainTextEdit* pane : {m_ui.englishPane, m_ui.thaiPane}) {
        pane->installEventFilter(this);
        pane->viewport()->installEventFilter(this);
    }
}

QString StatusLine::caretText(int line, int column) {
    return QStringLiteral("  ( บรรทัดที่   ") + QString::number(line) +
           QStringLiteral("     ตัวอักษรที่    ") + QString::number(column) + QStringLiteral(")  ");
}

void StatusLine::showCaret(const QPlainTextEdit* pane) {
    // The caret is the end of the selection; lines are the pane's text lines.
    const int p = pane->textCursor().selectionEnd();
    const QTextBlock block = pane->document()->findBlock(p);
    m_ui.statusLabel->setText(caretText(block.blockNumber() + 1, p - block.position() + 1));
}

void StatusLine::showEnglishCaret() {
    showCaret(m_ui.englishPane);
}

void StatusLine::showThaiCaret() {
    showCaret(m_ui.thaiPane);
}

void StatusLine::englishPaneFocused() {
    m_ui.focusLabel->setText(QStringLiteral("เอกสารสำหรับแปล"));
}

void StatusLine::thaiPaneFocused() {
    m_ui.focusLabel->setText(QStringLiteral("เอกสารคำแปล"));
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
    const bool inEnglish = watched == m_ui.englishPane || watched == m_ui.englishPane->viewport();
    const bool inThai = watched == m_ui.thaiPane || watched == m_ui.thaiPane->viewport();
    switch (event->type()) {
        case QEvent::MouseButtonRelease:
            if (inEnglish) showEnglishCaret();
            break;
        case QEvent::KeyPress:
            // The caret moves after the key is handled; show it once it has.
            if (inEnglish) {
                QTimer::singleShot(0, this, &StatusLine::showEnglishCaret);
            } else if (inThai) {
                QTimer::singleShot(0, this, &StatusLine::showThaiCaret);
            }
            break;
        case QEvent::KeyRelease:
            if (inEnglish) showEnglishCaret();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace shell
