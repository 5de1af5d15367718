#include "settings/colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <optional>
#include <utility>

namespace settings {

namespace {

// The palette role (and colour group) that stands for a system display colour.
std::optional<std::pair<QPalette::ColorGroup, QPalette::ColorRole>> roleOf(int n) {
    using G = QPalette::ColorGroup;
    using R = QPalette::ColorRole;
    switch (n) {
        case 0:   // scroll bar
        case 15:  // button face
            return std::pair{G::Active, R::Button};
        case 1:   // desktop
        case 4:   // menu
        case 10:  // active border
        case 11:  // inactive border
        case 30:  // menu bar
            return std::pair{G::Active, R::Window};
        case 2:   // active caption
        case 13:  // highlight
        case 27:  // active caption gradient
        case 29:  // menu highlight
            return std::pair{G::Active, R::Highlight};
        case 3:   // inactive caption
        case 28:  // inactive caption gradient
            return std::pair{G::Inactive, R::Highlight};
        case 5:  // window background (text areas)
            return std::pair{G::Active, R::Base};
        case 6:   // window frame
        case 21:  // dark 3D shadow
            return std::pair{G::Active, R::Shadow};
        case 7:  // menu text
            return std::pair{G::Active, R::WindowText};
        case 8:  // window text
            return std::pair{G::Active, R::Text};
        case 9:   // caption text
        case 14:  // highlighted text
            return std::pair{G::Active, R::HighlightedText};
        case 12:  // application workspace
            return std::pair{G::Active, R::Mid};
        case 16:  // button shadow
            return std::pair{G::Active, R::Dark};
        case 17:  // grey text
            return std::pair{G::Disabled, R::Text};
        case 18:  // button text
            return std::pair{G::Active, R::ButtonText};
        case 19:  // inactive caption text
            return std::pair{G::Disabled, R::WindowText};
        case 20:  // button highlight
            return std::pair{G::Active, R::Light};
        case 22:  // 3D light
            return std::pair{G::Active, R::Midlight};
        case 23:  // tool tip text
            return std::pair{G::Active, R::ToolTipText};
        case 24:  // tool tip background
            return std::pair{G::Active, R::ToolTipBase};
        case 26:  // hot-tracked item
            return std::pair{G::Active, R::Link};
        default:
            return std::nullopt;
    }
}

}  // namespace

QColor colorFromStored(qint32 stored) {
    if (isSystemColor(stored)) {
        const int n = static_cast<int>(static_cast<quint32>(stored) & 0x7FFFFFFFu);
        const auto role = roleOf(n);
        if (!role) {
            return QColor(Qt::black);  // an unknown system colour number reads as black
        }
        const QPalette palette =
            QGuiApplication::instance() != nullptr ? QGuiApplication::palette() : QPalette();
        return palette.color(role->first, role->second);
    }
    const auto value = static_cast<quint32>(stored);
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

qint32 storedFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    const auto value = static_cast<quint32>(rgb.red()) | (static_cast<quint32>(rgb.green()) << 8) |
                       (static_cast<quint32>(rgb.blue()) << 16);
    return static_cast<qint32>(value);
}

QString colorText(const QColor& color) {
    return QString::number(storedFromColor(color));
}

QString colorText(qint32 stored) {
    return QString::number(stored);
}

qint32 storedFromText(const QString& text, qint32 fallback) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? static_cast<qint32>(value) : fallback;
}

}  // namespace settings
