// Browsing the stored quotes: every move reads the quote anew from the store
// and keeps the record as read.
#include "dialogs/browse.h"

#include "dialogs/failure_message.h"
#include "dialogs/search_dialog.h"
#include "dialogs/search_key.h"
#include "dialogs/window_text.h"
#include "dialogs/working_copy.h"
#include "resources/resource.h"
#include "store/quote_file.h"
#include "store/quote_record.h"

int32_t BrowseIndex = 0;

namespace {

// Whether CurrentQuote holds stored quote BrowseIndex, and that quote's
// record as read.
bool Read = false;
QuoteRecord Shown;
// The newest quote offered, set at the opening.
int32_t Last = 0;

void Load(int32_t number) {
  Read = LoadQuote(number, Shown);
  ClearQuote(CurrentQuote);
  CopyQuote(CurrentQuote, Shown);
}

}  // namespace

void LoadNewest() {
  // The store reads "number 0" as the first record, which may exist even
  // when the count says none; with no quote counted the fields stay empty.
  // Other copies may have stored quotes since this one counted them.
  CatchUpCount();
  Last = LastStoredQuote();
  BrowseIndex = Last;
  if (Last > 0) {
    Load(Last);
  } else {
    ClearQuote(CurrentQuote);
    ClearQuote(Shown);
    Read = false;
  }
}

void LoadOpening(int32_t number) {
  if (number < 1 || number > RecordCount) {
    LoadNewest();
    return;
  }
  // A quote chosen in the search may be one counted but missing: it is
  // shown, and said to be unreadable, as the arrows would show it.
  Last = LastStoredQuote();
  BrowseIndex = number;
  Load(number);
}

void ShowBrowsed(HWND dialog) {
  ShowQuote(dialog, BrowseIndex);
  if (QuoteOnShow() && !Read) {
    // At the opening the dialog is not on screen yet; it is shown first, so
    // that the box stands over the quote it speaks of.
    ShowWindow(dialog, SW_SHOW);
    TellUnreadable(dialog, BrowseIndex);
  }
}

void ShowNewer(HWND dialog) {
  // Past the newest quote known, another copy may have stored newer ones.
  if (BrowseIndex >= Last) {
    CatchUpCount();
    Last = LastStoredQuote();
    if (BrowseIndex >= Last) return;
  }
  ++BrowseIndex;
  Load(BrowseIndex);
  ShowBrowsed(dialog);
}

void ShowOlder(HWND dialog) {
  if (BrowseIndex <= 1) return;
  --BrowseIndex;
  Load(BrowseIndex);
  ShowBrowsed(dialog);
}

void ShowChosen(HWND dialog, int32_t number) {
  if (number < 1 || number > RecordCount) return;
  BrowseIndex = number;
  Load(BrowseIndex);
  ShowBrowsed(dialog);
}

bool QuoteOnShow() { return BrowseIndex >= 1 && BrowseIndex <= RecordCount; }

bool QuoteOnShowRead() { return QuoteOnShow() && Read; }

bool PrintableOnShow(HWND dialog) {
  // With no quote stored there is nothing on show to print.
  if (!QuoteOnShow()) return false;
  if (!Read) TellUnreadableNotPrinted(dialog, BrowseIndex);
  return Read;
}

const QuoteRecord& QuoteAsShown() { return Shown; }

void TakeSavedAsShown() {
  ClearQuote(Shown);
  CopyQuote(Shown, CurrentQuote);
}

INT_PTR BrowseMessage(HWND dialog, UINT message, WPARAM wParam) {
  if (message == WM_DESTROY) StopWatchingSearchKey();
  if (message != WM_COMMAND) return FALSE;
  if (EndedByCancel(dialog, LOWORD(wParam))) return TRUE;
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
    default:
      break;
  }
  return TRUE;
}
