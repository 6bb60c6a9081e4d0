// Printing the drawn page through the system's spooler, on the printer the
// user picks in the standard print dialog.
#pragma once
#include <cstdint>

#include <windows.h>

#include "print/print_job.h"
#include "store/quote_record.h"

// Prints `quote` as one page under the document name "Presupuesto N".
PrintResult PrintOnSpooler(const QuoteRecord& quote, int32_t number, HWND owner);
