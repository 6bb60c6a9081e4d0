// The modify dialog: the stored quotes one at a time, newest first, editable;
// "Guardar" overwrites the quote on show in place.
#include "dialogs/body_edit.h"
#include "dialogs/browse.h"
#include "dialogs/failure_message.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/quote_printing.h"
#include "dialogs/search_dialog.h"
#include "dialogs/search_key.h"
#include "dialogs/working_copy.h"
#include "resources/resource.h"
#include "store/quote_file.h"

namespace {

void Open(HWND dialog, int32_t number) {
  LoadOpening(number);
  // No more than a field holds: a character typed past it would not be stored.
  SendDlgItemMessageW(dialog, IDC_TOTAL, EM_LIMITTEXT, kFieldWidth - 1, 0);
  SendDlgItemMessageW(dialog, IDC_DATE, EM_LIMITTEXT, kFieldWidth - 1, 0);
  SendDlgItemMessageW(dialog, IDC_NAME, EM_LIMITTEXT, kFieldWidth - 1, 0);
  SendDlgItemMessageW(dialog, IDC_ADDRESS, EM_LIMITTEXT, kFieldWidth - 1, 0);
  SendDlgItemMessageW(dialog, IDC_BODY, EM_LIMITTEXT, kBodyWidth - 1, 0);
  WrapBodyAtSheetRows(dialog);
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
void Output(HWND dialog, QuoteOutput output) {
  bool shiftHeld = ShiftHeldOnPrint();
  if (!PrintableOnShow(dialog)) return;
  ReadControls(dialog);
  if (!PrintsWhole(dialog, CurrentQuote, output)) return;
  if (!SameTexts(CurrentQuote, QuoteAsShown()) && !Save(dialog)) return;
  OutputForDialog(dialog, CurrentQuote, BrowseIndex, output, shiftHeld);
}

}  // namespace

// The initialisation value is the number of the quote to open on; 0 opens
// on the newest.
INT_PTR CALLBACK ModifyQuoteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Open(dialog, static_cast<int32_t>(lParam));
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_SAVE:
          Save(dialog);
          break;
        case IDC_NEXT:
          ShowNewer(dialog);
          break;
        case IDC_PREV:
          ShowOlder(dialog);
          break;
        case IDC_SEARCH_KEY:
          // Unsaved edits go as they go with the arrows.
          ShowChosen(dialog, ChooseQuote(dialog));
          break;
        case IDCANCEL:
          EndDialog(dialog, 0);
          break;
        default:
          if (auto output = OutputAsked(dialog, LOWORD(wParam))) Output(dialog, *output);
          break;
      }
      return TRUE;
    case WM_DESTROY:
      StopWatchingSearchKey();
      return FALSE;
    default:
      return FALSE;
  }
}
