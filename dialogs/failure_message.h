// Tells the user that a quote did not reach the disk or the printer, or could
// not be read.
#pragma once
#include <cstdint>
#include <string>

#include <windows.h>

#include "print/print_job.h"
#include "store/quote_file.h"

// The general text, then the reason where the store gave one, or the cause
// where the system gave one.
void TellSaveFailed(HWND dialog, SaveRefusal why = SaveRefusal::None,
                    const DiskFailure& failure = DiskFailure());

// The quote `number` this new-quote dialog stored was corrected by another
// copy since: told with the way to see it, since this dialog, opened again,
// would show a new quote rather than the stored one.
void TellStoredQuoteChanged(HWND dialog, int32_t number);

// The sentence that names a failure's cause (a full disk, no permission, a
// file in use), empty where the system gave none; start-up's boxes add it.
std::string CauseSentence(const DiskFailure& failure);
// Says why a print did not go through; a print done or cancelled says nothing.
void TellPrintResult(HWND dialog, PrintResult result);

// empresa.ini is there but could not be read: nothing is printed or
// changed rather than the placeholders in place of the business's data.
void TellCompanyUnreadable(HWND dialog, const DiskFailure& failure, bool printing);

// The logo named in empresa.ini (`name`) is missing or no picture: the page
// goes out without it; said the first time only in each run of the program.
void TellLogoUnreadableOnce(HWND dialog, const std::string& name);

// Quote `number` could not be read from datos.dat: said when it is shown,
// and when "Imprimir" or "Guardar" refuses it rather than print or store
// empty texts under its number.
void TellUnreadable(HWND dialog, int32_t number);
void TellUnreadableNotPrinted(HWND dialog, int32_t number);
void TellUnreadableNotSaved(HWND dialog, int32_t number);
