#include "shell/resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerShellResources() {
    Q_INIT_RESOURCE(resources);
}

namespace shell {

void initResources() {
    static const bool done = [] {
        registerShellResources();
        return true;
    }();
    (void)done;
}

}  // namespace shell
