// The printed quote: one quote as 42 boxed lines of 80 columns.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "print/printer_stream.h"
#include "print/sheet_text.h"
#include "store/quote_record.h"

// The header box, the 25-row body box and the Subtotal, IVA and Total boxes
// for quote `number`, each line in its printer bytes and its characters.
// IVA and Total are worked out where `vatRate` (as typed: "21", "5,5") and
// the quote's total read as numbers.
std::vector<SheetText> QuoteSheetLines(const QuoteRecord& quote, int32_t number,
                                       const std::string& vatRate);

// Writes the lines' printer bytes, each followed by a line end; leaves the
// stream open and sends no form feed.
void WriteQuoteSheet(PrinterStream& stream, const QuoteRecord& quote, int32_t number,
                     const std::string& vatRate);
