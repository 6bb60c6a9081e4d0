// Windows-1252 texts in and out of the program's windows, through the
// system's wide calls, so that no system code page changes a letter.
#pragma once
#include <cstddef>
#include <string>

#include <windows.h>

void SetControlText(HWND dialog, int id, const std::string& text);

// The control's text, at most `capacity` - 1 characters (one byte each). A
// character that Windows-1252 lacks comes back as "?", and `replaced`, when
// given, is then set.
std::string ControlText(HWND dialog, int id, std::size_t capacity, bool* replaced = nullptr);

// A message box owned by `owner`; the answer as MessageBox gives it.
int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT type);

// Says that typed characters were taken as "?". The caller puts the taken
// text back into the control, so the same characters are told only once.
void TellReplaced(HWND owner);

// "Cancelar" or Esc (IDCANCEL) in a dialog that asks nothing on closing: ends
// it with 0. False, and nothing done, for any other command.
bool EndedByCancel(HWND dialog, int id);
