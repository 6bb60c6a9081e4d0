// What the three quote dialogs' "Imprimir" shares.
#include "dialogs/quote_printing.h"

#include <cstring>
#include <string>

#include "common/number_text.h"
#include "dialogs/failure_message.h"
#include "dialogs/window_text.h"
#include "print/body_rows.h"
#include "print/print_job.h"
#include "store/company_file.h"

namespace {

bool PrintsWhole(HWND dialog, const QuoteRecord& quote) {
  std::string body(quote.body, strnlen(quote.body, sizeof quote.body));
  if (RowsFit(BodyRows(body), kSheetBodyRows)) return true;
  std::string rows = IntToText(static_cast<int32_t>(kSheetBodyRows), 0);
  return ShowMessage(dialog,
                     "El texto del presupuesto ocupa m\xE1s de las " + rows +
                         " l\xEDneas de la hoja; lo que no cabe no se imprimir\xE1.\n\xBF"
                         "Desea imprimirlo as\xED?",
                     "Presupuestos", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void PrintOn(HWND dialog, const QuoteRecord& quote, int32_t number, bool shiftHeld) {
  CompanyRead company = ConvertAndReadCompanyFile();
  if (company.unreadable) {
    TellCompanyUnreadable(dialog, company.failure, true);
    return;
  }
  bool choose = company.data.choosePrinter || shiftHeld;
  TellPrintResult(dialog, PrintQuote(quote, number, company.data, choose, dialog));
}

}  // namespace

void PrintFromDialog(HWND dialog, const PrintSteps& steps) {
  bool shiftHeld = GetKeyState(VK_SHIFT) < 0;
  const QuoteRecord* quote = steps.quote(dialog);
  if (!quote || !PrintsWhole(dialog, *quote)) return;
  if (steps.storeFirst && !steps.storeFirst(dialog)) return;
  PrintOn(dialog, *quote, steps.number(), shiftHeld);
}
