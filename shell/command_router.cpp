#include "shell/command_router.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QByteArray>
#include <QEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <utility>

namespace shell {
namespace {

// The route event an input event makes, if any: presses of the left and the
// right button, releases of the left one, and the events routed as they come.
std::optional<RouteEvent> routeEventOf(const QEvent& event) {
    static constexpr std::pair<QEvent::Type, RouteEvent> kAsTheyCome[] = {
        {QEvent::MouseButtonDblClick, RouteEvent::kDoubleClick},
        {QEvent::MouseMove, RouteEvent::kMouseMove},
        {QEvent::Enter, RouteEvent::kEnter},
        {QEvent::FocusIn, RouteEvent::kFocusIn},
    };
    const auto button = [&] { return static_cast<const QMouseEvent&>(event).button(); };
    if (event.type() == QEvent::MouseButtonPress) {
        if (button() == Qt::RightButton) return RouteEvent::kRightPress;
        if (button() == Qt::LeftButton) return RouteEvent::kPress;
        return std::nullopt;
    }
    if (event.type() == QEvent::MouseButtonRelease) {
        if (button() == Qt::LeftButton) return RouteEvent::kClick;
        return std::nullopt;
    }
    for (const auto& [type, routed] : kAsTheyCome) {
        if (event.type() == type) return routed;
    }
    return std::nullopt;
}

QByteArray signatureWithSource(const Route& route) {
    return QByteArray(route.slot) + "(QObject*)";
}

QByteArray signatureWithoutArguments(const Route& route) {
    return QByteArray(route.slot) + "()";
}

}  // namespace

CommandRouter::CommandRouter(QWidget* window, TargetLookup targets, std::span<const Route> routes)
    : QObject(window), m_window(window), m_targets(std::move(targets)) {
    for (const Route& route : routes) {
        wire(route);
    }
}

bool CommandRouter::hasSlot(const QObject* target, const Route& route) {
    const QMetaObject* meta = target->metaObject();
    return meta->indexOfSlot(signatureWithoutArguments(route).constData()) >= 0 ||
           meta->indexOfSlot(signatureWithSource(route).constData()) >= 0;
}

void CommandRouter::wire(const Route& route) {
    QObject* obj = m_window->findChild<QObject*>(QString::fromLatin1(route.object));
    if (obj == nullptr) {
        qWarning("CommandRouter: no control %s for a route", route.object);
        return;
    }
    const Route* r = &route;
    switch (route.event) {
        case RouteEvent::kTriggered:
            connect(qobject_cast<QAction*>(obj), &QAction::triggered, this,
                    [this, r, obj] { dispatch(*r, obj); });
            break;
        case RouteEvent::kClicked:
            connect(qobject_cast<QAbstractButton*>(obj), &QAbstractButton::clicked, this,
                    [this, r, obj] { dispatch(*r, obj); });
            break;
        case RouteEvent::kToggled:
            connect(qobject_cast<QAbstractButton*>(obj), &QAbstractButton::toggled, this,
                    [this, r, obj] { dispatch(*r, obj); });
            break;
        default: {
            // Pointer and focus events arrive through the event filter; the
            // panes and lists receive pointer events on their viewports.
            QObject* watched = obj;
            if (auto* area = qobject_cast<QAbstractScrollArea*>(obj);
                area && route.event != RouteEvent::kFocusIn) {
                watched = area->viewport();
            }
            if (route.event == RouteEvent::kMouseMove || route.event == RouteEvent::kEnter) {
                if (auto* w = qobject_cast<QWidget*>(watched)) w->setMouseTracking(true);
            }
            if (!m_routesByObject.contains(watched)) {
                watched->installEventFilter(this);
            }
            m_routesByObject[watched].append(r);
            break;
        }
    }
}

void CommandRouter::dispatch(const Route& route, QObject* source) {
    m_log.append(QString::fromLatin1(route.object) + QLatin1Char(':') +
                 QString::fromLatin1(route.slot));
    QObject* target = m_targets(route.target);
    if (target->metaObject()->indexOfSlot(signatureWithSource(route).constData()) >= 0) {
        QMetaObject::invokeMethod(target, route.slot, Qt::DirectConnection,
                                  Q_ARG(QObject*, source));
    } else {
        QMetaObject::invokeMethod(target, route.slot, Qt::DirectConnection);
    }
}

bool CommandRouter::routeEvent(QObject* control, RouteEvent kind) {
    const auto it = m_routesByObject.constFind(control);
    if (it == m_routesByObject.constEnd()) {
        return false;
    }
    bool routed = false;
    for (const Route* r : *it) {
        if (r->event != kind) {
            continue;
        }
        // An event on a pane's or list's viewport comes from the pane or list.
        QObject* source = control;
        if (auto* vp = qobject_cast<QWidget*>(control);
            vp && qobject_cast<QAbstractScrollArea*>(vp->parentWidget()) &&
            QString::fromLatin1(r->object) == vp->parentWidget()->objectName()) {
            source = vp->parentWidget();
        }
        if (kind == RouteEvent::kDoubleClick) {
            // A double-click opens a modal window. It opens once the pointer
            // events of the double-click have all been delivered, so no
            // nested event loop runs inside them and leaves the window's
            // mouse state behind (a later press could reach the old control).
            QPointer<QObject> from(source);
            QMetaObject::invokeMethod(
                this, [this, r, from] { dispatch(*r, from.data()); }, Qt::QueuedConnection);
        } else {
            dispatch(*r, source);
        }
        routed = true;
    }
    return routed;
}

bool CommandRouter::eventFilter(QObject* watched, QEvent* event) {
    if (const std::optional<RouteEvent> routed = routeEventOf(*event))
        routeEvent(watched, *routed);
    return QObject::eventFilter(watched, event);
}

}  // namespace shell
