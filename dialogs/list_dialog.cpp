// The list dialog: the stored quotes one at a time, newest first, read-only,
// each of them printable, or to be sent as a PDF.
#include "dialogs/body_edit.h"
#include "dialogs/browse.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/search_dialog.h"
#include "dialogs/search_key.h"
#include "dialogs/working_copy.h"
#include "dialogs/quote_printing.h"
#include "resources/resource.h"
#include "store/quote_record.h"

namespace {

void Output(HWND dialog, QuoteOutput output) {
  bool shiftHeld = ShiftHeldOnPrint();
  if (!PrintableOnShow(dialog)) return;
  // The read-only edits hold the quote as it was read.
  if (!PrintsWhole(dialog, QuoteAsShown(), output)) return;
  OutputForDialog(dialog, QuoteAsShown(), BrowseIndex, output, shiftHeld);
}

}  // namespace

// The initialisation value is the number of the quote to open on; 0 opens
// on the newest.
INT_PTR CALLBACK ListQuoteDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      LoadOpening(static_cast<int32_t>(lParam));
      WrapBodyAtSheetRows(dialog);
      ShowBrowsed(dialog);
      WatchSearchKey(dialog);
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_NEXT:
          ShowNewer(dialog);
          break;
        case IDC_PREV:
          ShowOlder(dialog);
          break;
        case IDC_SEARCH_KEY:
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
