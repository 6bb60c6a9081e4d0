// The new-quote dialog: an empty quote dated today under the next number,
// saved, printed or made a PDF, and guarded by the unsaved-changes question at "Cancelar".
#include <cstdint>

#include "common/number_text.h"
#include "dialogs/body_edit.h"
#include "dialogs/failure_message.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/window_text.h"
#include "dialogs/working_copy.h"
#include "dialogs/quote_printing.h"
#include "resources/resource.h"
#include "store/quote_record.h"

namespace {

// The number a new quote is to get. A count at its largest (a damaged
// config.cfg) has no next number, and the store refuses the append; the
// label must not wrap round to a negative one meanwhile.
int32_t NextNumber() { return RecordCount < INT32_MAX ? RecordCount + 1 : RecordCount; }

// `copied`, when given, is an old quote whose texts fill the new one: it
// starts unsaved, so the snapshot is of the empty quote.
void Open(HWND dialog, const QuoteRecord* copied) {
  ClearQuote(CurrentQuote);
  // The day the dialog opens: an office may leave the program open for days.
  CopyField(CurrentQuote.date, kFieldWidth, CurrentDateText().c_str());
  TakeSnapshot();
  Modified = 0;
  IsNew = 1;
  if (copied) {
    CopyField(CurrentQuote.body, kBodyWidth, copied->body);
    CopyField(CurrentQuote.name, kFieldWidth, copied->name);
    CopyField(CurrentQuote.address, kFieldWidth, copied->address);
    CopyField(CurrentQuote.total, kFieldWidth, copied->total);
  }

  // No more than a field holds: a character typed past it would not be stored.
  SendDlgItemMessageW(dialog, IDC_TOTAL, EM_LIMITTEXT, kFieldWidth - 1, 0);
  SendDlgItemMessageW(dialog, IDC_DATE, EM_LIMITTEXT, kFieldWidth - 1, 0);
  SendDlgItemMessageW(dialog, IDC_NAME, EM_LIMITTEXT, kFieldWidth - 1, 0);
  SendDlgItemMessageW(dialog, IDC_BODY, EM_LIMITTEXT, kBodyWidth - 1, 0);
  SendDlgItemMessageW(dialog, IDC_ADDRESS, EM_LIMITTEXT, kFieldWidth - 1, 0);

  ShowQuote(dialog, NextNumber());
  WrapBodyAtSheetRows(dialog);
  SetFocus(GetDlgItem(dialog, IDC_NAME));
}

// Before the first save the quote's number is the one it will be appended
// under; after it, the record it was appended as.
int32_t QuoteNumber() { return IsNew ? NextNumber() : RecordCount; }

// Saves what the controls hold (already read); false, after telling the
// user, when it did not reach the disk.
bool Save(HWND dialog) {
  SaveRefusal why = SaveRefusal::None;
  DiskFailure failure;
  if (SaveWorkingCopy(IsNew, RecordCount, &why, &failure)) return true;
  TellSaveFailed(dialog, why, failure);
  return false;
}

// A quote prints (or goes into a PDF) under the number it is stored as: one
// not stored yet, or changed since, is stored first, and nothing goes out
// if it cannot be.
void Output(HWND dialog, QuoteOutput output) {
  bool shiftHeld = ShiftHeldOnPrint();
  ReadControls(dialog);
  if (!PrintsWhole(dialog, CurrentQuote, output)) return;
  if ((IsNew || QuoteChanged()) && !Save(dialog)) return;
  OutputForDialog(dialog, CurrentQuote, QuoteNumber(), output, shiftHeld);
}

void Cancel(HWND dialog) {
  ReadControls(dialog);
  if (QuoteChanged()) Modified = 1;
  if (!Modified) {
    EndDialog(dialog, 0);
    return;
  }
  int answer = ShowMessage(dialog, "No se ha guardado el presupuesto actual, \xBF" "desea guardarlo?",
                           "Modificado", MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  switch (answer) {
    case IDYES:
      // A quote that could not be stored keeps the dialog open, so the
      // user's texts are not lost with it.
      if (Save(dialog)) EndDialog(dialog, 0);
      break;
    case IDCANCEL:
      break;
    default:  // IDNO, or 0 when the box could not be shown
      EndDialog(dialog, 0);
      break;
  }
}

}  // namespace

// The initialisation value is 0, or the address of a QuoteRecord to copy
// ("Copiar a nuevo" in the search).
INT_PTR CALLBACK NewQuoteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Open(dialog, reinterpret_cast<const QuoteRecord*>(lParam));
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_SAVE:
          ReadControls(dialog);
          Save(dialog);
          break;
        case IDCANCEL:
          Cancel(dialog);
          break;
        default:
          if (auto output = OutputAsked(dialog, LOWORD(wParam))) Output(dialog, *output);
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}
