// Test helper: drives the picture-source and colour controls of the settings dialog of
// another process, including the folder browser and the colour dialog that it opens.
//   velnor_sources_driver.exe <command>...   commands run in order:
//     post <name>            post WM_COMMAND BN_CLICKED (does not wait for modal dialogs)
//     browse <folder>        in the open folder browser select <folder> ("Z:\a\b"), OK
//     browse-cancel          press Cancel in the open folder browser
//     colour <row> <col>     in the open colour dialog click that basic colour, OK
//     colour-ok              press OK in the open colour dialog without picking a colour
//     colour-cancel          press Cancel in the open colour dialog
//     settled [ms]           wait until the folder browser or colour dialog has gone and
//                            the dialog has finished what it did after it -> "settled"
//     listed [ms]            wait until the listing has ended (no owned dialog, lbl_Kei
//                            equals the number of lines)          -> "listed <n>"
//     lines                  one "line=<text>" per line of List_1
//     select <index>         select a line of List_1 as a click does -> "selected"
//     show <name>            "name=<n> enabled= visible= rect=<x>,<y>,<w>,<h> screen=<x>,<y>
//                            text=", rect in its parent, screen = top-left on the screen
//     track <name> <value>   one step of a thumb drag: SB_THUMBTRACK, no end
//     release <name> <value> the end of a thumb drag: SB_THUMBPOSITION, then SB_ENDSCROLL
//     attrib <path> <value>  SetFileAttributesW                     -> "attrib <ok|failed>"
//     sleep <ms>
// Scroll messages go as WM_VSCROLL or WM_HSCROLL by the bar's direction. Exit code 2 when
// a step fails.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "driver_common_win32.h"

