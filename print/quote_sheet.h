// The printed quote: CurrentQuote as 42 boxed lines of 80 columns.
#pragma once
#include <cstdint>

#include "print/printer_stream.h"

// Writes the header box, the 25-row body box and the Subtotal, IVA and Total
// boxes for quote `number`; leaves the stream open and sends no form feed.
void WriteQuoteSheet(PrinterStream& stream, int32_t number);
