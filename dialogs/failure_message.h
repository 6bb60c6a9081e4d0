// Tells the user that a quote did not reach the disk or the printer.
#pragma once
#include <windows.h>

#include "print/print_job.h"

void TellSaveFailed(HWND dialog);
// Says why a print did not go through; a print done or cancelled says nothing.
void TellPrintResult(HWND dialog, PrintResult result);
