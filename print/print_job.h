// The print job: one quote as one page, on LPT1 where it can be opened and
// otherwise on a printer of the system chosen in its print dialog.
#pragma once
#include <cstdint>

#include <windows.h>

#include "common/company_data.h"
#include "print/print_result.h"
#include "store/quote_record.h"

// Prints `quote` under `number` with `company`'s letterhead and IVA rate:
// the letterhead, the quote sheet and a form feed to LPT1, unless
// `choosePrinter` is set or LPT1 cannot be opened; then the same page is
// drawn on the printer chosen in the system's print dialog, owned by `owner`.
PrintResult PrintQuote(const QuoteRecord& quote, int32_t number, const CompanyData& company,
                       bool choosePrinter, HWND owner);
