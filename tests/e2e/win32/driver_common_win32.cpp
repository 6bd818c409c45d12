// Shared part of the dialog test drivers: window and control lookup, texts, clicks,
// scroll messages and the command loop.
#include "driver_common_win32.h"

#include <cstdio>
#include <cwchar>

#include "dialog/control_ids.h"

namespace velnor::e2e {

std::string Utf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out.data(), bytes, nullptr, nullptr);
    return out;
}

// By class too: the dialog's message boxes carry the same title.
HWND FindDialog() {
    return FindWindowW(L"VelnorSettingsDialog", kDialogTitle);
}

HWND ControlById(HWND dialog, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    if (id == 0) return nullptr;
    EnumChildWindows(
        dialog,
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (GetDlgCtrlID(window) != s->id) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ControlByName(HWND dialog, const std::wstring& name) {
    HWND control = ControlById(dialog, control_id::ByName(Utf8(name)));
    if (!control) std::printf("no control %s\n", Utf8(name).c_str());
    return control;
}

std::wstring TextOf(HWND window) {
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        nullptr);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

bool PostClick(HWND dialog, HWND control) {
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                        reinterpret_cast<LPARAM>(control)) != 0;
}

void SendScroll(HWND bar, WORD code, int position) {
    const bool vertical = (GetWindowLongPtrW(bar, GWL_STYLE) & SBS_VERT) != 0;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetParent(bar), vertical ? WM_VSCROLL : WM_HSCROLL,
                        MAKEWPARAM(code, static_cast<WORD>(position)),
                        reinterpret_cast<LPARAM>(bar), SMTO_BLOCK, 10000, &ignored);
}

int Words::TakeNumberOr(int fallback) {
    if (!Has(1)) return fallback;
    const wchar_t* word = argv_[next_];
    const bool number = *word && std::wcsspn(word, L"-0123456789") == std::wcslen(word);
    if (!number) return fallback;
    ++next_;
    return _wtoi(word);
}

namespace {

const DriverCommand* Lookup(std::span<const DriverCommand> commands, const std::wstring& name) {
    for (const DriverCommand& command : commands) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

bool RunOne(const DriverCommand& command, const std::wstring& name, Words& words) {
    if (!words.Has(command.arguments)) {
        std::printf("missing arguments for %s\n", Utf8(name).c_str());
        return false;
    }
    HWND dialog = nullptr;
    if (command.needsDialog && !(dialog = FindDialog())) {
        std::printf("no dialog\n");
        return false;
    }
    return command.run(dialog, words);
}

}  // namespace

int RunCommands(int argc, wchar_t** argv, std::span<const DriverCommand> commands) {
    const DriverCommand common[] = {
        {L"sleep", 1, false,
         [](HWND, Words& words) {
             Sleep(static_cast<DWORD>(words.TakeInt()));
             return true;
         }},
        {L"post", 1, true,
         [](HWND dialog, Words& words) {
             HWND control = ControlByName(dialog, words.Take());
             if (!control || !PostClick(dialog, control)) return false;
             std::printf("posted\n");
             return true;
         }},
    };
    Words words(argc, argv);
    while (words.Has(1)) {
        const std::wstring name = words.Take();
        const DriverCommand* command = Lookup(commands, name);
        if (!command) command = Lookup(common, name);
        const bool ok = command ? RunOne(*command, name, words) : false;
        if (!command) std::printf("unknown command %s\n", Utf8(name).c_str());
        std::fflush(stdout);
        if (!ok) return 2;
    }
    return 0;
}

}  // namespace velnor::e2e
