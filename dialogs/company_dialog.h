// The "Datos de la empresa" dialog: the business's letterhead lines, its IVA
// rate and its printer, kept in empresa.ini.
#pragma once
#include <windows.h>

// Ends with 1 once the data is written to empresa.ini, with 0 on "Cancelar"
// (nothing written).
INT_PTR CALLBACK CompanyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
