// The list dialog: the stored quotes one at a time, newest first, read-only,
// each of them printable, or to be sent as a PDF.
#include "dialogs/body_edit.h"
#include "dialogs/browse.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/search_key.h"
#include "dialogs/working_copy.h"
#include "dialogs/quote_printing.h"
#include "resources/resource.h"
#include "store/quote_record.h"

namespace {

// The read-only edits hold the quote as it was read; nothing to store.
const PrintSteps kPrintSteps = {
    [](HWND dialog) { return PrintableOnShow(dialog) ? &QuoteAsShown() : nullptr; },
    nullptr,
    [] { return BrowseIndex; },
};

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
      if (auto output = OutputAsked(dialog, LOWORD(wParam))) {
        OutputFromDialog(dialog, kPrintSteps, *output);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return BrowseMessage(dialog, message, wParam);
}
