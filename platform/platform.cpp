#include "platform/platform.h"

#include "platform/desktop_platform.h"

namespace platform {

namespace {

Platform* g_installed = nullptr;

}  // namespace

Platform& platform() {
    return g_installed != nullptr ? *g_installed : desktopPlatform();
}

void setPlatform(Platform* p) {
    g_installed = p;
}

}  // namespace platform
