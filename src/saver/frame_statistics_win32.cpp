// Where the frame statistics go, from the environment (Windows: the wide text, so any
// folder name works).
#include <windows.h>

#include "saver/frame_statistics.h"

namespace velnor {

std::filesystem::path FrameStatisticsPathFromEnvironment() {
    wchar_t buffer[1024];
    const DWORD length = GetEnvironmentVariableW(L"VELNOR_FRAME_STATS", buffer, 1024);
    return length > 0 && length < 1024 ? std::filesystem::path(std::wstring(buffer, length))
                                       : std::filesystem::path();
}

}  // namespace velnor
