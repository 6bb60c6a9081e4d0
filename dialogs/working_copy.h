// The working copy that the three quote dialogs share: moving CurrentQuote in
// and out of a dialog's controls, and the new-quote dialog's saved state.
#pragma once
#include <cstdint>

#include <windows.h>

#include "store/quote_file.h"
#include "store/quote_record.h"

// The quote as it stood when the new-quote dialog opened or last saved.
extern QuoteRecord QuoteSnapshot;
// Set when "Cancelar" finds a difference from the snapshot; a save clears it.
extern unsigned char Modified;
// 1 until the new-quote dialog's first save: the store appends, not overwrites.
extern unsigned char IsNew;

// Puts CurrentQuote into the five edits and the number into its label.
void ShowQuote(HWND dialog, int32_t number);
// The label alone, as ShowQuote puts it.
void ShowNumber(HWND dialog, int32_t number);

// Reads the five edits into CurrentQuote, each cut to its field.
void ReadControls(HWND dialog);

// Lets no more be typed into each edit than its field holds: a character
// typed past it would not be stored.
void LimitControlsToFields(HWND dialog);

void TakeSnapshot();

// True when any field of CurrentQuote differs from the snapshot.
bool QuoteChanged();

// Whether two quotes hold the same five texts (what follows a text's NUL
// does not count).
bool SameTexts(const QuoteRecord& a, const QuoteRecord& b);

// Stores CurrentQuote; only once it is stored do the snapshot and the flags
// move on, so a failed save still counts as unsaved. `refusal` as for
// SaveQuote; a later save is refused as ChangedSinceShown where the stored
// quote is no longer the snapshot.
bool SaveWorkingCopy(unsigned char isNew, int32_t number, SaveRefusal* refusal = nullptr,
                     DiskFailure* failure = nullptr);
