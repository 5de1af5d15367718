#include "settings/colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace settings {

namespace {

using G = QPalette::ColorGroup;
using R = QPalette::ColorRole;

struct SystemRole {
    G group;
    R role;
};

// The palette role (and colour group) that stands for each system display
// colour, by its number; NoRole where none does.
constexpr std::array<SystemRole, 31> kSystemRoles{{
    {G::Active, R::Button},           // 0 scroll bar
    {G::Active, R::Window},           // 1 desktop
    {G::Active, R::Highlight},        // 2 active caption
    {G::Inactive, R::Highlight},      // 3 inactive caption
    {G::Active, R::Window},           // 4 menu
    {G::Active, R::Base},             // 5 window background (text areas)
    {G::Active, R::Shadow},           // 6 window frame
    {G::Active, R::WindowText},       // 7 menu text
    {G::Active, R::Text},             // 8 window text
    {G::Active, R::HighlightedText},  // 9 caption text
    {G::Active, R::Window},           // 10 active border
    {G::Active, R::Window},           // 11 inactive border
    {G::Active, R::Mid},              // 12 application workspace
    {G::Active, R::Highlight},        // 13 highlight
    {G::Active, R::HighlightedText},  // 14 highlighted text
    {G::Active, R::Button},           // 15 button face
    {G::Active, R::Dark},             // 16 button shadow
    {G::Disabled, R::Text},           // 17 grey text
    {G::Active, R::ButtonText},       // 18 button text
    {G::Disabled, R::WindowText},     // 19 inactive caption text
    {G::Active, R::Light},            // 20 button highlight
    {G::Active, R::Shadow},           // 21 dark 3D shadow
    {G::Active, R::Midlight},         // 22 3D light
    {G::Active, R::ToolTipText},      // 23 tool tip text
    {G::Active, R::ToolTipBase},      // 24 tool tip background
    {G::Active, R::NoRole},           // 25 (no colour)
    {G::Active, R::Link},             // 26 hot-tracked item
    {G::Active, R::Highlight},        // 27 active caption gradient
    {G::Inactive, R::Highlight},      // 28 inactive caption gradient
    {G::Active, R::Highlight},        // 29 menu highlight
    {G::Active, R::Window},           // 30 menu bar
}};

}  // namespace

QColor colorFromStored(qint32 stored) {
    if (isSystemColor(stored)) {
        const quint32 n = static_cast<quint32>(stored) & 0x7FFFFFFFu;
        if (n >= kSystemRoles.size() || kSystemRoles[n].role == R::NoRole) {
            return QColor(Qt::black);  // an unknown system colour number reads as black
        }
        const QPalette palette =
            QGuiApplication::instance() != nullptr ? QGuiApplication::palette() : QPalette();
        return palette.color(kSystemRoles[n].group, kSystemRoles[n].role);
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
