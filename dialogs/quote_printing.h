// Printing the quote a dialog shows, with the business's data as it stands
// now in empresa.ini, and a body too long for the sheet told first.
#pragma once
#include <cstdint>

#include <windows.h>

#include "store/quote_record.h"

// Whether Shift is held on "Imprimir" (the print dialog for this one quote).
// Read first of all, before any box can take the user's hand off the key.
bool ShiftHeldOnPrint();

// Whether `quote`'s whole text fits on the sheet, or the user wants it
// printed cut. Asked before the quote is stored, so that "No" leaves it as
// it was.
bool PrintsWhole(HWND dialog, const QuoteRecord& quote);

// Prints `quote` under `number`, on the printer that the business chose
// (LPT1, or the print dialog every time; `shiftHeld` opens the print dialog
// for this one quote). Says why where it did not print: also where
// empresa.ini is there but cannot be read, rather than print placeholders.
void PrintForDialog(HWND dialog, const QuoteRecord& quote, int32_t number, bool shiftHeld);
