// The print job: the dialog's quote as one page on LPT1, or through the
// spooler where there is no LPT1.
#include "print/print_job.h"

#include <fstream>

#include "print/letterhead.h"
#include "print/printer_stream.h"
#include "print/quote_sheet.h"
#include "print/spooler_job.h"
#include "resources/resource.h"
#include "store/quote_record.h"

namespace {
void ReadField(HWND dialog, int id, char* field, std::size_t width) {
  GetDlgItemTextA(dialog, id, field, static_cast<int>(width));
}
}  // namespace

PrintResult PrintQuote(int32_t number, HWND dialog) {
  // The fields are taken even when the printer turns out to be unreachable.
  ReadField(dialog, IDC_BODY, CurrentQuote.body, kBodyWidth);
  ReadField(dialog, IDC_DATE, CurrentQuote.date, kFieldWidth);
  ReadField(dialog, IDC_NAME, CurrentQuote.name, kFieldWidth);
  ReadField(dialog, IDC_ADDRESS, CurrentQuote.address, kFieldWidth);
  ReadField(dialog, IDC_TOTAL, CurrentQuote.total, kFieldWidth);

  // Binary, so that the stream's own CR LF are the only ones on the wire.
  std::ofstream device("LPT1", std::ios::out | std::ios::binary | std::ios::trunc);
  if (!device.is_open()) return PrintOnSpooler(number, dialog);
  PrinterStream stream{device};
  WriteJobHead(stream);
  WriteQuoteSheet(stream, number);
  WriteText(stream, "\f");
  device.close();
  return stream.failed || device.fail() ? PrintResult::DeviceFailed : PrintResult::Printed;
}
