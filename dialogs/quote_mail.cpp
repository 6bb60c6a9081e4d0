// The e-mail's texts and the hand-over to Simple MAPI. The program sends
// nothing itself: the mail program shows the message for the user to send.
#include "dialogs/quote_mail.h"

#include <vector>

#include "common/number_text.h"
#include "common/windows1252.h"
#include "common/simple_mapi.h"
#include "print/amounts.h"
#include "store/quote_scan.h"

namespace {

using MapiSendMailW = uint32_t(WINAPI*)(uintptr_t session, uintptr_t parent, MapiMessageW* message,
                                        uint32_t flags, uint32_t reserved);

bool Named(const CompanyData& company) {
  return !company.name.empty() && company.name != CompanyData().name;
}

std::string Trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The total as the sheet's boxes show it: with IVA where it is worked out,
// else the amount typed; empty where none was.
std::string TotalSentence(const QuoteRecord& quote, const CompanyData& company) {
  std::string typed = Trimmed(std::string(quote.total, FieldLength(quote.total, kFieldWidth)));
  auto amount = ReadAmount(typed);
  auto rate = ReadRate(company.vatRate);
  if (amount && rate) return ", por un total de " + AmountText(*amount + VatOn(*amount, *rate)) + " (IVA incluido)";
  if (amount) return ", por un importe de " + AmountText(*amount);
  if (!typed.empty()) return ", por un importe de " + typed;
  return std::string();
}

}  // namespace

std::string MailSubject(int32_t number, const CompanyData& company) {
  std::string subject = "Presupuesto N\xBA " + IntToText(number, 0);
  if (Named(company)) subject += " - " + company.name;
  return subject;
}

std::string MailBody(const QuoteRecord& quote, int32_t number, const CompanyData& company) {
  std::string body = "Buenos d\xED" "as:\r\n\r\nLe enviamos adjunto el presupuesto n\xBA " + IntToText(number, 0) +
                     TotalSentence(quote, company) +
                     ".\r\n\r\nQuedamos a su disposici\xF3n para cualquier consulta.\r\n\r\nUn saludo,\r\n";
  if (Named(company)) body += company.name + "\r\n";
  return body;
}

MailResult OpenMailMessage(HWND dialog, const std::string& subject, const std::string& body,
                           const std::wstring& path) {
  HMODULE mapi = LoadLibraryW(L"mapi32.dll");
  if (!mapi) return MailResult::NoProgram;
  auto send = reinterpret_cast<MapiSendMailW>(
      reinterpret_cast<void*>(GetProcAddress(mapi, "MAPISendMailW")));
  if (!send) {
    FreeLibrary(mapi);
    return MailResult::NoProgram;
  }
  std::wstring wideSubject = Widen(subject), wideBody = Widen(body), widePath = path;
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  MapiFileDescW file{};
  file.nPosition = 0xFFFFFFFF;
  file.lpszPathName = &widePath[0];
  file.lpszFileName = &name[0];
  MapiMessageW message{};
  message.lpszSubject = &wideSubject[0];
  message.lpszNoteText = &wideBody[0];
  message.nFileCount = 1;
  message.lpFiles = &file;
  uint32_t result = send(0, reinterpret_cast<uintptr_t>(dialog), &message, kMapiDialog | kMapiLogonUi, 0);
  FreeLibrary(mapi);
  if (result == kMapiSuccess) return MailResult::Opened;
  return result == kMapiUserAbort ? MailResult::Cancelled : MailResult::NoProgram;
}
