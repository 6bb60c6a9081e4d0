// Printing the quote a dialog shows, with the business's data as it stands
// now in empresa.ini, and a body too long for the sheet told first.
#pragma once
#include <cstdint>

#include <windows.h>

#include "store/quote_record.h"

// What "Imprimir" takes from each quote dialog.
struct PrintSteps {
  // The quote to print, read from the dialog; null when there is none (the
  // user told where it matters).
  const QuoteRecord* (*quote)(HWND dialog);
  // Stores it first where it is not stored as it stands, so that it prints
  // under the number it is stored as; false (the user told) when it could
  // not be. Null where the dialog stores nothing.
  bool (*storeFirst)(HWND dialog);
  // Its number, once stored.
  int32_t (*number)();
};

// "Imprimir": Shift read first of all (the print dialog for this one quote),
// before any box can take the user's hand off the key; a text longer than
// the sheet asked about before the quote is stored, so that "No" leaves it
// as it was; then the quote printed on the printer the business chose (LPT1,
// or the print dialog every time). Says why where it did not print: also
// where empresa.ini is there but cannot be read, rather than print
// placeholders.
void PrintFromDialog(HWND dialog, const PrintSteps& steps);
