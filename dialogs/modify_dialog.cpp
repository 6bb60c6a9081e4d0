// The modify dialog: the stored quotes one at a time, newest first, editable;
// "Guardar" overwrites the quote on show in place.
#include "dialogs/browse.h"
#include "dialogs/failure_message.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/working_copy.h"
#include "resources/resource.h"
#include "store/quote_file.h"

namespace {

void Open(HWND dialog) {
  LoadNewest();
  SendDlgItemMessageW(dialog, IDC_TOTAL, EM_LIMITTEXT, 40, 0);
  SendDlgItemMessageW(dialog, IDC_DATE, EM_LIMITTEXT, 40, 0);
  SendDlgItemMessageW(dialog, IDC_NAME, EM_LIMITTEXT, 39, 0);
  SendDlgItemMessageW(dialog, IDC_ADDRESS, EM_LIMITTEXT, 39, 0);
  SendDlgItemMessageW(dialog, IDC_BODY, EM_LIMITTEXT, 1800, 0);
  ShowBrowsed(dialog);
  SetFocus(GetDlgItem(dialog, IDC_NAME));
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

INT_PTR CALLBACK ModifyQuoteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Open(dialog);
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
        case IDCANCEL:
          EndDialog(dialog, 0);
          break;
        default:
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}
