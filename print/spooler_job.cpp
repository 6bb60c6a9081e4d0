// The spooler job: the print dialog with the default printer and one copy,
// then one page on the device context it returns.
#include "print/spooler_job.h"

#include <string>

#include "common/number_text.h"
#include "common/windows1252.h"
#include "print/page_drawing.h"
#include "print/page_model.h"

namespace {

bool PrintPage(HDC dc, const QuoteRecord& quote, int32_t number) {
  std::wstring name = Widen("Presupuesto " + IntToText(number, 0));
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = name.c_str();
  if (StartDocW(dc, &document) <= 0) return false;
  if (StartPage(dc) <= 0) {
    AbortDoc(dc);
    return false;
  }
  DrawPage(dc, QuotePage(quote, number));
  if (EndPage(dc) <= 0) {
    AbortDoc(dc);
    return false;
  }
  return EndDoc(dc) > 0;
}

}  // namespace

PrintResult PrintOnSpooler(const QuoteRecord& quote, int32_t number, HWND owner) {
  // With no printer, the print dialog shows its own box on some systems
  // (Wine's, whatever its flags say); the program asks first and says it
  // once, in its own words.
  DWORD nameSize = 0;
  if (!GetDefaultPrinterW(nullptr, &nameSize) && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return PrintResult::NoPrinter;
  }
  PRINTDLGW choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = owner;
  choice.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING |
                 PD_USEDEVMODECOPIESANDCOLLATE;
  choice.nCopies = 1;
  BOOL chosen = PrintDlgW(&choice);
  DWORD error = chosen ? 0 : CommDlgExtendedError();
  if (choice.hDevMode) GlobalFree(choice.hDevMode);
  if (choice.hDevNames) GlobalFree(choice.hDevNames);
  if (!chosen) {
    if (error == 0) return PrintResult::Cancelled;
    bool none = error == PDERR_NODEFAULTPRN || error == PDERR_PRINTERNOTFOUND;
    return none ? PrintResult::NoPrinter : PrintResult::SpoolerFailed;
  }
  if (!choice.hDC) return PrintResult::SpoolerFailed;
  bool printed = PrintPage(choice.hDC, quote, number);
  DeleteDC(choice.hDC);
  return printed ? PrintResult::Printed : PrintResult::SpoolerFailed;
}
