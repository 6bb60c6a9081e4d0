// The PDF from the command line, for scripts: no window, no message box, no
// lock on the folder; the exit code tells.
#include "app/pdf_command.h"

#include <vector>

#include "app/command_line.h"
#include "print/page_pdf.h"
#include "store/chosen_file.h"
#include "store/company_file.h"
#include "store/quote_scan.h"

namespace {

// A quote number as typed: digits only, no larger than a number can be.
int32_t NumberIn(const std::wstring& text) {
  if (text.empty() || text.size() > 10) return 0;
  int64_t number = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return 0;
    number = number * 10 + (c - L'0');
  }
  return number <= INT32_MAX ? static_cast<int32_t>(number) : 0;
}

}  // namespace

bool PdfRequested(int32_t& number, std::wstring& path) {
  std::vector<std::wstring> arguments = CommandArguments();
  bool requested = !arguments.empty() && IsSwitch(arguments[0], L"/pdf");
  bool complete = requested && arguments.size() == 3;
  number = complete ? NumberIn(arguments[1]) : 0;
  path = complete ? arguments[2] : L"";
  return requested;
}

int RunPdfCommand(int32_t number, const std::wstring& path) {
  if (number <= 0 || path.empty() || number > StoredQuoteCount()) return 1;
  if (RefusePath(path).Refused()) return 1;
  QuoteRecord quote;
  if (!ReadQuoteAt(number, quote)) return 1;
  CompanyRead company = ReadCompanyFile();
  if (company.unreadable) return 1;
  DiskCause cause = DiskCause::None;
  return WriteWholeAt(path, QuotePdf(quote, number, company.data), cause) ? 0 : 1;
}
