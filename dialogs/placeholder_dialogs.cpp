// Placeholder until the dialogs land.
#include "dialogs/quote_dialogs.h"
INT_PTR CALLBACK NewQuoteDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK ListQuoteDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
INT_PTR CALLBACK ModifyQuoteDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
