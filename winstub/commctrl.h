// Native stand-in for <commctrl.h>: the common controls' start-up call, and
// the edit control's grey hint.
#pragma once
#include <windows.h>

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};

#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_STANDARD_CLASSES 0x00004000

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);

#define EM_SETCUEBANNER 0x1501
