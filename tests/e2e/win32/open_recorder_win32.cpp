// Test helper: stands in for the program the shell opens an address with. Registered as a
// protocol's open command, it appends the address it was given to a file as one UTF-8
// line, so that a test sees what a click asked the shell to open, and nothing else starts.
//   velnor_open_recorder.exe <file> <address>
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const int size = WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return 1;
    std::string line(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, line.data(), size, nullptr, nullptr);
    line.back() = '\n';  // in place of the terminating zero
    FILE* file = _wfopen(argv[1], L"ab");
    if (file == nullptr) return 1;
    const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
