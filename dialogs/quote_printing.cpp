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

// Whether the whole body fits on the sheet, or the user wants it printed cut.
bool PrintsWhole(HWND dialog, const QuoteRecord& quote) {
  std::string body(quote.body, strnlen(quote.body, sizeof quote.body));
  if (RowsFit(BodyRows(body), kSheetRows)) return true;
  return ShowMessage(dialog,
                     "El texto del presupuesto ocupa m\xE1s de las 24 l\xEDneas de la hoja; lo "
                     "que no cabe no se imprimir\xE1.\n\xBF" "Desea imprimirlo as\xED?",
                     "Presupuestos", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

}  // namespace

void PrintForDialog(HWND dialog, const QuoteRecord& quote, int32_t number) {
  if (!PrintsWhole(dialog, quote)) return;
  CompanyData company = ReadCompanyData();
  bool choose = company.choosePrinter || GetKeyState(VK_SHIFT) < 0;
  TellPrintResult(dialog, PrintQuote(quote, number, company, choose, dialog));
}