namespace {

using namespace velnor::e2e;

// The visible dialog box (class #32770) that the settings dialog owns, waiting for it.
HWND OwnedDialog(HWND owner, int ms) {
    for (int waited = 0; waited <= ms; waited += 50) {
        struct Search {
            HWND owner;
            HWND found;
        } search{owner, nullptr};
        EnumWindows(
            [](HWND window, LPARAM lParam) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lParam);
                wchar_t name[32] = L"";
                GetClassNameW(window, name, 32);
                if (std::wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
                if (GetWindow(window, GW_OWNER) != s->owner) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

void Press(HWND box, int id) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

// Reads tree-view items of another process through a buffer allocated in it.
class RemoteTree {
  public:
    explicit RemoteTree(HWND tree) : tree_(tree) {
        DWORD pid = 0;
        GetWindowThreadProcessId(tree, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) {
            buffer_ = static_cast<char*>(
                VirtualAllocEx(process_, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
        }
    }
    ~RemoteTree() {
        if (buffer_) VirtualFreeEx(process_, buffer_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    bool ok() const { return buffer_ != nullptr; }

    std::wstring Text(HTREEITEM item) {
        TVITEMW request{};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = reinterpret_cast<wchar_t*>(buffer_ + 512);
        request.cchTextMax = 1024;
        WriteProcessMemory(process_, buffer_, &request, sizeof request, nullptr);
        SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer_));
        wchar_t text[1024] = L"";
        ReadProcessMemory(process_, buffer_ + 512, text, sizeof text - sizeof(wchar_t), nullptr);
        return text;
    }

    std::vector<HTREEITEM> Children(HTREEITEM item) {
        SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        std::vector<HTREEITEM> out;
        auto child = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        while (child) {
            out.push_back(child);
            child = reinterpret_cast<HTREEITEM>(
                SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
        }
        return out;
    }

  private:
    HWND tree_;
    HANDLE process_ = nullptr;
    char* buffer_ = nullptr;
};

bool Contains(const std::wstring& text, const std::wstring& part) {
    std::wstring a = text, b = part;
    CharUpperW(a.data());
    CharUpperW(b.data());
    return a.find(b) != std::wstring::npos;
}

// The drive's item: a child of the desktop, or of one of its children, showing "(Z:)".
HTREEITEM FindDrive(RemoteTree& tree, HTREEITEM desktop, const std::wstring& drive) {
    const std::wstring mark = L"(" + drive + L")";
    const std::vector<HTREEITEM> top = tree.Children(desktop);
    for (HTREEITEM item : top) {
        if (Contains(tree.Text(item), mark)) return item;
    }
    for (HTREEITEM item : top) {
        for (HTREEITEM child : tree.Children(item)) {
            if (Contains(tree.Text(child), mark)) return child;
        }
    }
    return nullptr;
}

bool Browse(HWND dialog, const std::wstring& folder) {
    HWND box = OwnedDialog(dialog, 20000);
    HWND treeWindow = box ? FindWindowExW(box, nullptr, WC_TREEVIEWW, nullptr) : nullptr;
    if (!treeWindow) {
        std::printf("no folder browser\n");
        return false;
    }
    RemoteTree tree(treeWindow);
    auto item =
        reinterpret_cast<HTREEITEM>(SendMessageW(treeWindow, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    if (!tree.ok() || !item) return false;
    std::vector<std::wstring> parts;
    for (std::size_t start = 0; start <= folder.size();) {
        const std::size_t cut = folder.find(L'\\', start);
        const std::wstring part = folder.substr(start, cut - start);
        if (!part.empty()) parts.push_back(part);
        if (cut == std::wstring::npos) break;
        start = cut + 1;
    }
    item = parts.empty() ? nullptr : FindDrive(tree, item, parts[0]);
    for (std::size_t i = 1; item && i < parts.size(); ++i) {
        HTREEITEM next = nullptr;
        for (HTREEITEM child : tree.Children(item)) {
            if (_wcsicmp(tree.Text(child).c_str(), parts[i].c_str()) == 0) next = child;
        }
        if (!next) std::printf("no item %s\n", Utf8(parts[i]).c_str());
        item = next;
    }
    if (!item) return false;
    SendMessageW(treeWindow, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    std::printf("browsed %s\n", Utf8(tree.Text(item)).c_str());
    Press(box, IDOK);
    return true;
}

bool PressInOwned(HWND dialog, int id) {
    HWND box = OwnedDialog(dialog, 20000);
    if (box) Press(box, id);
    return box != nullptr;
}

// Clicks basic colour (row, col) of the colour dialog where a user would, and confirms.
bool ChooseColour(HWND dialog, int row, int col) {
    constexpr int kBasicColours = 0x2d0;
    HWND box = OwnedDialog(dialog, 20000);
    HWND swatches = box ? GetDlgItem(box, kBasicColours) : nullptr;
    if (!swatches) {
        std::printf("no colour dialog\n");
        return false;
    }
    RECT area{};
    GetClientRect(swatches, &area);
    POINT at{(2 * col + 1) * area.right / 16, (2 * row + 1) * area.bottom / 12};
    MapWindowPoints(swatches, box, &at, 1);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    std::printf("chose %d,%d\n", row, col);
    Press(box, IDOK);
    return true;
}

bool Listed(HWND dialog, int ms) {
    HWND list = ControlByName(dialog, L"List_1");
    HWND count = ControlByName(dialog, L"lbl_Kei");
    for (int waited = 0; waited <= ms; waited += 50) {
        DWORD_PTR lines = 0;
        SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_BLOCK, 5000, &lines);
        if (!OwnedDialog(dialog, 0) && TextOf(count) == std::to_wstring(lines)) {
            std::printf("listed %lu\n", static_cast<unsigned long>(lines));
            return true;
        }
        Sleep(50);
    }
    std::printf("still listing\n");
    return false;
}

void Lines(HWND dialog) {
    HWND list = ControlByName(dialog, L"List_1");
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t line[1024] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 1023) {
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        }
        std::printf("line=%s\n", Utf8(line).c_str());
    }
}

bool Select(HWND dialog, int index) {
    HWND list = ControlByName(dialog, L"List_1");
    if (!list) return false;
    SendMessageW(list, LB_SETCURSEL, index, 0);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(list), SMTO_BLOCK, 20000, &ignored);
    std::printf("selected\n");
    return true;
}

bool Show(HWND dialog, const std::wstring& name) {
    HWND control = ControlByName(dialog, name);
    if (!control) return false;
    RECT rect{};
    GetWindowRect(control, &rect);
    const POINT screen{rect.left, rect.top};
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    std::printf("name=%s enabled=%d visible=%d rect=%ld,%ld,%ld,%ld screen=%ld,%ld text=\"%s\"\n",
                Utf8(name).c_str(), IsWindowEnabled(control) ? 1 : 0,
                IsWindowVisible(control) ? 1 : 0, rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, screen.x, screen.y, Utf8(TextOf(control)).c_str());
    return true;
}

bool Settled(HWND dialog, int ms) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (!OwnedDialog(dialog, 0)) {
            // Answered only once the handler that opened the box has returned.
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 20000, &ignored);
            std::printf("settled\n");
            return true;
        }
        Sleep(50);
    }
    std::printf("still open\n");
    return false;
}

bool Cancel(HWND dialog) {
    const bool ok = PressInOwned(dialog, IDCANCEL);
    std::printf("cancelled\n");
    return ok;
}

// A step (SB_THUMBTRACK) or the end (SB_THUMBPOSITION and SB_ENDSCROLL) of a thumb drag
// to <value>, as the bar reports them while the mouse holds its thumb.
bool Drag(HWND dialog, Words& words, WORD code, const char* done) {
    HWND bar = ControlByName(dialog, words.Take());
    const int value = words.TakeInt();
    if (!bar) return false;
    SendScroll(bar, code, value);
    if (code == SB_THUMBPOSITION) SendScroll(bar, SB_ENDSCROLL, 0);
    std::printf("%s\n", done);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const DriverCommand commands[] = {
        {L"attrib", 2, false,
         [](HWND, Words& words) {
             const std::wstring path = words.Take();
             const bool ok =
                 SetFileAttributesW(path.c_str(), static_cast<DWORD>(words.TakeInt())) != 0;
             std::printf("attrib %s\n", ok ? "ok" : "failed");
             return ok;
         }},
        {L"browse", 1, true,
         [](HWND dialog, Words& words) { return Browse(dialog, words.Take()); }},
        {L"browse-cancel", 0, true, [](HWND dialog, Words&) { return Cancel(dialog); }},
        {L"colour-cancel", 0, true, [](HWND dialog, Words&) { return Cancel(dialog); }},
        {L"colour-ok", 0, true,
         [](HWND dialog, Words&) {
             const bool ok = PressInOwned(dialog, IDOK);
             std::printf("pressed ok\n");
             return ok;
         }},
        {L"colour", 2, true,
         [](HWND dialog, Words& words) {
             const int row = words.TakeInt();
             return ChooseColour(dialog, row, words.TakeInt());
         }},
        {L"settled", 0, true,
         [](HWND dialog, Words& words) { return Settled(dialog, words.TakeNumberOr(20000)); }},
        {L"listed", 0, true,
         [](HWND dialog, Words& words) { return Listed(dialog, words.TakeNumberOr(20000)); }},
        {L"lines", 0, true,
         [](HWND dialog, Words&) {
             Lines(dialog);
             return true;
         }},
        {L"select", 1, true,
         [](HWND dialog, Words& words) { return Select(dialog, words.TakeInt()); }},
        {L"track", 2, true,
         [](HWND dialog, Words& words) { return Drag(dialog, words, SB_THUMBTRACK, "tracked"); }},
        {L"release", 2, true,
         [](HWND dialog, Words& words) {
             return Drag(dialog, words, SB_THUMBPOSITION, "released");
         }},
        {L"show", 1, true, [](HWND dialog, Words& words) { return Show(dialog, words.Take()); }},
    };
    return RunCommands(argc, argv, commands);
}
