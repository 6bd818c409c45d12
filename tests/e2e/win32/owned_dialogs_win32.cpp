// Drives the system dialogs that the settings dialog of another process opens and owns:
// the folder browser's tree, read through a buffer in that process, and the colour
// dialog's basic colours, clicked where a user would click them.
#include "owned_dialogs_win32.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "driver_common_win32.h"

namespace velnor::e2e {
namespace {

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

}  // namespace

HWND OwnedWindow(HWND owner, const wchar_t* className) {
    struct Search {
        HWND owner;
        const wchar_t* className;
        HWND found;
    } search{owner, className, nullptr};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            wchar_t name[64] = L"";
            GetClassNameW(window, name, 64);
            if (lstrcmpiW(name, s->className) != 0 || !IsWindowVisible(window)) return TRUE;
            if (GetWindow(window, GW_OWNER) != s->owner) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND OwnedDialog(HWND owner, int ms) {
    for (int waited = 0; waited <= ms; waited += 50) {
        if (HWND found = OwnedWindow(owner, L"#32770")) return found;
        Sleep(50);
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

}  // namespace velnor::e2e
