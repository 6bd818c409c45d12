// What the cross-built test drivers of the settings dialog share: finding the dialog
// "Velnorの設定" of another process and its controls by their layout names, reading texts,
// sending clicks and scroll messages, and running a command line of driver commands.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>

namespace velnor::e2e {

inline constexpr wchar_t kDialogTitle[] = L"Velnorの設定";

std::string Utf8(const std::wstring& wide);

// The dialog's top-level window, or nullptr.
HWND FindDialog();

// A control of `dialog` by its ID, or by its layout name ("cmd_OK", "H_RGB(1)"); nullptr
// when there is none (the name lookup also prints "no control <name>").
HWND ControlById(HWND dialog, int id);
HWND ControlByName(HWND dialog, const std::wstring& name);

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);

// WM_COMMAND BN_CLICKED for `control`, posted to the dialog without waiting.
bool PostClick(HWND dialog, HWND control);

// WM_VSCROLL or WM_HSCROLL (by the bar's style) with `code` and `position` sent to the
// bar's parent, as the bar itself reports a scroll; waits for the handler.
void SendScroll(HWND bar, WORD code, int position);

// The words of a command line after the program name, taken in order.
class Words {
  public:
    Words(int argc, wchar_t** argv) : argv_(argv), count_(argc), next_(1) {}
    bool Has(int count) const { return next_ + count <= count_; }
    std::wstring Take() { return Has(1) ? argv_[next_++] : L""; }
    int TakeInt() { return _wtoi(Take().c_str()); }
    // The next word when it is a number, else `fallback` (the word is then left).
    int TakeNumberOr(int fallback);

  private:
    wchar_t** argv_;
    int count_;
    int next_;
};

struct DriverCommand {
    const wchar_t* name;
    int arguments;     // words that must follow; optional ones are taken by `run`
    bool needsDialog;  // run only when the dialog exists (else "no dialog", a failure)
    std::function<bool(HWND dialog, Words& words)> run;  // false: the step failed
};

// Runs the commands of the command line in order. Every driver also has
//   sleep <ms>     and     post <name>  (posted click -> "posted")
// Returns the exit code: 0, or 2 at the first step that fails or is unknown.
int RunCommands(int argc, wchar_t** argv, std::span<const DriverCommand> commands);

}  // namespace velnor::e2e
