// What the three quote dialogs' "Imprimir" shares.
#include "dialogs/quote_printing.h"

#include <cstring>
#include <string>

#include "dialogs/failure_message.h"
#include "dialogs/window_text.h"
#include "print/body_rows.h"
#include "print/print_job.h"
#include "store/company_file.h"

namespace {

// The sheet's body box takes 24 rows of text under its blank first row.
constexpr std::size_t kSheetRows = 24;

}  // namespace

bool ShiftHeldOnPrint() { return GetKeyState(VK_SHIFT) < 0; }

bool PrintsWhole(HWND dialog, const QuoteRecord& quote) {
  std::string body(quote.body, strnlen(quote.body, sizeof quote.body));
  if (RowsFit(BodyRows(body), kSheetRows)) return true;
  return ShowMessage(dialog,
                     "El texto del presupuesto ocupa m\xE1s de las 24 l\xEDneas de la hoja; lo "
                     "que no cabe no se imprimir\xE1.\n\xBF" "Desea imprimirlo as\xED?",
                     "Presupuestos", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void PrintForDialog(HWND dialog, const QuoteRecord& quote, int32_t number, bool shiftHeld) {
  CompanyRead company = ReadCompanyFile();
  if (company.unreadable) {
    TellCompanyUnreadable(dialog, company.failure, true);
    return;
  }
  if (company.logoUnreadable) TellLogoUnreadableOnce(dialog, company.data.logo);
  bool choose = company.data.choosePrinter || shiftHeld;
  TellPrintResult(dialog, PrintQuote(quote, number, company.data, choose, dialog));
}
