// The modify dialog: the stored quotes one at a time, newest first, editable;
// "Guardar" overwrites the quote on show in place.
#include "dialogs/body_edit.h"
#include "dialogs/browse.h"
#include "dialogs/failure_message.h"
#include "dialogs/field_overflow.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/quote_printing.h"
#include "dialogs/search_key.h"
#include "dialogs/working_copy.h"
#include "resources/resource.h"
#include "store/quote_file.h"

namespace {

void Open(HWND dialog, int32_t number) {
  LoadOpening(number);
  LimitControlsToFields(dialog);
  WrapBodyAtSheetRows(dialog);
  FitPastesToFields(dialog);
  ShowBrowsed(dialog);
  SetFocus(GetDlgItem(dialog, IDC_NAME));
  WatchSearchKey(dialog);
}

// Stores the texts on show over the quote on show; false, after telling the
// user, when they were not stored.
bool Save(HWND dialog) {
  // With no quote stored there is no record to overwrite; the store is
  // never asked for one that does not exist.
  if (!QuoteOnShow()) return false;
  if (!QuoteOnShowRead()) {
    TellUnreadableNotSaved(dialog, BrowseIndex);
    return false;
  }
  ReadControls(dialog);
  SaveRefusal why = SaveRefusal::None;
  DiskFailure failure;
  if (!SaveCorrection(BrowseIndex, QuoteAsShown(), CurrentQuote, &why, &failure)) {
    TellSaveFailed(dialog, why, failure);
    return false;
  }
  TakeSavedAsShown();
  return true;
}

// A correction not yet stored is stored first, so that what prints (or goes
// into a PDF) is what the quote file holds under that number.
const PrintSteps kPrintSteps = {
    [](HWND dialog) -> const QuoteRecord* {
      if (!PrintableOnShow(dialog)) return nullptr;
      ReadControls(dialog);
      return &CurrentQuote;
    },
    [](HWND dialog) { return SameTexts(CurrentQuote, QuoteAsShown()) || Save(dialog); },
    [] { return BrowseIndex; },
};

}  // namespace

// The initialisation value is the number of the quote to open on; 0 opens
// on the newest.
INT_PTR CALLBACK ModifyQuoteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Open(dialog, static_cast<int32_t>(lParam));
      return FALSE;
    case WM_COMMAND:
      if (BeepWhenFull(wParam)) return TRUE;
      switch (LOWORD(wParam)) {
        case IDC_SAVE:
          Save(dialog);
          return TRUE;
        default:
          if (auto output = OutputAsked(dialog, LOWORD(wParam))) {
            OutputFromDialog(dialog, kPrintSteps, *output);
            return TRUE;
          }
          // Unsaved edits go with the arrows and the search key.
          break;
      }
      break;
    default:
      break;
  }
  return BrowseMessage(dialog, message, wParam);
}
