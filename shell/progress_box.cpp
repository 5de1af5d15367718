#include "shell/progress_box.h"

#include <QFontMetrics>
#include <QPainter>

ProgressBox::ProgressBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressBox::draw(double fillWidth, const QString& text, const QColor& fillColor,
                       const QColor& textColor) {
    m_fill = fillWidth;
    m_text = text;
    m_fillColor = fillColor;
    m_textColor = textColor;
    update();
}

void ProgressBox::paintEvent(QPaintEvent*) {
    ++m_paintCount;
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (m_fill > 0) {
        p.fillRect(QRectF(0, 0, m_fill, height()), m_fillColor);
    }
    if (!m_text.isEmpty()) {
        // Centred horizontally on the text's own width and vertically on the
        // height of a digit, so the label does not jump as the number changes.
        const QFontMetrics fm(font());
        const int textWidth = fm.horizontalAdvance(m_text);
        const QRect digit = fm.tightBoundingRect(QStringLiteral("0"));
        const int x = (width() - textWidth) / 2;
        const int y = (height() + digit.height()) / 2;
        p.setPen(m_textColor);
        p.drawText(x, y, m_text);
    }
    p.setPen(QColor(128, 128, 128));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
