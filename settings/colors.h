// Colours as the settings store keeps them: signed 32-bit values laid out
// 0x00BBGGRR (red in the low byte). A value with the top bit set,
// 0x80000000 + n, names the system's display colour number n instead.
#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>

namespace settings {

// System display colour numbers used by the program.
inline constexpr int kSysWindowBackground = 5;
inline constexpr int kSysWindowText = 8;
inline constexpr int kSysButtonFace = 15;
inline constexpr int kSysButtonText = 18;

// The stored value naming system display colour `n`.
constexpr qint32 systemColorValue(int n) {
    return static_cast<qint32>(0x80000000u | static_cast<quint32>(n));
}

// True when `stored` names a system display colour rather than red, green and blue.
constexpr bool isSystemColor(qint32 stored) {
    return stored < 0;
}

// The colour a stored value stands for; system colours come from the application palette.
QColor colorFromStored(qint32 stored);

// The stored value of a red, green and blue colour (alpha is dropped).
qint32 storedFromColor(const QColor& color);

// The stored value of `color` as signed decimal text, the form kept in the store.
QString colorText(const QColor& color);

// The stored text of a value (system colours included) as signed decimal text.
QString colorText(qint32 stored);

// Reads stored text as a colour value; text that is not a 32-bit number gives `fallback`.
qint32 storedFromText(const QString& text, qint32 fallback);

}  // namespace settings
