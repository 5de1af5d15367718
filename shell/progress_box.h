// A drawing box for the progress panel: cleared, then a filled bar from the
// left edge and a text centred in the box, as the timers draw it.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class ProgressBox final : public QWidget {
    Q_OBJECT

public:
    explicit ProgressBox(QWidget* parent = nullptr);

    // Clears the box and draws a bar `fillWidth` pixels wide (clipped to the
    // box) in `fillColor` with `text` centred on it in `textColor`.
    void draw(double fillWidth, const QString& text, const QColor& fillColor,
              const QColor& textColor);

    double fillWidth() const { return m_fill; }
    const QString& text() const { return m_text; }
    // How often the box was actually painted on screen.
    int paintCount() const { return m_paintCount; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_fill = 0;
    QString m_text;
    QColor m_fillColor;
    QColor m_textColor;
    int m_paintCount = 0;
};
