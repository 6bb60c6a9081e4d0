// The main window is laid out in the pixels of a 96-dpi screen; these fit it
// to the screen's dots per inch, keeping every button on its place of the picture.
#pragma once
#include <windows.h>

// The screen's dots per inch, as the program (aware of them) sees it.
int ScreenDpi();

// A length of the 96-dpi layout on the screen.
int ToScreen(int pixels, int dpi);

// The character cell the buttons' size is counted in: the System font's, but
// never smaller than that of a 96-dpi screen (7 x 16) scaled to this one, for
// a System font that does not grow with the screen (Wine's keeps its width).
void ButtonCell(const TEXTMETRICW& metrics, int dpi, int* width, int* height);

// The background picture scaled to the screen (the one given, where there is
// no picture or nothing to scale).
HANDLE PictureForScreen(HANDLE bitmap, int dpi);

// Moves buttons laid out in 96-dpi pixels to their place on the screen and
// gives them the dialogs' font, Courier New 9, at the screen's size.
void FitButtonsToScreen(const HWND* buttons, int count, int dpi);
