// Test hooks of the native Win32 stand-in: set what controls hold and what
// message boxes answer, and read back what the program did.
#pragma once
#include <map>
#include <string>
#include <vector>

#include <windows.h>

struct StandInMessageBox {
  std::string text;
  std::string caption;
  unsigned type;
  HWND owner;
};

struct StandInWindow {
  std::string className;
  std::string text;
  DWORD style;
  int x, y, width, height;
  int id;
};

struct StandInState {
  std::map<int, std::string> controlText;   // what each dialog control holds
  std::map<int, int> typingLimit;           // EM_LIMITTEXT per control
  std::vector<std::string> calls;           // one line per call, in order
  std::vector<StandInMessageBox> boxes;     // message boxes shown
  std::vector<int> boxAnswers;              // answers still to give, in order
  std::vector<StandInWindow> windows;       // windows created
  std::vector<std::string> dialogsOpened;   // template names given to DialogBoxParamA
  std::vector<MSG> queue;                   // messages GetMessageA will hand out
  WNDCLASSA registeredClass{};
  std::string registeredClassName;
  int focusId = 0;
  bool ended = false;                       // EndDialog was called
  INT_PTR endResult = -1;
  std::vector<DWORD> openErrors;            // errors of the next CreateFileA calls, 0 opens
  DWORD lastError = 0;
  TEXTMETRICA metrics{16, 13, 3, 0, 0, 8, 16};
};

// The one process-wide stand-in state; StandInReset() empties it.
StandInState& StandIn();
void StandInReset();

// A dialog handle tests pass to dialog procedures.
HWND StandInDialog();

// The control id that a handle from GetDlgItem stands for.
int StandInControlId(HWND control);
