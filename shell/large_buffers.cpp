#include "shell/large_buffers.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace shell {

void returnLargeBuffersToSystem() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

}  // namespace shell
