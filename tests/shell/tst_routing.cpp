// Every route of the main window reaches its procedure, and every menu item,
// button and check box has a route.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSet>
#include <QtTest>

#include "shell/command_router.h"
#include "shell/command_routes.h"
#include "shell_fixture.h"

using shell::Route;
using shell::RouteEvent;

namespace {

QWidget* pointerTarget(QObject* obj) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(obj)) return area->viewport();
    return qobject_cast<QWidget*>(obj);
}

void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button) {
    const QPointF pos(3, 3);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent ev(type, pos, w->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &ev);
}

// Performs the user action of `route` on `obj`.
void fire(const Route& route, QObject* obj) {
    QWidget* w = pointerTarget(obj);
    switch (route.event) {
        case RouteEvent::kTriggered:
            qobject_cast<QAction*>(obj)->trigger();
            break;
        case RouteEvent::kClicked:
            qobject_cast<QAbstractButton*>(obj)->click();
            break;
        case RouteEvent::kToggled:
            qobject_cast<QAbstractButton*>(obj)->toggle();
            break;
        case RouteEvent::kPress:
            sendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton);
            break;
        case RouteEvent::kClick:
            sendMouse(w, QEvent::MouseButtonPress, Qt::LeftButton);
            sendMouse(w, QEvent::MouseButtonRelease, Qt::LeftButton);
            break;
        case RouteEvent::kRightPress:
            sendMouse(w, QEvent::MouseButtonPress, Qt::RightButton);
            break;
        case RouteEvent::kDoubleClick:
            sendMouse(w, QEvent::MouseButtonDblClick, Qt::LeftButton);
            break;
        case RouteEvent::kEnter: {
            QEnterEvent ev(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
            QCoreApplication::sendEvent(w, &ev);
            break;
        }
        case RouteEvent::kMouseMove:
            sendMouse(w, QEvent::MouseMove, Qt::NoButton);
            break;
        case RouteEvent::kFocusIn: {
            QFocusEvent ev(QEvent::FocusIn, Qt::MouseFocusReason);
            QCoreApplication::sendEvent(obj, &ev);
            break;
        }
    }
}

}  // namespace

class RoutingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyRouteReachesItsProcedure_data();
    void everyRouteReachesItsProcedure();
    void everyCommandHasARoute();
    void menuShortcuts_data();
    void menuShortcuts();
    void exitCommandsEndTheProcessAtOnce_data();
    void exitCommandsEndTheProcessAtOnce();
};

void RoutingTest::everyRouteReachesItsProcedure_data() {
    QTest::addColumn<int>("index");
    const auto routes = shell::mainWindowRoutes();
    for (int i = 0; i < static_cast<int>(routes.size()); ++i) {
        const Route& r = routes[static_cast<size_t>(i)];
        QTest::addRow("%s %s -> %s", r.object, shell::routeEventName(r.event), r.slot) << i;
    }
}

void RoutingTest::everyRouteReachesItsProcedure() {
    QFETCH(int, index);
    const Route& route = shell::mainWindowRoutes()[static_cast<size_t>(index)];
    shelltest::Fixture fx;
    QVERIFY(fx.load());

    QVERIFY2(shell::CommandRouter::hasSlot(fx.form->routeTarget(route.target), route), route.slot);
    QObject* obj = fx.form->findChild<QObject*>(QString::fromLatin1(route.object));
    QVERIFY2(obj != nullptr, route.object);

    const qsizetype before = fx.form->routeLog().size();
    shelltest::closeNextModal();
    fire(route, obj);
    QCoreApplication::processEvents();
    for (QMenu* menu : fx.form->findChildren<QMenu*>()) menu->hide();

    const QString expected =
        QString::fromLatin1(route.object) + QLatin1Char(':') + QString::fromLatin1(route.slot);
    QVERIFY2(fx.form->routeLog().mid(before).contains(expected), qPrintable(expected));
}

void RoutingTest::everyCommandHasARoute() {
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    QSet<QString> routed;
    for (const Route& r : shell::mainWindowRoutes()) routed.insert(QString::fromLatin1(r.object));

    QSet<QAction*> submenus;
    for (QMenu* menu : fx.form->findChildren<QMenu*>()) submenus.insert(menu->menuAction());
    int actions = 0;
    for (QAction* a : fx.form->findChildren<QAction*>()) {
        if (a->isSeparator() || submenus.contains(a) || a->objectName().isEmpty()) continue;
        ++actions;
        if (a->objectName() == QLatin1String("speakAction")) {
            // Shown checked and disabled; it has no action.
            QVERIFY(a->isChecked());
            QVERIFY(!a->isEnabled());
            continue;
        }
        QVERIFY2(routed.contains(a->objectName()), qPrintable(a->objectName()));
    }
    QCOMPARE(actions, 44);  // menu bar items plus both right-click menus
    for (QAbstractButton* b : fx.form->findChildren<QAbstractButton*>()) {
        // Qt's own buttons (the menu bar's extension, say) are named "qt_...".
        if (!b->objectName().isEmpty() && !b->objectName().startsWith(QLatin1String("qt_"))) {
            QVERIFY2(routed.contains(b->objectName()), qPrintable(b->objectName()));
        }
    }
    // The right-click menus never show in the menu bar.
    for (QAction* a : fx.form->menuBar()->actions()) {
        QVERIFY(!a->objectName().endsWith(QLatin1String("ContextMenu")));
        QVERIFY(a->menu() == nullptr || !a->menu()->objectName().endsWith("ContextMenu"));
    }
}

void RoutingTest::menuShortcuts_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QKeySequence>("keys");
    const std::pair<const char*, const char*> rows[] = {
        {"newAction", "Ctrl+N"},         {"openAction", "Ctrl+O"},
        {"exitAction", "Ctrl+Q"},        {"cutEnglishAction", "Ctrl+X"},
        {"copyEnglishAction", "Ctrl+C"}, {"pasteEnglishAction", "Ctrl+V"},
        {"translateAction", "F6"},       {"cancelAction", "F8"},
        {"usageAction", "F1"},           {"cutThaiAction", ""},
        {"copyThaiAction", ""},          {"pasteThaiAction", ""},
    };
    for (const auto& [item, keys] : rows) {
        QTest::newRow(item) << QString::fromLatin1(item) << QKeySequence(QString::fromLatin1(keys));
    }
}

void RoutingTest::menuShortcuts() {
    QFETCH(QString, item);
    QFETCH(QKeySequence, keys);
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    auto* action = fx.form->findChild<QAction*>(item);
    QVERIFY(action != nullptr);
    QCOMPARE(action->shortcut(), keys);
}

void RoutingTest::exitCommandsEndTheProcessAtOnce_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("menu") << QStringLiteral("exitAction");
    QTest::newRow("button") << QStringLiteral("exitButton");
}

void RoutingTest::exitCommandsEndTheProcessAtOnce() {
    QFETCH(QString, control);
    shelltest::Fixture fx;
    QVERIFY(fx.load());
    fx.ui().englishPane->setPlainText(QStringLiteral("unsaved text"));
    QObject* obj = fx.form->findChild<QObject*>(control);
    if (auto* a = qobject_cast<QAction*>(obj)) a->trigger();
    if (auto* b = qobject_cast<QAbstractButton*>(obj)) b->click();
    QCOMPARE(fx.platform().exitStatus(), std::optional<int>(0));
    // Nothing was asked before ending.
    QVERIFY(fx.platform().callsOf(platform::PlatformCall::Kind::kMessage).empty());
}

QTEST_MAIN(RoutingTest)
#include "tst_routing.moc"
