// The main window: class NUESTRA_CLASE, background picture, buttons that
// open the quote dialogs, the search and the business's data, or end the
// program.
#pragma once
#include <windows.h>

#include <string>

#include "common/company_data.h"

extern const wchar_t kMainClassName[];

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers NUESTRA_CLASE with the program's icon, creates the main window
// (640 x 480 on a 96-dpi screen, scaled to the screen's) and shows it.
HWND OpenMainWindow(HINSTANCE instance);

// "Programa de Presupuestos. " and the business's name.
std::string MainWindowTitle(const CompanyData& company);

// The "Datos de la empresa" dialog; the title follows what it stores.
void OpenCompanyDialog(HWND window);
