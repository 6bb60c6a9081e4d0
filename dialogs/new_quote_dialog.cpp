// The new-quote dialog: an empty quote dated today under the next number,
// saved, printed or made a PDF, and guarded by the unsaved-changes question at "Cancelar".
#include <cstdint>

#include "common/number_text.h"
#include "dialogs/body_edit.h"
#include "dialogs/failure_message.h"
#include "dialogs/field_overflow.h"
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
  // The number shown is the next after every quote stored so far, by any
  // copy of the program.
  CatchUpCount();
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

  LimitControlsToFields(dialog);
  ShowQuote(dialog, NextNumber());
  WrapBodyAtSheetRows(dialog);
  FitPastesToFields(dialog);
  SetFocus(GetDlgItem(dialog, IDC_NAME));
}

// The number the quote was stored under: another copy may have taken the
// one shown meanwhile, which the last save then told.
int32_t SavedAs = 0;
bool NumberTold = false;

// Before the first save the quote's number is the one it will be appended
// under; after it, the record it was appended as.
int32_t QuoteNumber() { return IsNew ? NextNumber() : SavedAs; }

void TellNumberTaken(HWND dialog, int32_t shown) {
  std::string text = "Se ha guardado como presupuesto " + IntToText(SavedAs, 0);
  text += SavedAs > shown ? ": el " + IntToText(shown, 0) + " lo acaba de guardar otro equipo." : ".";
  ShowMessage(dialog, text, "Presupuestos", MB_OK | MB_ICONINFORMATION);
  ShowNumber(dialog, SavedAs);
  NumberTold = true;
}

// Saves what the controls hold (already read); false, after telling the
// user, when it did not reach the disk.
bool Save(HWND dialog) {
  SaveRefusal why = SaveRefusal::None;
  DiskFailure failure;
  bool first = IsNew != 0;
  int32_t shown = NextNumber();
  NumberTold = false;
  if (!SaveWorkingCopy(IsNew, SavedAs, &why, &failure)) {
    if (why == SaveRefusal::ChangedSinceShown) {
      TellStoredQuoteChanged(dialog, SavedAs);
    } else {
      TellSaveFailed(dialog, why, failure);
    }
    return false;
  }
  if (!first) return true;
  SavedAs = RecordCount;
  if (SavedAs != shown) TellNumberTaken(dialog, shown);
  return true;
}

// The dialog stays open after "Guardar": the box says it did store the
// quote, and as which number (told already where that is not the one
// shown).
void TellSaved(HWND dialog) {
  if (NumberTold) return;
  ShowMessage(dialog, "Presupuesto " + IntToText(QuoteNumber(), 0) + " guardado.", "Presupuestos",
              MB_OK | MB_ICONINFORMATION);
}

// A quote prints (or goes into a PDF) under the number it is stored as: one
// not stored yet, or changed since, is stored first, and nothing goes out if
// it cannot be.
const PrintSteps kPrintSteps = {
    [](HWND dialog) -> const QuoteRecord* {
      ReadControls(dialog);
      return &CurrentQuote;
    },
    [](HWND dialog) { return !(IsNew || QuoteChanged()) || Save(dialog); },
    QuoteNumber,
};

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
      if (BeepWhenFull(wParam)) return TRUE;
      switch (LOWORD(wParam)) {
        case IDC_SAVE:
          ReadControls(dialog);
          if (Save(dialog)) TellSaved(dialog);
          break;
        case IDCANCEL:
          Cancel(dialog);
          break;
        default:
          if (auto output = OutputAsked(dialog, LOWORD(wParam))) {
            OutputFromDialog(dialog, kPrintSteps, *output);
          }
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}
