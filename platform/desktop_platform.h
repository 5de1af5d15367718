// The platform of a running desktop program: real dialogs, the desktop's
// default applications and a real process exit.
#pragma once

#include <QString>

#include "platform/platform.h"

namespace platform {

// The desktop platform, one for the whole program; platform() answers it
// unless a test installed another.
Platform& desktopPlatform();

// The title used when a message is given the empty title: the application's name.
QString defaultTitle();

}  // namespace platform
