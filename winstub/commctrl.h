// Native stand-in for <commctrl.h>: the common controls' start-up call.
#pragma once
#include <windows.h>

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};

#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_STANDARD_CLASSES 0x00004000

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
