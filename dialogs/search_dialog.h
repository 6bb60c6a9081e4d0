// The search dialog "Buscar Presupuesto": every stored quote in a list that
// narrows as the user types, and what can be done with the one chosen.
#pragma once
#include <cstdint>

#include <windows.h>
#include <commctrl.h>

// The initialisation value: 0 when opened from the main window, where "Ver",
// "Modificar" and "Copiar a nuevo" open the quote dialogs; kChooseQuote when
// opened from the list or modify dialog, where "Ver" and "Modificar" end it
// with the number chosen, to move that dialog there.
constexpr LPARAM kChooseQuote = 1;
INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void OpenSearch(HWND owner);
// The number of the quote chosen, or 0 when none was.
int32_t ChooseQuote(HWND owner);
