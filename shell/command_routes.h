// Which user action on which control of the main window reaches which command,
// and which part of the window carries that command out. The window wires
// itself from this table, and nothing else.
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

// The part of the main window whose slot a route runs.
enum class RouteTarget {
    kWindow,       // MainWindow: other windows, right-click menus, exit, hover look-up
    kDocuments,    // documents::DocumentCommands: new, open, save, print
    kEditing,      // views::PaneEditCommands: cut, copy, paste, select all, clear
    kTranslation,  // shell::TranslationRun: translate, cancel, translate on select
    kPanels,       // shell::SidePanels: side panels and the option check boxes
    kPalettes,     // shell::ColourPalettes: pane colour swatches and palettes
    kStatusLine,   // shell::StatusLine: caret position and focus label
};

struct Route {
    const char* object;  // object name of the control, menu item or right-click item
    RouteEvent event;
    RouteTarget target;
    // Name of the target's slot that runs: it takes no argument, or the control
    // the action happened on (a QObject*).
    const char* slot;
};

// Every route of the main window.
std::span<const Route> mainWindowRoutes();

// Text name of an event, for messages.
const char* routeEventName(RouteEvent event);

}  // namespace shell
