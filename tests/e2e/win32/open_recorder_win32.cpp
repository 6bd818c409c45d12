// Test helper: stands in for a program that another one starts, such as the shell's handler
// of web addresses or control.exe. It appends its arguments, joined by spaces, as one UTF-8
// line to the file that the environment variable VELNOR_OPEN_RECORD names, so that a test
// sees what was asked for, and nothing else starts.
//   velnor_open_recorder.exe [arguments...]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                            size, nullptr, nullptr);
    }
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"VELNOR_OPEN_RECORD", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    std::wstring line;
    for (int i = 1; i < argc; ++i) line += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
    const std::string bytes = Utf8(line) + "\n";
    FILE* file = _wfopen(path, L"ab");
    if (file == nullptr) return 1;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
