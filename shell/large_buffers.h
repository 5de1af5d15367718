// How the window's process keeps its memory: the buffers of a long document
// and of its translation are given back to the system as soon as they are
// freed.
#pragma once

namespace shell {

// Fixes the size from which glibc maps an allocation on its own (128 KiB).
// Left alone, glibc raises that size to that of the largest block freed so
// far, so that after the first long document every buffer of the next runs
// lives in the heap, where freeing it leaves holes the process keeps.
void returnLargeBuffersToSystem();

}  // namespace shell
