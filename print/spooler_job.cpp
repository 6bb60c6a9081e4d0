// The spooler job: the print dialog with one copy, then one page on the
// device context it returns.
#include "print/spooler_job.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "common/windows1252.h"
#include "print/page_drawing.h"
#include "print/page_model.h"

namespace {

PrintResult PrintPage(HDC dc, const QuoteRecord& quote, int32_t number,
                      const CompanyData& company) {
  std::wstring name = Widen("Presupuesto " + IntToText(number, 0));
  DOCINFOW document{};
  document.cbSize = sizeof document;
  document.lpszDocName = name.c_str();
  if (StartDocW(dc, &document) <= 0) {
    // A printer that asks for a file name itself (a PDF printer) makes
    // StartDoc fail this way when its prompt is cancelled.
    return GetLastError() == ERROR_CANCELLED ? PrintResult::Cancelled : PrintResult::SpoolerFailed;
  }
  if (StartPage(dc) <= 0) {
    AbortDoc(dc);
    return PrintResult::SpoolerFailed;
  }
  DrawPage(dc, QuotePage(quote, number, company));
  if (EndPage(dc) <= 0) {
    AbortDoc(dc);
    return PrintResult::SpoolerFailed;
  }
  return EndDoc(dc) > 0 ? PrintResult::Printed : PrintResult::SpoolerFailed;
}

bool HasDefaultPrinter() {
  DWORD nameSize = 0;
  return GetDefaultPrinterW(nullptr, &nameSize) || GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

// The name of some printer of the system, or nothing.
std::wstring FirstPrinter() {
  DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0) return std::wstring();
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count) || count == 0) {
    return std::wstring();
  }
  const auto* first = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  return first->pPrinterName ? std::wstring(first->pPrinterName) : std::wstring();
}

// The print dialog's starting printer, as the DEVNAMES block it takes.
HGLOBAL DeviceNames(const std::wstring& printer) {
  std::size_t size = sizeof(DEVNAMES) + (printer.size() + 2) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* names = block ? static_cast<DEVNAMES*>(GlobalLock(block)) : nullptr;
  if (!names) return block;
  // Offsets count wide characters from the block's start; the driver and
  // the port are left empty for the dialog to fill in.
  WORD first = static_cast<WORD>(sizeof(DEVNAMES) / sizeof(wchar_t));
  names->wDriverOffset = static_cast<WORD>(first + printer.size() + 1);
  names->wDeviceOffset = first;
  names->wOutputOffset = names->wDriverOffset;
  std::memcpy(reinterpret_cast<wchar_t*>(names) + first, printer.c_str(),
              (printer.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  return block;
}

}  // namespace

PrintResult PrintOnSpooler(const QuoteRecord& quote, int32_t number, const CompanyData& company,
                           HWND owner) {
  // With no printer, the print dialog shows its own box on some systems
  // (Wine's, whatever its flags say); the program asks first and says it
  // once, in its own words. Where printers exist but none is the default,
  // the dialog is given one to start from, which it would refuse to guess.
  PRINTDLGW choice{};
  if (!HasDefaultPrinter()) {
    std::wstring printer = FirstPrinter();
    if (printer.empty()) return PrintResult::NoPrinter;
    choice.hDevNames = DeviceNames(printer);
  }
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = owner;
  choice.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING |
                 PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE | PD_DISABLEPRINTTOFILE;
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
  PrintResult printed = PrintPage(choice.hDC, quote, number, company);
  DeleteDC(choice.hDC);
  return printed;
}
