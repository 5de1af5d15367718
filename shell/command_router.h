// Connects the controls of the main window to the commands of the route table:
// signals for menu items, buttons and check boxes, an event filter for
// pointer and focus events on labels, pictures, panes and lists.
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <span>

#include "shell/command_routes.h"

class QWidget;

namespace shell {

class CommandRouter final : public QObject {
    Q_OBJECT

public:
    // The object that carries out the commands of a route target.
    using TargetLookup = std::function<QObject*(RouteTarget)>;

    // Wires every route whose control is a child of `window`; `targets` is
    // asked for the target object each time a route runs.
    CommandRouter(QWidget* window, TargetLookup targets, std::span<const Route> routes);

    // Every route taken so far as "object:slot", oldest first.
    const QStringList& log() const { return m_log; }

    // True when `target` has the slot `route.slot` the route would run.
    static bool hasSlot(const QObject* target, const Route& route);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wire(const Route& route);
    void dispatch(const Route& route, QObject* source);
    // Runs the routes of `control` for `kind`; true when one ran.
    bool routeEvent(QObject* control, RouteEvent kind);

    QWidget* m_window;
    TargetLookup m_targets;
    // Routes answered through the event filter, by watched object.
    QHash<QObject*, QList<const Route*>> m_routesByObject;
    QStringList m_log;
};

}  // namespace shell
