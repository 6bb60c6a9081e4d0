// The print job: one quote as one page, on LPT1 where it can be opened and
// otherwise on a printer of the system chosen in its print dialog.
#pragma once
#include <cstdint>

#include <windows.h>

#include "store/quote_record.h"

enum class PrintResult {
  Printed,        // on LPT1, or handed whole to the spooler
  Cancelled,      // the print dialog was closed without printing
  NoPrinter,      // no LPT1, and the system has no printer either
  DeviceFailed,   // LPT1 opened but did not take the whole job
  SpoolerFailed,  // the chosen printer's job did not go through
};

// Sends the letterhead, the quote sheet of `quote` under `number` and a form
// feed to LPT1; where LPT1 cannot be opened, prints the same page through
// the system's print dialog, owned by `owner`.
PrintResult PrintQuote(const QuoteRecord& quote, int32_t number, HWND owner);
