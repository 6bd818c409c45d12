// Prints the GDI and USER object counts and the private memory of the process that owns
// the window with the title given as argument ("VelnorS" for the running saver), one line:
//   gdi=N user=N private_kib=N      or "gdi=? user=?" where the system does not count them.
// Used by tools/long_run_saver.py to see whether the saver's objects stay flat.
#include <windows.h>
// psapi.h needs the types of windows.h first.
#include <psapi.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const HWND window = FindWindowW(nullptr, argv[1]);
    if (window == nullptr) return 3;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (process == nullptr) return 4;
    SetLastError(0);
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    const bool counted = GetLastError() != ERROR_CALL_NOT_IMPLEMENTED && (gdi != 0 || user != 0);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    if (counted) {
        std::printf("gdi=%lu user=%lu", gdi, user);
    } else {
        std::printf("gdi=? user=?");
    }
    std::printf(" private_kib=%llu\n", static_cast<unsigned long long>(memory.PrivateUsage / 1024));
    CloseHandle(process);
    return 0;
}
