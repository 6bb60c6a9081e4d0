// Printing the drawn page through the system's spooler, on the printer the
// user picks in the standard print dialog.
#pragma once
#include <cstdint>

#include <windows.h>

#include "common/company_data.h"
#include "print/print_result.h"
#include "store/quote_record.h"

// Prints `quote` as one page under the document name "Presupuesto N". The
// dialog opens on the default printer, or on the first one where none is
// the default; it offers no printing to a file.
PrintResult PrintOnSpooler(const QuoteRecord& quote, int32_t number, const CompanyData& company,
                           HWND owner);
