// Makes the window pictures of the static shell library available.
#pragma once

namespace shell {

// Registers the pictures (icons, splash, about); safe to call more than once.
void initResources();

}  // namespace shell
