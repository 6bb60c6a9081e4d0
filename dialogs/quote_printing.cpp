// What the three quote dialogs' "Imprimir", "Guardar PDF" and "Enviar por
// correo" share.
#include "dialogs/quote_printing.h"

#include <cstring>
#include <string>

#include "dialogs/failure_message.h"
#include "dialogs/quote_pdf.h"
#include "dialogs/window_text.h"
#include "print/body_rows.h"
#include "print/print_job.h"
#include "resources/resource.h"
#include "store/company_file.h"

namespace {

// The sheet's body box takes 24 rows of text under its blank first row.
constexpr std::size_t kSheetRows = 24;

// The chosen item's id, IDC_SAVE_PDF or IDC_MAIL; 0 when the menu was closed.
int ChooseFromPdfMenu(HWND dialog, int button) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return 0;
  AppendMenuW(menu, MF_STRING, IDC_SAVE_PDF, L"&Guardar PDF");
  AppendMenuW(menu, MF_STRING, IDC_MAIL, L"Enviar por c&orreo");
  RECT place{};
  GetWindowRect(GetDlgItem(dialog, button), &place);
  int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTALIGN,
                                               place.right, place.bottom, 0, dialog, nullptr));
  DestroyMenu(menu);
  return chosen;
}

}  // namespace

bool ShiftHeldOnPrint() { return GetKeyState(VK_SHIFT) < 0; }

bool PrintsWhole(HWND dialog, const QuoteRecord& quote, QuoteOutput output) {
  std::string body(quote.body, strnlen(quote.body, sizeof quote.body));
  if (RowsFit(BodyRows(body), kSheetRows)) return true;
  const char* cut = output == QuoteOutput::Print
                        ? "no se imprimir\xE1.\n\xBF" "Desea imprimirlo as\xED?"
                        : "no saldr\xE1 en el PDF.\n\xBF" "Desea hacerlo as\xED?";
  return ShowMessage(dialog,
                     std::string("El texto del presupuesto ocupa m\xE1s de las 24 l\xEDneas de la "
                                 "hoja; lo que no cabe ") + cut,
                     "Presupuestos", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void OutputForDialog(HWND dialog, const QuoteRecord& quote, int32_t number, QuoteOutput output,
                     bool shiftHeld) {
  CompanyRead company = ReadCompanyFile();
  if (company.unreadable) {
    TellCompanyUnreadable(dialog, company.failure, output == QuoteOutput::Print);
    return;
  }
  // Every output goes on without a logo that cannot be read, told once.
  if (company.logoUnreadable) TellLogoUnreadableOnce(dialog, company.data.logo);
  switch (output) {
    case QuoteOutput::Print: {
      bool choose = company.data.choosePrinter || shiftHeld;
      TellPrintResult(dialog, PrintQuote(quote, number, company.data, choose, dialog));
      break;
    }
    case QuoteOutput::Pdf:
      SavePdfForDialog(dialog, quote, number, company.data);
      break;
    case QuoteOutput::Mail:
      MailPdfForDialog(dialog, quote, number, company.data);
      break;
  }
}

std::optional<QuoteOutput> OutputAsked(HWND dialog, int id) {
  if (id == IDC_PDF_MENU) id = ChooseFromPdfMenu(dialog, IDC_PDF_MENU);
  switch (id) {
    case IDC_PRINT: return QuoteOutput::Print;
    case IDC_SAVE_PDF: return QuoteOutput::Pdf;
    case IDC_MAIL: return QuoteOutput::Mail;
    default: return std::nullopt;
  }
}
