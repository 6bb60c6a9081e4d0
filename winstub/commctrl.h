// Native stand-in for <commctrl.h>: the common controls' part of the
// stand-in lives in its windows.h.
#pragma once
#include <windows.h>
