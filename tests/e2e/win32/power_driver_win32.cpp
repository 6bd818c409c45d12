// Test helper: tells the running saver that the console display went off, came on or was
// dimmed, as the system's power setting notification would. A notification's data cannot
// cross processes by PostMessage, so it travels as WM_COPYDATA with a tag that the saver
// accepts only when the environment variable VELNOR_TEST_DISPLAY_STATE is set.
//   velnor_power_driver.exe off|on|dimmed   prints "sent 1 answer 1" when the saver took it
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

#include "saver/display_watch.h"

namespace {

constexpr GUID kConsoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    DWORD state = 1;
    if (std::wcscmp(argv[1], L"off") == 0) {
        state = 0;
    } else if (std::wcscmp(argv[1], L"dimmed") == 0) {
        state = 2;
    } else if (std::wcscmp(argv[1], L"on") != 0) {
        return 2;
    }
    std::vector<unsigned char> data(offsetof(POWERBROADCAST_SETTING, Data) + sizeof state);
    POWERBROADCAST_SETTING setting{};
    setting.PowerSetting = kConsoleDisplayState;
    setting.DataLength = sizeof state;
    std::memcpy(data.data(), &setting, offsetof(POWERBROADCAST_SETTING, Data));
    std::memcpy(data.data() + offsetof(POWERBROADCAST_SETTING, Data), &state, sizeof state);
    COPYDATASTRUCT copy{velnor::kTestDisplayStateTag, static_cast<DWORD>(data.size()), data.data()};

    // Any saver window hands the notification to the saver session.
    HWND saver = FindWindowW(L"Velnor_S", nullptr);
    if (!saver) {
        std::printf("no saver\n");
        return 1;
    }
    DWORD_PTR answer = 0;
    const LRESULT sent = SendMessageTimeoutW(saver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                                             SMTO_BLOCK, 10000, &answer);
    std::printf("sent %d answer %d\n", sent ? 1 : 0, static_cast<int>(answer));
    return sent && answer ? 0 : 1;
}
