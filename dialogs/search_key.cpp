// Ctrl+B through a message filter hook: the system calls it for every
// message of a dialog's modal loop before the dialog sees it.
#include "dialogs/search_key.h"

#include "resources/resource.h"

namespace {

HHOOK Hook = nullptr;
HWND Watched = nullptr;

LRESULT CALLBACK FilterDialogKeys(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && Watched && msg->message == WM_KEYDOWN && msg->wParam == 'B' &&
      (GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
      (msg->hwnd == Watched || IsChild(Watched, msg->hwnd))) {
    // Posted, not sent: the search opens from the dialog's own loop, after
    // the key has been taken away from the control.
    PostMessageW(Watched, WM_COMMAND, IDC_SEARCH_KEY, 0);
    return TRUE;
  }
  return CallNextHookEx(Hook, code, wParam, lParam);
}

}  // namespace

void WatchSearchKey(HWND dialog) {
  // Made anew each time: a hook is never left behind for a dialog gone.
  if (Hook) UnhookWindowsHookEx(Hook);
  Hook = SetWindowsHookExW(WH_MSGFILTER, FilterDialogKeys, nullptr, GetCurrentThreadId());
  Watched = dialog;
}

void StopWatchingSearchKey() {
  Watched = nullptr;
  if (Hook) UnhookWindowsHookEx(Hook);
  Hook = nullptr;
}
