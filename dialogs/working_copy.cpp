// The working-copy steps shared by the quote dialogs.
#include "dialogs/working_copy.h"

#include <cstring>
#include <string>

#include "common/number_text.h"
#include "resources/resource.h"
#include "store/quote_file.h"

QuoteRecord QuoteSnapshot;
unsigned char Modified = 0;
unsigned char IsNew = 0;

namespace {

bool SameField(const char* a, const char* b, std::size_t width) {
  return std::strncmp(a, b, width) == 0;
}

}  // namespace

void ShowQuote(HWND dialog, int32_t number) {
  SetDlgItemTextA(dialog, IDC_BODY, CurrentQuote.body);
  SetDlgItemTextA(dialog, IDC_DATE, CurrentQuote.date);
  SetDlgItemTextA(dialog, IDC_NAME, CurrentQuote.name);
  SetDlgItemTextA(dialog, IDC_ADDRESS, CurrentQuote.address);
  SetDlgItemTextA(dialog, IDC_TOTAL, CurrentQuote.total);
  std::string label = "Presupuesto N\xBA: " + IntToText(number, 0);
  SetDlgItemTextA(dialog, IDC_NUMBER, label.c_str());
}

void ReadControls(HWND dialog) {
  GetDlgItemTextA(dialog, IDC_BODY, CurrentQuote.body, kBodyWidth);
  GetDlgItemTextA(dialog, IDC_DATE, CurrentQuote.date, kFieldWidth);
  GetDlgItemTextA(dialog, IDC_NAME, CurrentQuote.name, kFieldWidth);
  GetDlgItemTextA(dialog, IDC_ADDRESS, CurrentQuote.address, kFieldWidth);
  GetDlgItemTextA(dialog, IDC_TOTAL, CurrentQuote.total, kFieldWidth);
}

void TakeSnapshot() { CopyQuote(QuoteSnapshot, CurrentQuote); }

bool QuoteChanged() {
  return !SameField(CurrentQuote.body, QuoteSnapshot.body, kBodyWidth) ||
         !SameField(CurrentQuote.name, QuoteSnapshot.name, kFieldWidth) ||
         !SameField(CurrentQuote.date, QuoteSnapshot.date, kFieldWidth) ||
         !SameField(CurrentQuote.address, QuoteSnapshot.address, kFieldWidth) ||
         !SameField(CurrentQuote.total, QuoteSnapshot.total, kFieldWidth);
}

bool SaveWorkingCopy(unsigned char isNew, int32_t number, SaveRefusal* refusal,
                     DiskFailure* failure) {
  if (!SaveQuote(isNew, number, refusal, failure)) return false;
  TakeSnapshot();
  Modified = 0;
  IsNew = 0;
  return true;
}
