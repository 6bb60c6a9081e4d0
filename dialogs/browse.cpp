// Browsing the stored quotes: every move reads the quote anew from the store.
#include "dialogs/browse.h"

#include "dialogs/working_copy.h"
#include "store/quote_file.h"
#include "store/quote_record.h"

int32_t BrowseIndex = 0;

void LoadNewest() {
  // The store reads "number 0" as the first record, which may exist even
  // when the count says none; with no quote counted the fields stay empty.
  if (RecordCount > 0) {
    LoadQuote(RecordCount);
  } else {
    ClearQuote(CurrentQuote);
  }
  BrowseIndex = RecordCount;
}

void ShowNewer(HWND dialog) {
  if (BrowseIndex >= RecordCount) return;
  ++BrowseIndex;
  LoadQuote(BrowseIndex);
  ShowQuote(dialog, BrowseIndex);
}

void ShowOlder(HWND dialog) {
  if (BrowseIndex <= 1) return;
  --BrowseIndex;
  LoadQuote(BrowseIndex);
  ShowQuote(dialog, BrowseIndex);
}

bool QuoteOnShow() { return BrowseIndex >= 1 && BrowseIndex <= RecordCount; }
