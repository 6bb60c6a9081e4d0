// Moving through the stored quotes in the list and modify dialogs, one at a
// time, within 1 to the last stored quote.
#pragma once
#include <cstdint>

#include <windows.h>

#include "store/quote_record.h"

// The number of the quote on show; 0 when no quote is stored.
extern int32_t BrowseIndex;

// Opening: the newest quote that can be read into CurrentQuote and
// BrowseIndex on it (quotes counted but missing from datos.dat are not
// offered). With no quote stored, CurrentQuote is emptied and BrowseIndex
// is 0.
void LoadNewest();
// Opening on quote `number` (one chosen in the search) when it is stored;
// on the newest for any other number, as for 0.
void LoadOpening(int32_t number);

// Shows the quote loaded for BrowseIndex and, when it could not be read,
// says so: once each time the opening or a move lands on it.
void ShowBrowsed(HWND dialog);

// ">>" and "<<": load and show the next newer or older quote; at the end of
// the range nothing happens.
void ShowNewer(HWND dialog);
void ShowOlder(HWND dialog);
// A move to quote `number`, chosen in the search, made as the arrows make
// theirs; a number outside the stored quotes changes nothing.
void ShowChosen(HWND dialog, int32_t number);

// Whether a stored quote is on show (false only when none is stored).
bool QuoteOnShow();
// Whether the quote on show was read from datos.dat; one that was not shows
// empty texts, which must not be printed or stored under its number.
bool QuoteOnShowRead();
// Whether "Imprimir" may go on with the quote on show: one is stored and was
// read; one that could not be read is told as not printed.
bool PrintableOnShow(HWND dialog);

// What the list and modify dialogs handle alike, after their own commands:
// ">>", "<<", the search key (the quote chosen in the search), "Cancelar"
// (TRUE for every command), and the end of the dialog.
INT_PTR BrowseMessage(HWND dialog, UINT message, WPARAM wParam);

// The whole record of the quote on show, as read from datos.dat when it was
// shown, bytes after each text included: a correction is stored only while
// the disk still holds exactly this.
const QuoteRecord& QuoteAsShown();

// After a correction is stored: the record on disk is now CurrentQuote's, as
// the store writes it, and is what a further correction compares with.
void TakeSavedAsShown();
