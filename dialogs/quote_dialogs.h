// The three modal quote dialogs the main window opens: new quote, list
// (browse and print) and modify (browse, edit and save).
#pragma once
#include <windows.h>

INT_PTR CALLBACK NewQuoteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ListQuoteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ModifyQuoteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
