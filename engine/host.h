// What the translation engine needs from the window (or tool) that runs it.
#pragma once

#include <string_view>

#include "engine/worklist.h"

namespace dict {
class LookupView;
}

namespace engine {

// The busy panels of the main window that a run switches.
enum class Panel {
    kProgress,  // the progress panel: progress bars and the cancel button
    kWriting,   // the writing panel: its "writing the translation" animation
    kPlain,     // the plain panel hidden when a run finishes
};

// The engine's view of its host. The window implements it over its widgets;
// the command-line tool over plain memory.
class TranslationHost {
public:
    virtual ~TranslationHost() = default;

    // The dictionary's keyed view opened last, or nullptr when none is open
    // (every look-up then finds nothing). Asked anew for every phrase.
    virtual const dict::LookupView* lookupView() = 0;

    // The two visible lists: the arrangement list ("word= meaning" entries)
    // and the missing-words list (words the dictionary lacks).
    virtual WorkList& arrangementList() = 0;
    virtual WorkList& missingWordList() = 0;

    // Lets pending user-interface events run (timers, cancel commands). Called
    // once per input character and once per output token while joining.
    virtual void yield() = 0;

    // The cancel flag set by the cancel commands; the run clears it at start.
    virtual bool cancelRequested() const = 0;
    virtual void clearCancelRequest() = 0;

    // Progress of the scan in percent, stored after every character.
    virtual void setProgressPercent(int percent) = 0;

    virtual void setPanelVisible(Panel panel, bool visible) = 0;

    // Replaces the whole text of the Thai pane.
    virtual void setThaiText(std::string_view text) = 0;
    // False for a host that makes the document of the output tokens itself (a
    // filter writing them as they come): the run then hands it none.
    virtual bool wantsThaiText() const { return true; }
};

}  // namespace engine
