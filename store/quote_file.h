// The quote file datos.dat: append a quote, overwrite one in place of its
// number, read one by its number.
#pragma once
#include <cstdint>

#include "store/disk.h"
#include "store/store_rules.h"

struct QuoteRecord;

// With isNew, appends CurrentQuote after every quote in datos.dat, whichever
// copy of the program stored them, and sets RecordCount to its number:
// RecordCount + 1 unless another copy stored meanwhile. Otherwise replaces
// quote `number`. True once the quote is on disk. On false nothing stored
// has changed; `refusal`, when given, tells why where the store knows (see
// PlanAppend and MayCorrect), and `failure` what the disk said where it
// failed, or presupuestos.lck in use where another copy held the store's
// lock too long.
// Both hold the store's lock (folder_lock.h) from the first read to the
// last rename.
//
// A correction builds the new datos.dat and trasvase.dat beside them as
// datos.dat.tmp and trasvase.dat.tmp, syncs them, then renames them into
// place, the quote file first: that rename is the correction. If the second
// rename then fails, the correction stands and is reported: trasvase.dat
// keeps the copy of the previous correction, and trasvase.dat.tmp, left in
// place, holds the copy of this one.
bool SaveQuote(unsigned char isNew, int32_t number, SaveRefusal* refusal = nullptr,
               DiskFailure* failure = nullptr);

// Replaces quote `number` with `corrected`, as SaveQuote does, but only
// while the record on disk is still `shown`, byte for byte, as it was read
// when the dialog showed it; otherwise refused with ChangedSinceShown, so that a
// correction another copy made in between is not silently replaced.
bool SaveCorrection(int32_t number, const QuoteRecord& shown, const QuoteRecord& corrected,
                    SaveRefusal* refusal = nullptr, DiskFailure* failure = nullptr);

// Reads quote `number` (1 or less: the first) into `record` as stored: the
// one read of a quote by its number, for the dialogs, the search and the
// tests. False when it cannot be read (no file, one that ends before the
// record is whole, a failed read); `record` is then all zeros.
bool LoadQuote(int32_t number, QuoteRecord& record);

// Raises RecordCount to the quotes that other copies have stored since it
// was taken: those config.cfg counts, as far as datos.dat holds them whole.
// Never lowers it; gives it.
int32_t CatchUpCount();

// The newest quote that datos.dat holds whole, at most RecordCount: where
// quotes are counted that are not there, the last one that can be read.
int32_t LastStoredQuote();

// What a file is found to hold: whether it is there and its length (-1 when
// it is there but cannot be measured).
FileSeen SeeFile(const char* path);

// One state of a file, to tell whether it changed while it was read: a
// rename of another file over it (a correction) changes its identity, an
// append its length.
struct FileStamp {
  bool there = false;
  uint64_t volume = 0, file = 0;
  int64_t size = -1;
};
FileStamp StampOf(const char* path);
bool SameStamp(const FileStamp& a, const FileStamp& b);
