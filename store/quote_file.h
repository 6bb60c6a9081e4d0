// The quote file datos.dat: append a quote, overwrite one in place of its
// number, load one into CurrentQuote.
#pragma once
#include <cstdint>

// Why a save was refused, where the store can tell.
enum class SaveRefusal {
  None,           // saved, or failed on the disk
  FilesChanged,   // config.cfg or datos.dat count other quotes than this copy does
  QuotesMissing,  // datos.dat holds fewer whole quotes than are counted
  NoNumberLeft,   // the count is at its largest
};

// With isNew, appends CurrentQuote as quote RecordCount + 1 and counts it;
// otherwise replaces quote `number` (1 to RecordCount). True once the quote
// is on disk. On false nothing stored has changed, and `refusal`, when
// given, tells why where the store knows.
//
// Both decide before they write. An append goes only after the whole
// records, over a partial record at most: it is refused when datos.dat holds
// fewer or more whole records than RecordCount, or config.cfg counts more.
// An overwrite is refused when config.cfg counts other than RecordCount (a
// missing one counts nothing), or datos.dat holds fewer or more whole
// records (a partial tail is dropped).
// It builds the new datos.dat and trasvase.dat beside them as
// datos.dat.tmp and trasvase.dat.tmp, then renames them into place, the
// quote file first: that rename is the correction. If the second rename
// then fails, the correction stands and is reported: trasvase.dat keeps the
// copy of the previous correction, and trasvase.dat.tmp, left in place,
// holds the copy of this one.
bool SaveQuote(unsigned char isNew, int32_t number, SaveRefusal* refusal = nullptr);

// Copies quote `number` (1 or less: the first) into CurrentQuote. False
// when it cannot be read; CurrentQuote then gets five empty texts.
bool LoadQuote(int32_t number);

// Reads whole records from datos.dat: passes over `skip` records, then reads
// one into `record`. False when the file ends or fails before that.
struct QuoteRecord;
bool ReadQuoteRecord(int32_t skip, QuoteRecord& record);
