// What the quote dialogs' edits do not take is never dropped without a word:
// a character typed past a field's end beeps, and pasted text that is cut
// is told.
#pragma once
#include <windows.h>

// The dialog's five quote edits paste only what fits their field (and, in
// the body, the sheet's rows), and say when part was left out.
void FitPastesToFields(HWND dialog);

// A watched edit's window procedure; WM_PASTE is handled here.
LRESULT CALLBACK PasteWhatFits(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

// For a quote dialog's WM_COMMAND: true, after a beep, when an edit refused
// what was typed into it (EN_MAXTEXT), as the system's own edits sound.
bool BeepWhenFull(WPARAM wParam);
