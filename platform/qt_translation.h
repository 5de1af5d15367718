// Qt's own texts in Thai: the buttons of message boxes and prompts, and the
// file, print, page set-up, colour and input dialogs, which Qt draws itself
// where the desktop offers no dialogs of its own. The interface is Thai
// throughout, so they are Thai whatever the locale.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The compiled translation, without its ".qm".
inline constexpr char kQtTranslationName[] = "qtbase_th";

// Where it is looked for: translations/ beside the executable (the build
// tree), then the installed data folder, found relative to the executable.
QStringList qtTranslationFolders();

// Loads the translation into the running application, before any window is
// made. Returns the file loaded, or the empty text when none was found (the
// dialogs then speak Qt's English).
QString installQtTranslation();

}  // namespace platform
