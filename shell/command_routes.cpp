#include "shell/command_routes.h"

namespace shell {
namespace {

using E = RouteEvent;
using T = RouteTarget;

constexpr Route kRoutes[] = {
    // File menu.
    {"newAction", E::kTriggered, T::kDocuments, "newDocument"},
    {"openAction", E::kTriggered, T::kDocuments, "openDocument"},
    {"saveEnglishAction", E::kTriggered, T::kDocuments, "saveEnglish"},
    {"saveThaiAction", E::kTriggered, T::kDocuments, "saveThai"},
    {"printerSetupAction", E::kTriggered, T::kDocuments, "printerSetup"},
    {"printEnglishAction", E::kTriggered, T::kDocuments, "printEnglish"},
    {"printThaiAction", E::kTriggered, T::kDocuments, "printThai"},
    {"exitAction", E::kTriggered, T::kWindow, "exitProgram"},
    // Edit menu, English pane.
    {"cutEnglishAction", E::kTriggered, T::kEditing, "cutEnglish"},
    {"copyEnglishAction", E::kTriggered, T::kEditing, "copyEnglish"},
    {"pasteEnglishAction", E::kTriggered, T::kEditing, "pasteEnglish"},
    {"selectAllEnglishAction", E::kTriggered, T::kEditing, "selectAllEnglish"},
    {"clearEnglishAction", E::kTriggered, T::kEditing, "clearEnglish"},
    // Edit menu, Thai pane.
    {"cutThaiAction", E::kTriggered, T::kEditing, "cutThai"},
    {"copyThaiAction", E::kTriggered, T::kEditing, "copyThai"},
    {"pasteThaiAction", E::kTriggered, T::kEditing, "pasteThai"},
    {"selectAllThaiAction", E::kTriggered, T::kEditing, "selectAllThai"},
    {"clearThaiAction", E::kTriggered, T::kEditing, "clearThai"},
    // Translation menu (speakAction is checked, disabled and does nothing).
    {"translateAction", E::kTriggered, T::kTranslation, "translateDocument"},
    {"cancelAction", E::kTriggered, T::kTranslation, "cancelTranslation"},
    {"optionsAction", E::kTriggered, T::kWindow, "showOptions"},
    // Dictionary, windows and help menus.
    {"editDictionaryAction", E::kTriggered, T::kWindow, "openDictionaryEditor"},
    {"directoryPanelAction", E::kTriggered, T::kPanels, "toggleDirectoryPanel"},
    {"usageAction", E::kTriggered, T::kWindow, "noAction"},
    {"aboutAction", E::kTriggered, T::kWindow, "showAbout"},
    // Right-click menu of the English pane.
    {"translateContextAction", E::kTriggered, T::kTranslation, "startTranslation"},
    {"cancelContextAction", E::kTriggered, T::kTranslation, "cancelTranslation"},
    {"cutEnglishContextAction", E::kTriggered, T::kEditing, "cutEnglish"},
    {"copyEnglishContextAction", E::kTriggered, T::kEditing, "copyEnglish"},
    {"pasteEnglishContextAction", E::kTriggered, T::kEditing, "pasteEnglish"},
    {"selectAllEnglishContextAction", E::kTriggered, T::kEditing, "selectAllEnglish"},
    {"clearEnglishContextAction", E::kTriggered, T::kEditing, "clearEnglish"},
    {"newContextAction", E::kTriggered, T::kDocuments, "newDocument"},
    {"openContextAction", E::kTriggered, T::kDocuments, "openDocument"},
    {"saveEnglishContextAction", E::kTriggered, T::kDocuments, "saveEnglish"},
    {"printEnglishContextAction", E::kTriggered, T::kDocuments, "printEnglish"},
    // Right-click menu of the Thai pane.
    {"cutThaiContextAction", E::kTriggered, T::kEditing, "cutThai"},
    {"copyThaiContextAction", E::kTriggered, T::kEditing, "copyThai"},
    {"pasteThaiContextAction", E::kTriggered, T::kEditing, "pasteThai"},
    {"selectAllThaiContextAction", E::kTriggered, T::kEditing, "selectAllThai"},
    {"clearThaiContextAction", E::kTriggered, T::kEditing, "clearThai"},
    {"saveThaiContextAction", E::kTriggered, T::kDocuments, "saveThai"},
    {"printThaiContextAction", E::kTriggered, T::kDocuments, "printThai"},
    // Button bar.
    {"newButton", E::kClicked, T::kDocuments, "newDocument"},
    {"openButton", E::kClicked, T::kDocuments, "openDocument"},
    {"saveEnglishButton", E::kClicked, T::kDocuments, "saveEnglish"},
    {"saveThaiButton", E::kClicked, T::kDocuments, "saveThai"},
    {"printEnglishButton", E::kClicked, T::kDocuments, "printEnglish"},
    {"printThaiButton", E::kClicked, T::kDocuments, "printThai"},
    {"fullScreenButton", E::kClicked, T::kWindow, "openFullScreen"},
    {"optionsButton", E::kClicked, T::kWindow, "showOptions"},
    {"helpButton", E::kClicked, T::kWindow, "noAction"},
    {"aboutButton", E::kClicked, T::kWindow, "showAbout"},
    {"exitButton", E::kClicked, T::kWindow, "exitProgram"},
    // Translate and cancel buttons.
    {"translateButton", E::kClicked, T::kTranslation, "translateDocument"},
    {"panelCancelButton", E::kClicked, T::kTranslation, "cancelTranslation"},
    {"progressCancelButton", E::kClicked, T::kTranslation, "cancelTranslation"},
    // Document panes.
    {"englishPane", E::kClick, T::kTranslation, "captureSelection"},
    {"englishPane", E::kRightPress, T::kWindow, "popupEnglishMenu"},
    {"englishPane", E::kDoubleClick, T::kWindow, "openFullScreen"},
    {"englishPane", E::kMouseMove, T::kPalettes, "hidePalettes"},
    {"englishPane", E::kMouseMove, T::kWindow, "showMeaningUnderPointer"},
    {"englishPane", E::kFocusIn, T::kStatusLine, "englishPaneFocused"},
    {"thaiPane", E::kRightPress, T::kWindow, "popupThaiMenu"},
    {"thaiPane", E::kDoubleClick, T::kWindow, "openFullScreen"},
    {"thaiPane", E::kMouseMove, T::kStatusLine, "showThaiCaret"},
    {"thaiPane", E::kFocusIn, T::kStatusLine, "thaiPaneFocused"},
    // Visible lists.
    {"arrangementList", E::kDoubleClick, T::kWindow, "editArrangementWord"},
    {"missingWordsList", E::kDoubleClick, T::kWindow, "addMissingWord"},
    // Option check boxes and the panels' close marks.
    {"missingWordsCheck", E::kToggled, T::kPanels, "toggleMissingWordsPanel"},
    {"arrangementCheck", E::kToggled, T::kPanels, "toggleArrangementPanel"},
    {"meaningCheck", E::kToggled, T::kPanels, "toggleMeaningPanel"},
    {"translateOnSelectCheck", E::kToggled, T::kPanels, "toggleTranslateOnSelect"},
    {"directoryClose", E::kPress, T::kPanels, "closeDirectoryPanel"},
    {"missingWordsClose", E::kPress, T::kPanels, "closeMissingWordsPanel"},
    {"arrangementClose", E::kPress, T::kPanels, "closeArrangementPanel"},
    {"meaningHideMark", E::kPress, T::kPanels, "hideMeaningPanel"},
    {"meaningHideLabel", E::kPress, T::kPanels, "hideMeaningPanel"},
    // Colour swatches and palettes.
    {"englishSwatch", E::kEnter, T::kPalettes, "showEnglishPalette"},
    {"thaiSwatch", E::kEnter, T::kPalettes, "showThaiPalette"},
    {"windowBackground", E::kMouseMove, T::kPalettes, "hidePalettes"},
    {"englishPreset0", E::kPress, T::kPalettes, "pickEnglishSwatch"},
    {"englishPreset1", E::kPress, T::kPalettes, "pickEnglishSwatch"},
    {"englishPreset2", E::kPress, T::kPalettes, "pickEnglishSwatch"},
    {"englishPreset3", E::kPress, T::kPalettes, "pickEnglishSwatch"},
    {"englishPreset4", E::kPress, T::kPalettes, "pickEnglishSwatch"},
    {"englishPreset5", E::kPress, T::kPalettes, "pickEnglishSwatch"},
    {"englishPreset6", E::kPress, T::kPalettes, "pickEnglishSwatch"},
    {"englishPreset7", E::kPress, T::kPalettes, "pickEnglishSwatch"},
    {"englishPreset9", E::kPress, T::kPalettes, "pickEnglishSwatch"},
    {"thaiPreset0", E::kPress, T::kPalettes, "pickThaiSwatch"},
    {"thaiPreset1", E::kPress, T::kPalettes, "pickThaiSwatch"},
    {"thaiPreset2", E::kPress, T::kPalettes, "pickThaiSwatch"},
    {"thaiPreset3", E::kPress, T::kPalettes, "pickThaiSwatch"},
    {"thaiPreset4", E::kPress, T::kPalettes, "pickThaiSwatch"},
    {"thaiPreset5", E::kPress, T::kPalettes, "pickThaiSwatch"},
    {"thaiPreset6", E::kPress, T::kPalettes, "pickThaiSwatch"},
    {"thaiPreset7", E::kPress, T::kPalettes, "pickThaiSwatch"},
    {"thaiPreset8", E::kPress, T::kPalettes, "pickThaiSwatch"},
    {"englishFreeColour", E::kPress, T::kPalettes, "chooseEnglishColour"},
    {"thaiFreeColour", E::kPress, T::kPalettes, "chooseThaiColour"},
};

}  // namespace

std::span<const Route> mainWindowRoutes() {
    return kRoutes;
}

const char* routeEventName(RouteEvent event) {
    switch (event) {
        case E::kTriggered:
            return "triggered";
        case E::kClicked:
            return "clicked";
        case E::kToggled:
            return "toggled";
        case E::kPress:
            return "press";
        case E::kClick:
            return "click";
        case E::kRightPress:
            return "right-press";
        case E::kDoubleClick:
            return "double-click";
        case E::kEnter:
            return "enter";
        case E::kMouseMove:
            return "mouse-move";
        case E::kFocusIn:
            return "focus-in";
    }
    return "?";
}

}  // namespace shell
