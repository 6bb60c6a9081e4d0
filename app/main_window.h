// The main window: class NUESTRA_CLASE, background picture, four buttons that
// open the three quote dialogs or end the program.
#pragma once
#include <windows.h>

extern const wchar_t kMainClassName[];
extern const char kMainWindowTitle[];

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registers NUESTRA_CLASE, creates the 640 x 480 main window and shows it.
HWND OpenMainWindow(HINSTANCE instance);
