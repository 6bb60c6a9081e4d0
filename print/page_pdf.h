// The page model as a one-page PDF: A4, the standard Courier faces (no font
// file) in Windows-1252, real text, the box rules as lines.
#pragma once
#include <string>

#include "print/page_model.h"

// The PDF file's bytes. The same page gives the same bytes: no date, no
// file identifier.
std::string PagePdf(const PageModel& page);

// The PDF of `quote` under `number`: the page that the print dialog draws.
std::string QuotePdf(const QuoteRecord& quote, int32_t number, const CompanyData& company);
