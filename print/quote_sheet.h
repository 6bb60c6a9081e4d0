// The printed quote: one quote as 42 boxed lines of 80 columns, and the
// business's lines under them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/company_data.h"
#include "print/printer_stream.h"
#include "print/sheet_text.h"
#include "store/quote_record.h"

// Characters a line under the boxes has room for, from the sheet's third
// column as the body's rows.
constexpr std::size_t kFooterRoom = 76;

// The header box, the 25-row body box and the Subtotal, IVA and Total boxes
// for quote `number`, each line in its printer bytes and its characters;
// then, where `company` has lines for under the boxes, an empty line and
// those lines. IVA and Total are worked out where `company`'s IVA rate (as
// typed: "21", "5,5") and the quote's total read as numbers.
std::vector<SheetText> QuoteSheetLines(const QuoteRecord& quote, int32_t number,
                                       const CompanyData& company);

// Writes the lines' printer bytes, each followed by a line end; leaves the
// stream open and sends no form feed.
void WriteQuoteSheet(PrinterStream& stream, const QuoteRecord& quote, int32_t number,
                     const CompanyData& company);
