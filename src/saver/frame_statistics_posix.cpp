// Where the frame statistics go, from the environment (POSIX: bytes as the system holds them).
#include <cstdlib>

#include "saver/frame_statistics.h"

namespace velnor {

std::filesystem::path FrameStatisticsPathFromEnvironment() {
    const char* path = std::getenv("VELNOR_FRAME_STATS");
    return path ? std::filesystem::path(path) : std::filesystem::path();
}

}  // namespace velnor
