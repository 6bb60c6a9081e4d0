// Browsing the stored quotes: every move reads the quote anew from the store.
#include "dialogs/browse.h"

#include "dialogs/failure_message.h"
#include "dialogs/working_copy.h"
#include "store/quote_file.h"
#include "store/quote_record.h"

int32_t BrowseIndex = 0;

namespace {

// Whether CurrentQuote holds stored quote BrowseIndex.
bool Read = false;
QuoteRecord Shown{};

// Loads quote `number` into CurrentQuote and keeps it as shown.
bool Load(int32_t number) {
  bool read = LoadQuote(number);
  Shown = CurrentQuote;
  return read;
}

}  // namespace

void LoadNewest() {
  // The store reads "number 0" as the first record, which may exist even
  // when the count says none; with no quote counted the fields stay empty.
  if (RecordCount > 0) {
    Read = Load(RecordCount);
  } else {
    ClearQuote(CurrentQuote);
    Shown = CurrentQuote;
    Read = false;
  }
  BrowseIndex = RecordCount;
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
  if (BrowseIndex >= RecordCount) return;
  ++BrowseIndex;
  Read = Load(BrowseIndex);
  ShowBrowsed(dialog);
}

void ShowOlder(HWND dialog) {
  if (BrowseIndex <= 1) return;
  --BrowseIndex;
  Read = Load(BrowseIndex);
  ShowBrowsed(dialog);
}

const QuoteRecord& QuoteAsShown() { return Shown; }

void KeepAsShown(const QuoteRecord& stored) { CopyQuote(Shown, stored); }

bool QuoteOnShow() { return BrowseIndex >= 1 && BrowseIndex <= RecordCount; }

bool QuoteOnShowRead() { return QuoteOnShow() && Read; }
