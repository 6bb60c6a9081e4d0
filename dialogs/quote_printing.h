// Printing the quote a dialog shows, with the business's data as it stands
// now in empresa.ini, and a body too long for the sheet told first.
#pragma once
#include <cstdint>

#include <windows.h>

#include "store/quote_record.h"

// Prints `quote` under `number`, on the printer that the business chose
// (LPT1, or the print dialog every time; Shift held on "Imprimir" opens the
// print dialog for this one quote). Says why where it did not print.
void PrintForDialog(HWND dialog, const QuoteRecord& quote, int32_t number);
