// The printed page, free of any platform: texts with sizes and weights, box
// rules as lines and the logo, on a grid of 10 columns and 6 rows an inch.
#pragma once
#include <cstdint>

#include "common/company_data.h"
#include "print/page_parts.h"
#include "store/quote_record.h"

// The page of `quote` under `number`: `company`'s letterhead with its logo,
// then the quote sheet's lines at the rows they take on LPT1.
PageModel QuotePage(const QuoteRecord& quote, int32_t number, const CompanyData& company);
