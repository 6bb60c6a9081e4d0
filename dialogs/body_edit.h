// The quote's body on screen wrapped where the printed sheet wraps it.
#pragma once
#include <windows.h>

// Narrows the body edit's text to the printed row's 76 characters, so that
// the screen breaks each line where the sheet does, and gives it every row
// of its height; where the control is narrower than that it is left as it is.
void WrapBodyAtSheetRows(HWND dialog);

// The body's word-break procedure: words end at spaces and tabs only, where
// the sheet breaks its rows.
int CALLBACK BreakAtSpaces(LPWSTR text, int at, int length, int action);
