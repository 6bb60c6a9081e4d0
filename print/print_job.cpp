// The print job: the quote as one page on LPT1, or through the spooler.
#include "print/print_job.h"

#include <fstream>

#include "print/letterhead.h"
#include "print/printer_stream.h"
#include "print/quote_sheet.h"
#include "print/spooler_job.h"

PrintResult PrintQuote(const QuoteRecord& quote, int32_t number, const CompanyData& company,
                       bool choosePrinter, HWND owner) {
  if (choosePrinter) return PrintOnSpooler(quote, number, company, owner);
  // Binary, so that the stream's own CR LF are the only ones on the wire.
  std::ofstream device("LPT1", std::ios::out | std::ios::binary | std::ios::trunc);
  if (!device.is_open()) return PrintOnSpooler(quote, number, company, owner);
  PrinterStream stream{device};
  WriteJobHead(stream, company);
  WriteQuoteSheet(stream, quote, number, company);
  WriteText(stream, "\f");
  device.close();
  return stream.failed || device.fail() ? PrintResult::DeviceFailed : PrintResult::Printed;
}
