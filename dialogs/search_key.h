// Ctrl+B in the list and modify dialogs, which run in the system's own
// modal loop and so have no accelerators of their own.
#pragma once
#include <windows.h>

// From now on Ctrl+B anywhere in `dialog` sends it IDC_SEARCH_KEY as a
// command, until StopWatchingSearchKey. One dialog is watched at a time: the
// list and modify dialogs never stand over each other.
void WatchSearchKey(HWND dialog);
void StopWatchingSearchKey();
