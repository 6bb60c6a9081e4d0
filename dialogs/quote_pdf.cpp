// The PDF for the dialogs: written where the user will look for it, and
// every way it can fail told with where the file is or why it is not.
#include "dialogs/quote_pdf.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "common/number_text.h"
#include "common/windows1252.h"
#include "dialogs/failure_message.h"
#include "dialogs/quote_mail.h"
#include "dialogs/window_text.h"
#include "print/page_pdf.h"
#include "store/pdf_folder.h"

namespace {

std::string ThePdfOf(int32_t number) { return "el PDF del presupuesto " + IntToText(number, 0); }

// Writes the PDF; false, after telling why, when it was not written.
bool WritePdf(HWND dialog, const QuoteRecord& quote, int32_t number, const CompanyData& company,
              std::wstring& path) {
  std::wstring name = PdfFileName(number, std::string(quote.name, strnlen(quote.name, kFieldWidth)));
  PdfSaved saved = SaveInPdfFolder(name, QuotePdf(quote, number, company));
  path = saved.path;
  if (saved.written) return true;
  DiskFailure failure;
  failure.cause = saved.cause;
  failure.file = saved.folderMissing ? Narrow(kPdfFolder) : Narrow(name);
  std::string text = "No se ha podido guardar " + ThePdfOf(number) +
                     (saved.folderMissing ? ": no se ha podido crear la carpeta PDF."
                                          : " en la carpeta PDF.");
  ShowMessage(dialog, text + CauseSentence(failure), "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
  return false;
}

}  // namespace

void SavePdfForDialog(HWND dialog, const QuoteRecord& quote, int32_t number, const CompanyData& company) {
  std::wstring path;
  if (!WritePdf(dialog, quote, number, company, path)) return;
  int answer = ShowMessage(dialog, "Se ha guardado " + ThePdfOf(number) + " en la carpeta PDF:\n" + Narrow(path) +
                                       "\n\n\xBF" "Desea abrir la carpeta?",
                           "Presupuestos", MB_YESNO | MB_ICONINFORMATION);
  if (answer != IDYES) return;
  std::wstring folder = path.substr(0, path.find_last_of(L"\\/"));
  ShellExecuteW(dialog, L"explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MailPdfForDialog(HWND dialog, const QuoteRecord& quote, int32_t number, const CompanyData& company) {
  std::wstring path;
  if (!WritePdf(dialog, quote, number, company, path)) return;
  switch (OpenMailMessage(dialog, MailSubject(number, company), MailBody(quote, number, company), path)) {
    case MailResult::Opened:
      break;
    case MailResult::Cancelled:
      ShowMessage(dialog, "No se ha enviado el correo: el mensaje se cerr\xF3 sin enviarlo.\n"
                          "El PDF est\xE1 guardado en la carpeta PDF:\n" + Narrow(path),
                  "Presupuestos", MB_OK | MB_ICONINFORMATION);
      break;
    case MailResult::NoProgram:
      ShowMessage(dialog, "No se ha podido abrir un mensaje nuevo: no hay ning\xFAn programa de correo "
                          "preparado en este equipo.\nEl PDF est\xE1 guardado en la carpeta PDF, para "
                          "adjuntarlo a mano:\n" + Narrow(path),
                  "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
      break;
  }
}
