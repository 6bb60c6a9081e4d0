// The modify dialog: the stored quotes one at a time, newest first, editable;
// "Guardar" overwrites the quote on show in place.
#include "dialogs/browse.h"
#include "dialogs/failure_message.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/search_dialog.h"
#include "dialogs/search_key.h"
#include "dialogs/working_copy.h"
#include "resources/resource.h"
#include "store/quote_file.h"

namespace {

void Open(HWND dialog, int32_t number) {
  LoadOpening(number);
  SendDlgItemMessageW(dialog, IDC_TOTAL, EM_LIMITTEXT, 40, 0);
  SendDlgItemMessageW(dialog, IDC_DATE, EM_LIMITTEXT, 40, 0);
  SendDlgItemMessageW(dialog, IDC_NAME, EM_LIMITTEXT, 39, 0);
  SendDlgItemMessageW(dialog, IDC_ADDRESS, EM_LIMITTEXT, 39, 0);
  SendDlgItemMessageW(dialog, IDC_BODY, EM_LIMITTEXT, 1800, 0);
  ShowBrowsed(dialog);
  SetFocus(GetDlgItem(dialog, IDC_NAME));
  WatchSearchKey(dialog);
}

void Save(HWND dialog) {
  // With no quote stored there is no record to overwrite; the store is
  // never asked for one that does not exist.
  if (!QuoteOnShow()) return;
  if (!QuoteOnShowRead()) {
    TellUnreadableNotSaved(dialog, BrowseIndex);
    return;
  }
  ReadControls(dialog);
  SaveRefusal why = SaveRefusal::None;
  DiskFailure failure;
  if (SaveCorrection(BrowseIndex, QuoteAsShown(), CurrentQuote, &why, &failure)) {
    TakeSavedAsShown();
  } else {
    TellSaveFailed(dialog, why, failure);
  }
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
