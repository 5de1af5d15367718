// Thin seam over everything that waits on the user or leaves the program:
// message boxes, prompts, colour/file/print dialogs, starting other programs
// and ending the process. The program calls these through platform(); tests
// install a scripted implementation and run without a display.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;
class QPrinter;

namespace platform {

enum class Buttons { kOk, kYesNo };
enum class Icon { kNone, kQuestion, kInformation, kWarning, kCritical };
enum class Answer { kOk, kYes, kNo };

// What the print dialog is opened with and what it answers.
struct PrintRequest {
    QString title;                   // dialog title
    bool pageNumbersEnabled = true;  // false: the page-range fields are off
    bool selectionChosen = false;    // true: the "selection" option is chosen, else "all pages"
    bool selectionAvailable = false;
};
enum class PrintChoice { kCancelled, kAll, kSelection };

class Platform {
public:
    virtual ~Platform() = default;

    // A message box; the empty title means the program's default title.
    virtual Answer message(QWidget* parent, const QString& text, const QString& title,
                           Buttons buttons, Icon icon) = 0;

    // A one-line input prompt; nullopt when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& prompt,
                                             const QString& title, const QString& initial) = 0;

    // The colour dialog opened on `current`; returns the colour it holds when it
    // closes (also when closed without a choice).
    virtual QColor chooseColor(QWidget* parent, const QColor& current) = 0;

    // File dialogs opened in the folder `start`, or on the file `start` names
    // (its folder shown, its name preset); the empty text when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& start) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                 const QString& start) = 0;

    // The print dialog over `printer`; the answer says what to print.
    virtual PrintChoice print(QWidget* parent, QPrinter& printer, const PrintRequest& request) = 0;

    // Opens a file in the desktop's default application for it, without waiting.
    virtual bool openWithDefaultApp(const QString& path) = 0;

    // Ends the process at once with the given status; no handlers run.
    virtual void exitProcess(int status) = 0;
};

// The platform in use (the desktop one unless a test installed another).
Platform& platform();

// Installs `p` (not owned) as the platform; nullptr restores the desktop one.
void setPlatform(Platform* p);

}  // namespace platform
