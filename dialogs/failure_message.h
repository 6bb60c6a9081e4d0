// Tells the user that a quote did not reach the disk or the printer.
#pragma once
#include <windows.h>

void TellSaveFailed(HWND dialog);
void TellPrintFailed(HWND dialog);
