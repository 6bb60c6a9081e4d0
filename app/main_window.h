// The main window: class NUESTRA_CLASE, background picture, four buttons that
// open the three quote dialogs or end the program.
#pragma once
#include <windows.h>

extern const wchar_t kMainClassName[];
extern const char kMainWindowTitle[];

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers NUESTRA_CLASE with the program's icon, creates the main window
// (640 x 480 on a 96-dpi screen, scaled to the screen's) and shows it.
HWND OpenMainWindow(HINSTANCE instance);
