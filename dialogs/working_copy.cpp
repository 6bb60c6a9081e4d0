// The working-copy steps shared by the quote dialogs.
#include "dialogs/working_copy.h"

#include <cstring>
#include <string>

#include "common/number_text.h"
#include "dialogs/window_text.h"
#include "resources/resource.h"
#include "store/quote_file.h"

QuoteRecord QuoteSnapshot;
unsigned char Modified = 0;
unsigned char IsNew = 0;

namespace {

bool SameField(const char* a, const char* b, std::size_t width) {
  return std::strncmp(a, b, width) == 0;
}

// One edit into its field; the control then shows what is kept, so that a
// character taken as "?" is not told of again.
void ReadField(HWND dialog, int id, char* field, std::size_t width, bool& anyReplaced) {
  bool replaced = false;
  std::string text = ControlText(dialog, id, width, &replaced);
  CopyField(field, width, text.c_str());
  if (replaced) SetControlText(dialog, id, text);
  anyReplaced = anyReplaced || replaced;
}

}  // namespace

void ShowQuote(HWND dialog, int32_t number) {
  SetControlText(dialog, IDC_BODY, CurrentQuote.body);
  SetControlText(dialog, IDC_DATE, CurrentQuote.date);
  SetControlText(dialog, IDC_NAME, CurrentQuote.name);
  SetControlText(dialog, IDC_ADDRESS, CurrentQuote.address);
  SetControlText(dialog, IDC_TOTAL, CurrentQuote.total);
  ShowNumber(dialog, number);
}

void ShowNumber(HWND dialog, int32_t number) {
  SetControlText(dialog, IDC_NUMBER, "Presupuesto N\xBA: " + IntToText(number, 0));
}

void ReadControls(HWND dialog) {
  bool anyReplaced = false;
  ReadField(dialog, IDC_BODY, CurrentQuote.body, kBodyWidth, anyReplaced);
  ReadField(dialog, IDC_DATE, CurrentQuote.date, kFieldWidth, anyReplaced);
  ReadField(dialog, IDC_NAME, CurrentQuote.name, kFieldWidth, anyReplaced);
  ReadField(dialog, IDC_ADDRESS, CurrentQuote.address, kFieldWidth, anyReplaced);
  ReadField(dialog, IDC_TOTAL, CurrentQuote.total, kFieldWidth, anyReplaced);
  if (anyReplaced) TellReplaced(dialog);
}

void LimitControlsToFields(HWND dialog) {
  SendDlgItemMessageW(dialog, IDC_BODY, EM_LIMITTEXT, kBodyWidth - 1, 0);
  for (int id : {IDC_DATE, IDC_NAME, IDC_ADDRESS, IDC_TOTAL}) {
    SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, kFieldWidth - 1, 0);
  }
}

void TakeSnapshot() { CopyQuote(QuoteSnapshot, CurrentQuote); }

bool QuoteChanged() { return !SameTexts(CurrentQuote, QuoteSnapshot); }

bool SameTexts(const QuoteRecord& a, const QuoteRecord& b) {
  return SameField(a.body, b.body, kBodyWidth) && SameField(a.name, b.name, kFieldWidth) &&
         SameField(a.date, b.date, kFieldWidth) && SameField(a.address, b.address, kFieldWidth) &&
         SameField(a.total, b.total, kFieldWidth);
}

bool SaveWorkingCopy(unsigned char isNew, int32_t number, SaveRefusal* refusal,
                     DiskFailure* failure) {
  // A later save corrects the quote as this dialog stored it last: one that
  // another copy corrected since is not overwritten.
  QuoteRecord stored;
  ClearQuote(stored);
  CopyQuote(stored, QuoteSnapshot);
  bool saved = isNew ? SaveQuote(isNew, number, refusal, failure)
                     : SaveCorrection(number, stored, CurrentQuote, refusal, failure);
  if (!saved) return false;
  TakeSnapshot();
  Modified = 0;
  IsNew = 0;
  return true;
}
