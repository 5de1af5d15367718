#include "shell/routing.h"

namespace shell {
namespace {

using E = RouteEvent;

constexpr Route kRoutes[] = {
    // File menu.
    {"mnufilenew", E::kTriggered, "NewPal"},
    {"mnufilepal", E::kTriggered, "Open_File"},
    {"mnufilesaveen", E::kTriggered, "Saveen"},
    {"mnufilesavepal", E::kTriggered, "SaveTh"},
    {"mnusetprint", E::kTriggered, "printerSetup"},
    {"mnuprinten", E::kTriggered, "Print_en"},
    {"mnuprintpal", E::kTriggered, "Print_th"},
    {"mnuexit", E::kTriggered, "exitProgram"},
    // Edit menu, English pane.
    {"mnucut", E::kTriggered, "cut_en"},
    {"mnucopy", E::kTriggered, "copy_en"},
    {"mnupast", E::kTriggered, "paste_en"},
    {"mnuselectall", E::kTriggered, "SelectAll_en"},
    {"mnuclear", E::kTriggered, "clear_en"},
    // Edit menu, Thai pane.
    {"mnucut_t", E::kTriggered, "cut_th"},
    {"mnucopy_t", E::kTriggered, "copy_th"},
    {"mnupast_t", E::kTriggered, "paste_th"},
    {"mnuselectall_t", E::kTriggered, "SelectAll_th"},
    {"mnuclear_t", E::kTriggered, "clear_th"},
    // Translation menu (mnuen_talk is checked, disabled and does nothing).
    {"mnupalauto", E::kTriggered, "translateCommand"},
    {"mnupalmunual", E::kTriggered, "cancelCommand"},
    {"mnuoption", E::kTriggered, "showOptions"},
    // Dictionary, windows and help menus.
    {"mnuadd_edit", E::kTriggered, "openEditor"},
    {"mnuwin_directory", E::kTriggered, "mnuwin_directory_Click"},
    {"mnuuse", E::kTriggered, "noAction"},
    {"mnuabout", E::kTriggered, "showAbout"},
    // Right-click menu of the English pane.
    {"mnu_rpal", E::kTriggered, "Processpal"},
    {"mnuR_monual", E::kTriggered, "cancelCommand"},
    {"mnur_cut", E::kTriggered, "cut_en"},
    {"mnur_copy", E::kTriggered, "copy_en"},
    {"mnur_past", E::kTriggered, "paste_en"},
    {"mnur_tselectall", E::kTriggered, "SelectAll_en"},
    {"mnur_clear", E::kTriggered, "clear_en"},
    {"mnur_newe", E::kTriggered, "NewPal"},
    {"mnur_open", E::kTriggered, "Open_File"},
    {"mnur_save", E::kTriggered, "Saveen"},
    {"mnur_print", E::kTriggered, "Print_en"},
    // Right-click menu of the Thai pane.
    {"mnur_tcut", E::kTriggered, "cut_th"},
    {"mnur_tcopy", E::kTriggered, "copy_th"},
    {"mnur_tpast", E::kTriggered, "paste_th"},
    {"mnur_selectall", E::kTriggered, "SelectAll_th"},
    {"mnur_tclear", E::kTriggered, "clear_th"},
    {"mnur_tsave", E::kTriggered, "SaveTh"},
    {"mnur_tprint", E::kTriggered, "Print_th"},
    // Button bar.
    {"Command5", E::kClicked, "NewPal"},
    {"Command6", E::kClicked, "Open_File"},
    {"Command7", E::kClicked, "Saveen"},
    {"Command8", E::kClicked, "SaveTh"},
    {"Command9", E::kClicked, "Print_en"},
    {"Command10", E::kClicked, "Print_th"},
    {"Command15", E::kClicked, "openFullScreen"},
    {"Command4", E::kClicked, "showOptions"},
    {"Command11", E::kClicked, "noAction"},
    {"Command12", E::kClicked, "showAbout"},
    {"Command13", E::kClicked, "exitProgram"},
    // Translate and cancel buttons.
    {"Command1", E::kClicked, "translateCommand"},
    {"Command3", E::kClicked, "cancelCommand"},
    {"Command2", E::kClicked, "cancelCommand"},
    // Document panes.
    {"Ren", E::kClick, "Ren_Click"},
    {"Ren", E::kRightPress, "popupEnglishMenu"},
    {"Ren", E::kDoubleClick, "openFullScreen"},
    {"Ren", E::kMouseMove, "Ren_MouseMove"},
    {"Ren", E::kFocusIn, "Ren_GotFocus"},
    {"Rth", E::kRightPress, "popupThaiMenu"},
    {"Rth", E::kDoubleClick, "openFullScreen"},
    {"Rth", E::kMouseMove, "ShowPos_th"},
    {"Rth", E::kFocusIn, "Rth_GotFocus"},
    // Visible lists.
    {"Larrang", E::kDoubleClick, "Larrang_DblClick"},
    {"LNodata", E::kDoubleClick, "LNodata_DblClick"},
    // Option check boxes and the panels' close marks.
    {"Check1", E::kToggled, "Check1_Click"},
    {"Check2", E::kToggled, "Check2_Click"},
    {"Check3", E::kToggled, "Check3_Click"},
    {"Chkselectpal", E::kToggled, "Chkselectpal_Click"},
    {"Label6", E::kPress, "Label6_Click"},
    {"Label8", E::kPress, "Label8_Click"},
    {"Label11", E::kPress, "Label11_Click"},
    {"Label18", E::kPress, "hideMeaningPanel"},
    {"Label19", E::kPress, "hideMeaningPanel"},
    // Colour swatches and palettes.
    {"Picture3", E::kEnter, "showEnglishPalette"},
    {"Picture4", E::kEnter, "showThaiPalette"},
    {"Image3", E::kMouseMove, "hidePalettes"},
    {"Picture5_0", E::kPress, "pickEnglishSwatch"},
    {"Picture5_1", E::kPress, "pickEnglishSwatch"},
    {"Picture5_2", E::kPress, "pickEnglishSwatch"},
    {"Picture5_3", E::kPress, "pickEnglishSwatch"},
    {"Picture5_4", E::kPress, "pickEnglishSwatch"},
    {"Picture5_5", E::kPress, "pickEnglishSwatch"},
    {"Picture5_6", E::kPress, "pickEnglishSwatch"},
    {"Picture5_7", E::kPress, "pickEnglishSwatch"},
    {"Picture5_9", E::kPress, "pickEnglishSwatch"},
    {"Picture6_0", E::kPress, "pickThaiSwatch"},
    {"Picture6_1", E::kPress, "pickThaiSwatch"},
    {"Picture6_2", E::kPress, "pickThaiSwatch"},
    {"Picture6_3", E::kPress, "pickThaiSwatch"},
    {"Picture6_4", E::kPress, "pickThaiSwatch"},
    {"Picture6_5", E::kPress, "pickThaiSwatch"},
    {"Picture6_6", E::kPress, "pickThaiSwatch"},
    {"Picture6_7", E::kPress, "pickThaiSwatch"},
    {"Picture6_8", E::kPress, "pickThaiSwatch"},
    {"Label15", E::kPress, "chooseEnglishColor"},
    {"Label14", E::kPress, "chooseThaiColor"},
};

}  // namespace

std::span<const Route> form1Routes() {
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
