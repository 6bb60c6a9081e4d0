// Printing the drawn page through the system's spooler, on the printer the
// user picks in the standard print dialog.
#pragma once
#include <cstdint>

#include <windows.h>

#include "print/print_job.h"

// Prints CurrentQuote as one page under the document name "Presupuesto N".
PrintResult PrintOnSpooler(int32_t number, HWND dialog);
