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

namespace shell {
namespace {

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
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::RightButton) {
                routeEvent(watched, RouteEvent::kRightPress);
            } else if (me->button() == Qt::LeftButton) {
                routeEvent(watched, RouteEvent::kPress);
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                routeEvent(watched, RouteEvent::kClick);
            }
            break;
        case QEvent::MouseButtonDblClick:
            routeEvent(watched, RouteEvent::kDoubleClick);
            break;
        case QEvent::MouseMove:
            routeEvent(watched, RouteEvent::kMouseMove);
            break;
        case QEvent::Enter:
            routeEvent(watched, RouteEvent::kEnter);
            break;
        case QEvent::FocusIn:
            routeEvent(watched, RouteEvent::kFocusIn);
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace shell
