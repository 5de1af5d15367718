// Which user action on which control of the main window reaches which
// procedure. The window wires itself from this table, and nothing else.
#pragma once

#include <span>

namespace shell {

// The user action a route answers.
enum class RouteEvent {
    kTriggered,    // a menu or right-click item is chosen (QAction)
    kClicked,      // a button is clicked
    kToggled,      // a check box changes state, by the user or by code
    kPress,        // left-button press on a label or picture
    kClick,        // left-button release in a document pane
    kRightPress,   // right-button press in a document pane
    kDoubleClick,  // left-button double-click
    kEnter,        // the pointer enters the control
    kMouseMove,    // the pointer moves over the control
    kFocusIn,      // the control gets the keyboard focus
};

struct Route {
    const char* object;  // object name of the control, menu item or right-click item
    RouteEvent event;
    const char* slot;  // name of the Form1 slot that runs (no arguments)
};

// Every route of the main window.
std::span<const Route> form1Routes();

// Text name of an event, for messages.
const char* routeEventName(RouteEvent event);

}  // namespace shell
