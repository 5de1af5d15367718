// Where the bench tools find the measurement data kept outside the source
// tree: $VANTREL_MEASURE_DIR when set, else the folder the build was
// configured with (CMake cache variable VANTREL_MEASURE_DIR).
#pragma once

#include <cstdlib>
#include <filesystem>

namespace bench {

inline std::filesystem::path measureDataDir() {
    if (const char* dir = std::getenv("VANTREL_MEASURE_DIR"); dir && *dir) return dir;
    return VANTREL_MEASURE_DIR;
}

}  // namespace bench
